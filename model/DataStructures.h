#pragma once

#include <cstdint>
#include <string>

// The stored fields of each item kind, copied by value. Texts hold the bytes
// exactly as stored (Windows-1252); multi-line texts use CR LF line breaks.
// References sit beside the stored index they were resolved from: the index
// matters only while loading, the reference is authoritative afterwards.

class TSheetItem;
class TNoteItem;
class TRelationItem;
class TPoolItem;
class ITreeNode;

// Colours are 0x00BBGGRR; this value means "no colour" (a hollow brush).
inline constexpr std::int32_t kNoColor = 0x1FFFFFFF;

struct TNote {
  std::int32_t ID = -1;
  std::string Title = "New Note";
  std::string ImageFile;
  std::string LogoFile;
  std::int32_t Kind = -1;  // 0: aggregation note standing for Sheet
  std::int32_t Width = 80;
  std::int32_t Height = 50;
  std::int32_t Color = 65535;
  std::int32_t SpareInt1 = 16;
  std::int32_t LogoPos = 0;
  bool SpareFlag = true;
  std::int32_t SpareInt2 = 10;
  std::string Text;  // rich text, multi-line
  std::int32_t SheetID = 1;
  TSheetItem* Sheet = nullptr;
};

struct TSheet {
  std::int32_t ID = -1;
  std::string Title = "New Sheet";
  std::int32_t Color = 16777215;
  std::int32_t Width = 1000;
  std::int32_t Height = 1000;
  std::int32_t Zoom = 80;
  std::int32_t GridSize = 10;
  std::int32_t SpareInt = 1;
  std::string Description;  // multi-line
};

struct TAttachment {
  std::int32_t ID = -1;
  std::int32_t NoteID = -1;
  TNoteItem* Note = nullptr;
  std::string Title = "New Attachment";
  std::string FileName;
  std::string ExtraText;  // multi-line
  bool IsURL = false;
};

struct TPosition {
  std::int32_t ID = -1;
  std::int32_t NoteID = -1;
  TNoteItem* Note = nullptr;
  std::int32_t SheetID = -1;
  TSheetItem* Sheet = nullptr;
  std::int32_t X = -1;  // -1: assigned to the sheet but not placed
  std::int32_t Y = -1;
};

struct TLink {
  std::int32_t ID = -1;
  std::int32_t SheetID = -1;
  TSheetItem* Sheet = nullptr;
  std::int32_t FromNoteID = -1;
  TNoteItem* FromNote = nullptr;
  std::int32_t ToNoteID = -1;
  TNoteItem* ToNote = nullptr;
  std::int32_t RelationID = -1;
  TRelationItem* Relation = nullptr;
  // In the default record these are the bounds new links draw their random
  // offsets from, not values any link keeps.
  std::int32_t Ctrl1X = 50;
  std::int32_t Ctrl1Y = 50;
  std::int32_t Ctrl2X = 50;
  std::int32_t Ctrl2Y = 50;
  std::uint8_t ArrowStyle = 2;
  std::int32_t Width = 1;
  std::int32_t Color = 0;
  std::int32_t LineStyle = 1;  // 0 curved, 1 straight
  std::int32_t SpareInt = 1;
};

struct TRelation {
  std::int32_t ID = -1;
  std::string Name = "New Relation";
  std::int32_t SpareInt = -1;
};

// Never stored: ties a navigator tree node to the item it shows.
struct TTreeNodeData {
  std::int32_t ID = -1;
  std::int32_t SpareID = -1;
  TPoolItem* Item = nullptr;  // a sheet, note, attachment or position
  ITreeNode* Node = nullptr;
};

// The default record of each kind: every new item starts from a copy.
inline const TNote DefaultNote{};
inline const TSheet DefaultSheet{};
inline const TAttachment DefaultAttachment{};
inline const TPosition DefaultPosition{};
inline const TLink DefaultLink{};
inline const TRelation DefaultRelation{};
inline const TTreeNodeData DefaultTreeNodeData{};
