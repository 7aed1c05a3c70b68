#include "ModelPools.h"

#include <stdexcept>

namespace qoztest {

std::string DataFileName(TKind kind) {
  switch (kind) {
    case TKind::Sheet:
      return "P_Sht.dat";
    case TKind::Note:
      return "P_Not.dat";
    case TKind::Relation:
      return "P_Rel.dat";
    case TKind::Position:
      return "P_Pos.dat";
    case TKind::Attachment:
      return "P_Att.dat";
    case TKind::Link:
      return "P_Lnk.dat";
  }
  throw std::logic_error("unknown kind");
}

TModelPools::TModelPools() {
  notes.Connect(&sheets);
  sheets.Connect(&notes);
  positions.Connect(&sheets, &notes);
  attachments.Connect(&notes);
  links.Connect(&sheets, &notes, &relations);
  sheetNodes.SetShownPool(&sheets);
  noteNodes.SetShownPool(&notes);
  attachNodes.SetShownPool(&attachments);
  posNodes.SetShownPool(&positions);
}

TPool& TModelPools::Pool(TKind kind) {
  switch (kind) {
    case TKind::Sheet:
      return sheets;
    case TKind::Note:
      return notes;
    case TKind::Relation:
      return relations;
    case TKind::Position:
      return positions;
    case TKind::Attachment:
      return attachments;
    case TKind::Link:
      return links;
  }
  throw std::logic_error("unknown kind");
}

void TModelPools::Load(const std::string& dir, std::initializer_list<TKind> kinds) {
  for (TKind kind : kLoadOrder) {
    for (TKind wanted : kinds) {
      if (wanted == kind) Pool(kind).LoadFromFile(dir + "/" + DataFileName(kind));
    }
  }
}

void TModelPools::LoadAll(const std::string& dir) {
  Load(dir, {TKind::Sheet, TKind::Note, TKind::Relation, TKind::Position, TKind::Attachment,
             TKind::Link});
}

void TModelPools::SaveAll(const std::string& dir) {
  for (TKind kind : kLoadOrder) Pool(kind).SaveToFile(dir + "/" + DataFileName(kind));
}

void TModelPools::SetModified(bool modified) {
  for (TKind kind : kLoadOrder) Pool(kind).SetModified(modified);
}

TSheetItem* TModelPools::AddSheet(const std::string& title) {
  TSheet record = DefaultSheet;
  record.Title = title;
  return sheets.Add(record);
}

TNoteItem* TModelPools::AddNote(const std::string& title, std::int32_t kind, TSheetItem* sheet) {
  TNote record = DefaultNote;
  record.Title = title;
  record.Kind = kind;
  record.Sheet = sheet;
  return notes.Add(record);
}

TRelationItem* TModelPools::AddRelation(const std::string& name) {
  TRelation record = DefaultRelation;
  record.Name = name;
  return relations.Add(record);
}

TPosItem* TModelPools::AddPosition(TNoteItem* note, TSheetItem* sheet, std::int32_t x,
                                   std::int32_t y) {
  TPosition record = DefaultPosition;
  record.Note = note;
  record.Sheet = sheet;
  record.X = x;
  record.Y = y;
  return positions.Add(record);
}

TAttachItem* TModelPools::AddAttachment(TNoteItem* note, const std::string& title) {
  TAttachment record = DefaultAttachment;
  record.Note = note;
  record.Title = title;
  return attachments.Add(record);
}

TLinkItem* TModelPools::AddLink(TSheetItem* sheet, TNoteItem* from, TNoteItem* to,
                                TRelationItem* relation) {
  TLink record = DefaultLink;
  record.Sheet = sheet;
  record.FromNote = from;
  record.ToNote = to;
  record.Relation = relation;
  return links.Add(record);
}

TRecordingTreeNode& TModelPools::AddTreeNode(TPoolItem* item) {
  TRecordingTreeNode& recorder = recorders_.emplace_back();
  TTreeNodeData data = DefaultTreeNodeData;
  data.Item = item;
  data.Node = &recorder;
  if (dynamic_cast<TSheetItem*>(item)) {
    sheetNodes.AddNode(data);
  } else if (dynamic_cast<TNoteItem*>(item)) {
    noteNodes.AddNode(data);
  } else if (dynamic_cast<TAttachItem*>(item)) {
    attachNodes.AddNode(data);
  } else {
    posNodes.AddNode(data);
  }
  return recorder;
}

}  // namespace qoztest
