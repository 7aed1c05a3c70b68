#pragma once

#include "render/DrawBot.h"

#include <cstdint>
#include <vector>

class TNoteItem;
class TSheetItem;

// The rectangle that follows the pointer while notes are dragged: the size of
// the dragged notes' bounding box on the sheet, kept at the offset at which
// the user grabbed it, drawn with the xor pen so that a second drawing at the
// same place erases it. All values are world coordinates.
class TSelDrawBot : public TDrawBot {
 public:
  explicit TSelDrawBot(TVCanvas& canvas);

  // Copies the notes, computes their bounding box and remembers the grab
  // point (x, y). Every note must have a position on Sheet (EInvalidPointer
  // otherwise). With no notes the box is empty, at (0, 0).
  void Begin(const std::vector<TNoteItem*>& notes, std::int32_t x, std::int32_t y);
  // Draws the box at the pointer held in BoxLeft/BoxTop and erases it at
  // LastX/LastY. Throws EInvalidPointer without notes or sheet.
  void Draw() override;
  // Toggles the box at LastX/LastY: shows it when hidden, hides it when shown.
  void DrawAtLast();

  const std::vector<TNoteItem*>& Notes() const { return notes_; }
  TSheetItem* Sheet() const { return sheet_; }
  void SetSheet(TSheetItem* sheet) { sheet_ = sheet; }
  std::int32_t BoxTop() const { return boxTop_; }
  std::int32_t BoxLeft() const { return boxLeft_; }
  // The owner puts the pointer's world position here before each Draw.
  void SetBoxTop(std::int32_t top) { boxTop_ = top; }
  void SetBoxLeft(std::int32_t left) { boxLeft_ = left; }
  std::int32_t BoxWidth() const { return boxWidth_; }
  std::int32_t BoxHeight() const { return boxHeight_; }
  std::int32_t LastX() const { return lastX_; }
  std::int32_t LastY() const { return lastY_; }
  std::int32_t GrabX() const { return grabX_; }
  std::int32_t GrabY() const { return grabY_; }

 private:
  void XorBoxAt(std::int32_t pointerX, std::int32_t pointerY);

  std::vector<TNoteItem*> notes_;
  TSheetItem* sheet_ = nullptr;
  std::int32_t boxTop_ = 0;
  std::int32_t boxLeft_ = 0;
  std::int32_t boxWidth_ = 0;
  std::int32_t boxHeight_ = 0;
  std::int32_t lastX_ = 0;
  std::int32_t lastY_ = 0;
  std::int32_t grabX_ = 0;
  std::int32_t grabY_ = 0;
};
