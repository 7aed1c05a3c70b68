#include "model/RelationPool.h"

#include "model/DataFileReader.h"
#include "model/DataFileWriter.h"
#include "model/FieldCursor.h"
#include "model/FieldText.h"

#include <memory>
#include <utility>

TRelationItem* TRelationPool::Add(const TRelation& record) {
  TRelation safe = record;
  safe.Name = TFieldText::SingleLine(record.Name);
  auto* relation = new TRelationItem(this, std::move(safe));
  TPoolItemList::Add(relation);
  return relation;
}

TRelationItem* TRelationPool::AddLoaded(TRelation record) {
  auto relation = std::make_unique<TRelationItem>(this, std::move(record));
  TRelationItem* added = relation.get();
  AppendLoaded(std::move(relation));
  return added;
}

void TRelationPool::LoadFromFile(const std::string& fileName) {
  TDataFileReader::ForEachLine(fileName, [&](TDataFileReader& reader) {
    TFieldCursor fields(reader, reader.Line());
    fields.BeginRecord(3);
    TRelation record = DefaultRelation;
    record.ID = fields.NextInt("ID");
    record.Name = fields.NextText();
    record.SpareInt = fields.LastInt("SpareInt");
    AddLoaded(std::move(record));
  });
}

void TRelationPool::SaveToFile(const std::string& fileName) {
  TDataFileWriter writer(fileName);
  const std::int32_t count = Count();
  for (std::int32_t i = 0; i < count; ++i) {
    const TRelation& relation = GetItem(i)->Record();
    writer.Int(i);
    writer.Text(relation.Name);
    writer.Int(relation.SpareInt);
    writer.EndLine();
  }
  writer.Close();
}
