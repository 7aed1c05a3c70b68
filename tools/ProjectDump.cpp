#include "tools/ProjectDump.h"

#include "base/Cp1252.h"
#include "model/AttachPool.h"
#include "model/LinkPool.h"
#include "model/NotePool.h"
#include "model/PosPool.h"
#include "model/RelationPool.h"
#include "model/SheetPool.h"
#include "project/Container.h"

using nlohmann::ordered_json;

namespace {

std::string Utf8(const std::string& bytes) { return TCp1252::ToUtf8(bytes); }

ordered_json Sheets(const TContainer& c) {
  ordered_json sheets = ordered_json::array();
  for (std::int32_t i = 0; i < c.SheetPool().ItemCount(); ++i) {
    const TSheet& s = c.SheetPool().ItemAt(i)->Record();
    sheets.push_back({{"title", Utf8(s.Title)},
                      {"color", s.Color},
                      {"width", s.Width},
                      {"height", s.Height},
                      {"zoom", s.Zoom},
                      {"gridSize", s.GridSize},
                      {"spareInt", s.SpareInt},
                      {"description", Utf8(s.Description)}});
  }
  return sheets;
}

ordered_json Notes(const TContainer& c) {
  ordered_json notes = ordered_json::array();
  for (std::int32_t i = 0; i < c.NotePool().ItemCount(); ++i) {
    const TNoteItem* note = c.NotePool().ItemAt(i);
    const TNote& n = note->Record();
    notes.push_back({{"title", Utf8(n.Title)},
                     {"imageFile", Utf8(n.ImageFile)},
                     {"logoFile", Utf8(n.LogoFile)},
                     {"kind", n.Kind},
                     {"width", n.Width},
                     {"height", n.Height},
                     {"color", n.Color},
                     {"spareInt1", n.SpareInt1},
                     {"logoPos", n.LogoPos},
                     {"spareFlag", n.SpareFlag},
                     {"spareInt2", n.SpareInt2},
                     {"text", Utf8(n.Text)},
                     {"sheet", note->IsAggregation() ? c.SheetPool().IndexOf(note->Sheet()) : -1}});
  }
  return notes;
}

ordered_json Relations(const TContainer& c) {
  ordered_json relations = ordered_json::array();
  for (std::int32_t i = 0; i < c.RelationPool().ItemCount(); ++i) {
    const TRelation& r = c.RelationPool().ItemAt(i)->Record();
    relations.push_back({{"name", Utf8(r.Name)}, {"spareInt", r.SpareInt}});
  }
  return relations;
}

ordered_json Positions(const TContainer& c) {
  ordered_json positions = ordered_json::array();
  for (std::int32_t i = 0; i < c.PosPool().ItemCount(); ++i) {
    const TPosItem* p = c.PosPool().ItemAt(i);
    positions.push_back({{"note", c.NotePool().IndexOf(p->Note())},
                         {"sheet", c.SheetPool().IndexOf(p->Sheet())},
                         {"x", p->X()},
                         {"y", p->Y()}});
  }
  return positions;
}

ordered_json Attachments(const TContainer& c) {
  ordered_json attachments = ordered_json::array();
  for (std::int32_t i = 0; i < c.AttachPool().ItemCount(); ++i) {
    const TAttachItem* a = c.AttachPool().ItemAt(i);
    attachments.push_back({{"note", c.NotePool().IndexOf(a->Note())},
                           {"title", Utf8(a->Title())},
                           {"fileName", Utf8(a->FileName())},
                           {"extraText", Utf8(a->ExtraText())},
                           {"isURL", a->IsURL()}});
  }
  return attachments;
}

ordered_json Links(const TContainer& c) {
  ordered_json links = ordered_json::array();
  for (std::int32_t i = 0; i < c.LinkPool().ItemCount(); ++i) {
    const TLinkItem* l = c.LinkPool().ItemAt(i);
    const TLink& r = l->Record();
    links.push_back({{"sheet", c.SheetPool().IndexOf(l->Sheet())},
                     {"from", c.NotePool().IndexOf(l->FromNote())},
                     {"to", c.NotePool().IndexOf(l->ToNote())},
                     {"relation", c.RelationPool().IndexOf(l->Relation())},
                     {"ctrl1X", r.Ctrl1X},
                     {"ctrl1Y", r.Ctrl1Y},
                     {"ctrl2X", r.Ctrl2X},
                     {"ctrl2Y", r.Ctrl2Y},
                     {"arrowStyle", r.ArrowStyle},
                     {"width", r.Width},
                     {"color", r.Color},
                     {"lineStyle", r.LineStyle},
                     {"spareInt", r.SpareInt}});
  }
  return links;
}

}  // namespace

ordered_json TProjectDump::ToJson(const TContainer& container, const std::string& projectFile) {
  ordered_json dump;
  dump["projectFile"] = projectFile;
  dump["showGrid"] = container.ShowGrid();
  dump["sheets"] = Sheets(container);
  dump["notes"] = Notes(container);
  dump["relations"] = Relations(container);
  dump["positions"] = Positions(container);
  dump["attachments"] = Attachments(container);
  dump["links"] = Links(container);
  return dump;
}
