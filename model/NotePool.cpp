#include "model/NotePool.h"

#include "model/DataFileReader.h"
#include "model/DataFileWriter.h"
#include "model/FieldCursor.h"
#include "model/FieldText.h"
#include "model/SheetPool.h"

#include <memory>
#include <utility>

namespace {

// Enough to see the first line of any ordinary file.
constexpr std::size_t kProbeChunk = 4096;

constexpr int kFields = 14;
constexpr int kFieldsBeforeText = 12;

TNote ReadHead(TFieldCursor& fields) {
  TNote record = DefaultNote;
  record.ID = fields.NextInt("ID");
  record.Title = fields.NextText();
  record.ImageFile = fields.NextText();
  record.LogoFile = fields.NextText();
  record.Kind = fields.NextInt("Kind");
  record.Width = fields.NextInt("Width");
  record.Height = fields.NextInt("Height");
  record.Color = fields.NextInt("Color");
  record.SpareInt1 = fields.NextInt("SpareInt1");
  record.LogoPos = fields.NextInt("LogoPos");
  record.SpareFlag = fields.NextBool("SpareFlag");
  record.SpareInt2 = fields.NextInt("SpareInt2");
  return record;
}

bool EndsWithLineBreak(std::string_view line) {
  return !line.empty() && line.back() == TFieldCursor::kLineBreak;
}

}  // namespace

TNoteItem* TNotePool::Add(const TNote& record) {
  TNote safe = record;
  safe.Title = TFieldText::SingleLine(record.Title);
  safe.ImageFile = TFieldText::SingleLine(record.ImageFile);
  safe.LogoFile = TFieldText::SingleLine(record.LogoFile);
  safe.Text = TFieldText::MultiLine(record.Text);
  auto* note = new TNoteItem(this, std::move(safe));
  TPoolItemList::Add(note);
  return note;
}

TNoteItem* TNotePool::AddLoaded(TNote record) {
  if (record.SheetID != -1) record.Sheet = sheets_->Resolve(record.SheetID, "SheetID", "sheet");
  auto note = std::make_unique<TNoteItem>(this, std::move(record));
  TNoteItem* added = note.get();
  AppendLoaded(std::move(note));
  return added;
}

void TNotePool::LoadFromFile(const std::string& fileName) {
  bool older = false;
  {
    TDataFileReader probe(fileName, kProbeChunk);
    older = probe.NextLine() && EndsWithLineBreak(probe.Line());
  }
  if (older) {
    LoadOldFormat(fileName);
  } else {
    LoadNewFormat(fileName);
  }
}

void TNotePool::LoadNewFormat(const std::string& fileName) {
  TDataFileReader::ForEachLine(fileName, [&](TDataFileReader& reader) {
    TFieldCursor fields(reader, reader.Line());
    fields.BeginRecord(kFields);
    TNote record = ReadHead(fields);
    record.Text = fields.NextMultiLineText();
    record.SheetID = fields.LastInt("SheetID");
    AddLoaded(std::move(record));
  });
}

void TNotePool::LoadOldFormat(const std::string& fileName) {
  TDataFileReader::ForEachLine(fileName, [&](TDataFileReader& reader) {
    TFieldCursor fields(reader, reader.Line());
    fields.ExpectAtLeastFields(kFieldsBeforeText + 1);
    TNote record = ReadHead(fields);
    // Each line of the text but the last ends with 0xFE; the last is
    // followed by the separator and SheetID.
    std::string text;
    while (EndsWithLineBreak(fields.Rest())) {
      text.append(fields.NextTextPart());
      text.append("\r\n");
      if (!reader.NextLine()) reader.Fail("the file ends inside the text of a note");
      fields.Reset(reader.Line());
    }
    if (TFieldCursor::FieldCount(fields.Rest()) != 2) {
      reader.Fail("the note's text must be followed by exactly one field, SheetID");
    }
    text.append(fields.NextField());
    record.Text = std::move(text);
    record.SheetID = fields.LastInt("SheetID");
    AddLoaded(std::move(record));
  });
}

void TNotePool::SaveToFile(const std::string& fileName) {
  TDataFileWriter writer(fileName);
  const std::int32_t count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    const TNoteItem* item = GetItem(i);
    const TNote& note = item->Record();
    writer.Int(i);
    writer.Text(note.Title);
    writer.Text(note.ImageFile);
    writer.Text(note.LogoFile);
    writer.Int(note.Kind);
    writer.Int(note.Width);
    writer.Int(note.Height);
    writer.Int(note.Color);
    writer.Int(note.SpareInt1);
    writer.Int(note.LogoPos);
    writer.Int(note.SpareFlag ? 1 : 0);
    writer.Int(note.SpareInt2);
    writer.MultiLineText(note.Text);
    writer.Int(note.Sheet ? sheets_->IndexOf(note.Sheet) : -1);
    writer.EndLine();
  }
  writer.Close();
}

void TNotePool::ForgetSheet(const TSheetItem* sheet) {
  const std::int32_t count = ItemCount();
  for (std::int32_t i = 0; i < count; ++i) {
    TNoteItem* note = ItemAt(i);
    if (note->Sheet() == sheet) note->SetSheet(nullptr);
  }
}
