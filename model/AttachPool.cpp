#include "model/AttachPool.h"

#include "model/DataFileReader.h"
#include "model/DataFileWriter.h"
#include "model/FieldCursor.h"
#include "model/FieldText.h"
#include "model/NotePool.h"

#include <memory>
#include <utility>

TAttachItem* TAttachPool::Add(const TAttachment& record) {
  TAttachment safe = record;
  safe.Title = TFieldText::SingleLine(record.Title);
  safe.FileName = TFieldText::SingleLine(record.FileName);
  safe.ExtraText = TFieldText::MultiLine(record.ExtraText);
  auto* attachment = new TAttachItem(this, std::move(safe));
  TPoolItemList::Add(attachment);
  return attachment;
}

TAttachItem* TAttachPool::AddLoaded(TAttachment record) {
  record.Note = notes_->Resolve(record.NoteID, "NoteID", "note");
  auto attachment = std::make_unique<TAttachItem>(this, std::move(record));
  TAttachItem* added = attachment.get();
  AppendLoaded(std::move(attachment));
  return added;
}

void TAttachPool::LoadFromFile(const std::string& fileName) {
  TDataFileReader::ForEachLine(fileName, [&](TDataFileReader& reader) {
    TFieldCursor fields(reader, reader.Line());
    fields.BeginRecord(6);
    TAttachment record = DefaultAttachment;
    record.ID = fields.NextInt("ID");
    record.NoteID = fields.NextInt("NoteID");
    record.Title = fields.NextText();
    record.FileName = fields.NextText();
    record.ExtraText = fields.NextMultiLineText();
    record.IsURL = fields.LastBool("IsURL");
    AddLoaded(std::move(record));
  });
}

void TAttachPool::SaveToFile(const std::string& fileName) {
  TDataFileWriter writer(fileName);
  const std::int32_t count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    const TAttachItem* attachment = GetItem(i);
    const TAttachment& record = attachment->Record();
    writer.Int(i);
    writer.Int(notes_->IndexOf(attachment->Note()));
    writer.Text(record.Title);
    writer.Text(record.FileName);
    writer.MultiLineText(record.ExtraText);
    writer.Int(record.IsURL ? 1 : 0);
    writer.EndLine();
  }
  writer.Close();
}
