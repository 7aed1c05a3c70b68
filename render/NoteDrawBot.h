#pragma once

#include "render/CanvasState.h"
#include "render/DrawBot.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

class TNoteItem;
class TPlatformCanvas;
class TPosItem;
class TSheetItem;

// Draws one note on a sheet: its box (clipped to the sheet), picture, logo,
// title with link count, and the selection marks; an aggregation note gets a
// drop shadow instead of picture and logo. Note and sheet are not owned.
// Draw throws EInvalidPointer when either is missing or the note has no
// position on the sheet; it draws nothing for a note that is not placed.
// Pictures that are missing or cannot be decoded are skipped.
class TNoteDrawBot : public TDrawBot {
 public:
  explicit TNoteDrawBot(TVCanvas& canvas);

  void SetGhostMode() override;
  void SetNormalMode() override;
  void Draw() override;

  TNoteItem* Note() const { return note_; }
  TSheetItem* Sheet() const { return sheet_; }
  void SetNote(TNoteItem* note) { note_ = note; }
  void SetSheet(TSheetItem* sheet) { sheet_ = sheet; }
  bool DrawImage() const { return drawImage_; }
  bool DrawLogo() const { return drawLogo_; }
  bool DrawText() const { return drawText_; }
  void SetDrawImage(bool on) { drawImage_ = on; }
  void SetDrawLogo(bool on) { drawLogo_ = on; }
  void SetDrawText(bool on) { drawText_ = on; }

  static std::string Caption(const TNoteItem& note);

 private:
  struct TBox {
    std::int32_t X, Y, W, H;
  };

  TBox ClippedBox(const TPosItem& position) const;
  TBox LogoBox(const TBox& box) const;
  bool HasLogo() const;
  bool MayShow(const TBox& box, const TPosItem& position) const;
  bool TitleMayShow(const TPosItem& position) const;
  void DrawFrame(const TBox& box);
  void DrawPicture(const TBox& box);
  void DrawLogoPicture(const TBox& box);
  void DrawTitle(const TPosItem& position);
  void DrawSelectionMarks(const TBox& box);

  // One line of a laid-out title: its top in world units and its text.
  struct TTitleLine {
    std::int32_t Y;
    std::string Text;
  };
  using TTitleLines = std::vector<TTitleLine>;
  // What a title's lines depend on: measuring is done in the surface's font
  // at the zoom, so an unchanged note on an unchanged view is laid out once.
  struct TTitleKey {
    std::string Caption;
    std::int32_t Avail, Y, Bottom, ZoomPercent;
    bool Printing;
    TPlatformFont Font;
    bool operator==(const TTitleKey&) const = default;
  };
  struct TTitleKeyHash {
    std::size_t operator()(const TTitleKey& key) const;
  };
  const TTitleLines& TitleLines(TTitleKey key);
  TTitleLines LayOutTitle(const TTitleKey& key) const;
  void LayOutWrappedTitle(const TTitleKey& key, TTitleLines& lines) const;

  std::unordered_map<TTitleKey, TTitleLines, TTitleKeyHash> titles_;
  const TPlatformCanvas* titlesTarget_ = nullptr;  // the surface they were measured on

  TNoteItem* note_ = nullptr;
  TSheetItem* sheet_ = nullptr;
  bool drawImage_ = true;
  bool drawLogo_ = true;
  bool drawText_ = true;
};
