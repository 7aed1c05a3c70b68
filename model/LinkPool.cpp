#include "model/LinkPool.h"

#include "model/DataFileReader.h"
#include "model/DataFileWriter.h"
#include "model/FieldCursor.h"
#include "model/GroupedRegistration.h"
#include "model/NotePool.h"
#include "model/Prefetch.h"
#include "model/RelationPool.h"
#include "model/SheetPool.h"

#include <memory>
#include <utility>
#include <vector>

namespace {

constexpr std::int32_t kLookAhead = 8;

}  // namespace

TLinkItem* TLinkPool::Add(const TLink& record) {
  auto* link = new TLinkItem(this, record);
  TPoolItemList::Add(link);
  return link;
}

void TLinkPool::Resolve(TLink& record) const {
  record.Sheet = sheets_->Resolve(record.SheetID, "SheetID", "sheet");
  record.FromNote = notes_->Resolve(record.FromNoteID, "FromNoteID", "note");
  record.ToNote = notes_->Resolve(record.ToNoteID, "ToNoteID", "note");
  record.Relation = relations_->Resolve(record.RelationID, "RelationID", "relation type");
}

TLinkItem* TLinkPool::AddLoaded(TLink record) {
  Resolve(record);
  auto link = std::make_unique<TLinkItem>(this, std::move(record));
  TLinkItem* added = link.get();
  AppendLoaded(std::move(link));
  return added;
}

void TLinkPool::LoadFromFile(const std::string& fileName) {
  // Links join their sheet and type as they are read; joining their notes is
  // left to the end, note by note (see TGroupedRegistration).
  std::vector<TLinkItem*> loaded;
  std::vector<std::int32_t> fromNotes;
  std::vector<std::int32_t> toNotes;
  auto registerWithNotes = [&] {
    TGroupedRegistration<TLinkItem> registration(notes_->Count());
    registration.Add(loaded, toNotes,
                     [](TLinkItem* link) -> TRelationShip& { return *link->toRef_; });
    registration.Add(loaded, fromNotes,
                     [](TLinkItem* link) -> TRelationShip& { return *link->fromRef_; });
    registration.Run();
  };
  TDataFileReader::ForEachLineThen(
      fileName,
      [&](TDataFileReader& reader) {
        TFieldCursor fields(reader, reader.Line());
        fields.BeginRecord(14);
        TLink record = DefaultLink;
        record.ID = fields.NextInt("ID");
        record.SheetID = fields.NextInt("SheetID");
        record.FromNoteID = fields.NextInt("FromNoteID");
        record.ToNoteID = fields.NextInt("ToNoteID");
        record.RelationID = fields.NextInt("RelationID");
        record.Ctrl1X = fields.NextInt("Ctrl1X");
        record.Ctrl1Y = fields.NextInt("Ctrl1Y");
        record.Ctrl2X = fields.NextInt("Ctrl2X");
        record.Ctrl2Y = fields.NextInt("Ctrl2Y");
        record.ArrowStyle = fields.NextByte("ArrowStyle");
        record.Width = fields.NextInt("Width");
        record.Color = fields.NextInt("Color");
        record.LineStyle = fields.NextInt("LineStyle");
        record.SpareInt = fields.LastInt("SpareInt");
        Resolve(record);
        fromNotes.push_back(record.FromNoteID);
        toNotes.push_back(record.ToNoteID);
        auto link = std::make_unique<TLinkItem>(this, std::move(record),
                                                TLinkItem::TRegistration::ByLoader);
        link->sheetRef_->Register(link.get());
        link->relationRef_->Register(link.get());
        loaded.push_back(link.get());
        AppendLoaded(std::move(link));
      },
      registerWithNotes);
}

void TLinkPool::SaveToFile(const std::string& fileName) {
  TDataFileWriter writer(fileName);
  const std::int32_t count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    const TLinkItem* link = GetItem(i);
    // Its notes lie anywhere in memory: fetch those of a link further on.
    if (i + kLookAhead < count) {
      const TLinkItem* ahead = GetItem(i + kLookAhead);
      Prefetch(ahead->FromNote());
      Prefetch(ahead->ToNote());
    }
    const TLink& record = link->Record();
    writer.Int(i);
    writer.Int(sheets_->IndexOf(link->Sheet()));
    writer.Int(notes_->IndexOf(link->FromNote()));
    writer.Int(notes_->IndexOf(link->ToNote()));
    writer.Int(relations_->IndexOf(link->Relation()));
    writer.Int(record.Ctrl1X);
    writer.Int(record.Ctrl1Y);
    writer.Int(record.Ctrl2X);
    writer.Int(record.Ctrl2Y);
    writer.Int(record.ArrowStyle);
    writer.Int(record.Width);
    writer.Int(record.Color);
    writer.Int(record.LineStyle);
    writer.Int(record.SpareInt);
    writer.EndLine();
  }
  writer.Close();
}
