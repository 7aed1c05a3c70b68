#include "model/SheetPool.h"

#include "model/DataFileReader.h"
#include "model/DataFileWriter.h"
#include "model/FieldCursor.h"
#include "model/FieldText.h"
#include "model/NotePool.h"

#include <memory>
#include <utility>

namespace {

// Enough to see the first line of any ordinary file.
constexpr std::size_t kProbeChunk = 4096;

constexpr int kFields = 9;

// The eight fields before the description.
TSheet ReadHead(TFieldCursor& fields) {
  TSheet record = DefaultSheet;
  record.ID = fields.NextInt("ID");
  record.Title = fields.NextText();
  record.Color = fields.NextInt("Color");
  record.Width = fields.NextInt("Width");
  record.Height = fields.NextInt("Height");
  record.Zoom = fields.NextInt("Zoom");
  record.GridSize = fields.NextInt("GridSize");
  record.SpareInt = fields.NextInt("SpareInt");
  return record;
}

}  // namespace

TSheetItem* TSheetPool::Add(const TSheet& record) {
  TSheet safe = record;
  safe.Title = TFieldText::SingleLine(record.Title);
  safe.Description = TFieldText::MultiLine(record.Description);
  auto* sheet = new TSheetItem(this, std::move(safe));
  TPoolItemList::Add(sheet);
  return sheet;
}

TSheetItem* TSheetPool::AddLoaded(TSheet record) {
  auto sheet = std::make_unique<TSheetItem>(this, std::move(record));
  TSheetItem* added = sheet.get();
  AppendLoaded(std::move(sheet));
  return added;
}

void TSheetPool::LoadFromFile(const std::string& fileName) {
  bool hasHeader = false;
  {
    TDataFileReader probe(fileName, kProbeChunk);
    hasHeader = probe.NextLine() && probe.Line() == kHeader;
  }
  if (hasHeader) {
    LoadNewFormat(fileName);
  } else {
    LoadOldFormat(fileName);
  }
}

void TSheetPool::LoadNewFormat(const std::string& fileName) {
  TDataFileReader::ForEachLine(fileName, [&](TDataFileReader& reader) {
    if (reader.LineNumber() == 1) return;  // the header
    TFieldCursor fields(reader, reader.Line());
    fields.BeginRecord(kFields);
    TSheet record = ReadHead(fields);
    record.Description = fields.LastMultiLineText();
    AddLoaded(std::move(record));
  });
}

void TSheetPool::LoadOldFormat(const std::string& fileName) {
  TDataFileReader::ForEachLine(fileName, [&](TDataFileReader& reader) {
    TFieldCursor fields(reader, reader.Line());
    fields.ExpectFields(kFields);
    TSheet record = ReadHead(fields);
    // Each line of the description but the last ends with 0xFE.
    std::string description;
    while (!fields.Rest().empty() && fields.Rest().back() == TFieldCursor::kLineBreak) {
      description.append(fields.NextTextPart());
      description.append("\r\n");
      if (!reader.NextLine()) reader.Fail("the file ends inside the description of a sheet");
      fields.Reset(reader.Line());
      if (TFieldCursor::FieldCount(fields.Rest()) != 1) {
        reader.Fail("a line of a sheet's description holds a field separator");
      }
    }
    description.append(fields.Rest());
    description.append("\r\n");
    record.Description = std::move(description);
    AddLoaded(std::move(record));
  });
}

void TSheetPool::SaveToFile(const std::string& fileName) {
  TDataFileWriter writer(fileName);
  writer.RawLine(kHeader);
  const std::int32_t count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    const TSheet& sheet = GetItem(i)->Record();
    writer.Int(i);
    writer.Text(sheet.Title);
    writer.Int(sheet.Color);
    writer.Int(sheet.Width);
    writer.Int(sheet.Height);
    writer.Int(sheet.Zoom);
    writer.Int(sheet.GridSize);
    writer.Int(sheet.SpareInt);
    writer.MultiLineText(sheet.Description);
    writer.EndLine();
  }
  writer.Close();
}

void TSheetPool::ForgetAggregatedSheet(const TSheetItem* sheet) {
  if (notes_) notes_->ForgetSheet(sheet);
}
