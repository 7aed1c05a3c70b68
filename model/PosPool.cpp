#include "model/PosPool.h"

#include "model/DataFileReader.h"
#include "model/DataFileWriter.h"
#include "model/FieldCursor.h"
#include "model/GroupedRegistration.h"
#include "model/NotePool.h"
#include "model/Prefetch.h"
#include "model/SheetPool.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t kLookAhead = 8;

}  // namespace

TPosItem* TPosPool::Add(const TPosition& record) {
  auto* position = new TPosItem(this, record);
  TPoolItemList::Add(position);
  return position;
}

void TPosPool::Resolve(TPosition& record) const {
  record.Sheet = sheets_->Resolve(record.SheetID, "SheetID", "sheet");
  record.Note = notes_->Resolve(record.NoteID, "NoteID", "note");
}

TPosItem* TPosPool::AddLoaded(TPosition record) {
  Resolve(record);
  auto position = std::make_unique<TPosItem>(this, std::move(record));
  TPosItem* added = position.get();
  AppendLoaded(std::move(position));
  return added;
}

void TPosPool::LoadFromFile(const std::string& fileName) {
  // Positions join their sheet as they are read and their notes at the end,
  // note by note (see TGroupedRegistration).
  std::vector<TPosItem*> loaded;
  std::vector<std::int32_t> notes;
  auto registerWithNotes = [&] {
    TGroupedRegistration<TPosItem> registration(notes_->Count());
    registration.Add(loaded, notes,
                     [](TPosItem* position) -> TRelationShip& { return *position->noteRef_; });
    registration.Run();
  };
  TDataFileReader::ForEachLineThen(
      fileName,
      [&](TDataFileReader& reader) {
        TFieldCursor fields(reader, reader.Line());
        fields.BeginRecord(5);
        TPosition record = DefaultPosition;
        record.ID = fields.NextInt("ID");
        record.NoteID = fields.NextInt("NoteID");
        record.SheetID = fields.NextInt("SheetID");
        record.X = fields.NextInt("X");
        record.Y = fields.LastInt("Y");
        Resolve(record);
        notes.push_back(record.NoteID);
        auto position =
            std::make_unique<TPosItem>(this, std::move(record), TPosItem::TRegistration::ByLoader);
        position->sheetRef_->Register(position.get());
        loaded.push_back(position.get());
        AppendLoaded(std::move(position));
      },
      registerWithNotes);
}

void TPosPool::SaveToFile(const std::string& fileName) {
  TDataFileWriter writer(fileName);
  const std::int32_t count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    const TPosItem* position = GetItem(i);
    // Its note lies anywhere in memory: fetch that of a position further on.
    if (i + kLookAhead < count) Prefetch(GetItem(i + kLookAhead)->Note());
    writer.Int(i);
    writer.Int(notes_->IndexOf(position->Note()));
    writer.Int(sheets_->IndexOf(position->Sheet()));
    writer.Int(position->X());
    writer.Int(position->Y());
    writer.EndLine();
  }
  writer.Close();
}
