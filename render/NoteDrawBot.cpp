#include "render/NoteDrawBot.h"

#include "base/Convert.h"
#include "base/InvalidPointer.h"
#include "base/Nearest.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/SheetItem.h"
#include "render/PlatformCanvas.h"
#include "render/VCanvas.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

namespace {

constexpr std::int32_t kBlack = 0x000000;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kShadowOffset = 5;
constexpr std::int32_t kLogoSize = 32;
constexpr std::int32_t kCornerSize = 7;
constexpr std::int32_t kTextInset = 3;
constexpr std::int32_t kTextMargin = 8;
constexpr int kMaxWordsPerLine = 100;

// Cuts the first word of rest, up to and including its first space; empty
// (and rest unchanged) when rest has no space.
std::string TakeWord(std::string& rest) {
  const std::size_t space = rest.find(' ');
  if (space == std::string::npos) return {};
  std::string word = rest.substr(0, space + 1);
  rest.erase(0, space + 1);
  return word;
}

}  // namespace

TNoteDrawBot::TNoteDrawBot(TVCanvas& canvas) : TDrawBot(canvas) { TNoteDrawBot::SetNormalMode(); }

void TNoteDrawBot::SetGhostMode() {
  TDrawBot::SetGhostMode();
  drawImage_ = drawLogo_ = drawText_ = false;
}

void TNoteDrawBot::SetNormalMode() {
  TDrawBot::SetNormalMode();
  drawImage_ = drawLogo_ = drawText_ = true;
}

std::string TNoteDrawBot::Caption(const TNoteItem& note) {
  return note.Title() + " <" + IntToStr(note.LinkInCount() + note.LinkOutCount()) + ">";
}

void TNoteDrawBot::Draw() {
  if (!note_ || !sheet_) throw EInvalidPointer("TNoteDrawBot: Members not initialized...");
  const TPosItem* position = note_->LastPositionOn(sheet_);
  if (!position) throw EInvalidPointer("TNoteDrawBot: No Position...");
  if (!note_->IsPlacedOn(sheet_)) return;
  const TBox box = ClippedBox(*position);
  if (!MayShow(box, *position)) return;
  DrawFrame(box);
  if (drawImage_ && !note_->IsAggregation()) DrawPicture(box);
  if (drawLogo_ && !note_->IsAggregation()) DrawLogoPicture(box);
  if (drawText_) DrawTitle(*position);
  if (Selected()) DrawSelectionMarks(box);
}

TNoteDrawBot::TBox TNoteDrawBot::ClippedBox(const TPosItem& position) const {
  TBox box{position.X(), position.Y(), note_->Width(), note_->Height()};
  // Each dimension is clipped by itself, so a note at the sheet's right edge
  // keeps its height.
  if (CheckedAdd(box.X, box.W) >= sheet_->Width()) box.W = CheckedSub(sheet_->Width(), box.X);
  if (CheckedAdd(box.Y, box.H) >= sheet_->Height()) box.H = CheckedSub(sheet_->Height(), box.Y);
  return box;
}

bool TNoteDrawBot::HasLogo() const {
  return drawLogo_ && !note_->IsAggregation() && !note_->LogoFile().empty();
}

TNoteDrawBot::TBox TNoteDrawBot::LogoBox(const TBox& box) const {
  // The logo is 32 units wide with a 1-unit inset on each side, so the steps
  // between its places are (w - 34) / 2, truncated toward zero.
  const std::int32_t colStep = (box.W - 98) / 2 + kLogoSize;
  const std::int32_t rowStep = (box.H - 98) / 2 + kLogoSize;
  const std::int32_t place = note_->LogoPos();
  const std::int64_t left = std::int64_t{box.X} + std::int64_t{place % 3} * colStep + 1;
  const std::int64_t top = std::int64_t{box.Y} + std::int64_t{place / 3} * rowStep + 1;
  return {CheckedAdd(0, left), CheckedAdd(0, top), kLogoSize, kLogoSize};
}

// Whether any part of the note could show on the target. Box, shadow, picture
// and selection marks lie within the box and its shadow; the logo can stand
// outside for odd places; the title starts inside but may overflow to the
// right and, in a very low box, below it.
bool TNoteDrawBot::MayShow(const TBox& box, const TPosItem& position) const {
  const TVCanvas& canvas = Canvas();
  const std::int64_t left = std::min<std::int64_t>(box.X, std::int64_t{box.X} + box.W);
  const std::int64_t top = std::min<std::int64_t>(box.Y, std::int64_t{box.Y} + box.H);
  const std::int64_t right = std::max<std::int64_t>(box.X, std::int64_t{box.X} + box.W);
  const std::int64_t bottom = std::max<std::int64_t>(box.Y, std::int64_t{box.Y} + box.H);
  if (canvas.MayShow(left, top, right + kShadowOffset, bottom + kShadowOffset)) return true;
  if (HasLogo()) {
    const TBox logo = LogoBox(box);
    if (canvas.MayShow(logo.X, logo.Y, std::int64_t{logo.X} + logo.W,
                       std::int64_t{logo.Y} + logo.H)) {
      return true;
    }
  }
  return drawText_ && TitleMayShow(position);
}

bool TNoteDrawBot::TitleMayShow(const TPosItem& position) const {
  const TVCanvas& canvas = Canvas();
  if (canvas.Scale() <= 0) return true;
  // A line's glyphs reach at most two font heights below its top; every line
  // but the first starts above the box's bottom edge.
  const long double lineReach = (2.0L * canvas.DrawingFontPixels() + 2) / canvas.Scale();
  const std::int64_t left = std::int64_t{position.X()} + kTextInset;
  const std::int64_t top = std::int64_t{position.Y()} + kTextInset;
  const std::int64_t lowestLineTop =
      std::max<std::int64_t>(top, std::int64_t{position.Y()} + 1 + note_->Height());
  const std::int64_t bottom = CeilWhole(lowestLineTop + lineReach);
  constexpr std::int64_t kFarRight = std::numeric_limits<std::int32_t>::max() * 4LL;
  if (!canvas.MayShow(left, top, kFarRight, bottom)) return false;
  // No line is wider than the whole caption; a few pixels more cover kerning.
  const std::int32_t width = canvas.DrawnTextWidth(Caption(*note_) + " ");
  const long double reach = (width + canvas.DrawingFontPixels() + 2.0L) / canvas.Scale();
  return canvas.MayShow(left, top, left + CeilWhole(reach), bottom);
}

void TNoteDrawBot::DrawFrame(const TBox& box) {
  TVCanvas& canvas = Canvas();
  TVPen& pen = canvas.VPen();
  pen.SetWidth(0);
  pen.SetColor(kBlack);
  pen.SetStyle(kPenStyleSolid);
  const std::int32_t right = CheckedAdd(box.X, box.W);
  const std::int32_t bottom = CheckedAdd(box.Y, box.H);
  if (note_->IsAggregation()) {
    canvas.Brush().SetColor(kBlack);
    canvas.Rectangle(CheckedAdd(box.X, kShadowOffset), CheckedAdd(box.Y, kShadowOffset),
                     CheckedAdd(right, kShadowOffset), CheckedAdd(bottom, kShadowOffset));
  }
  canvas.Brush().SetColor(Filled() ? note_->Color() : kNoColor);
  pen.SetMode(Ghost() ? kPenModeXor : kPenModeCopy);
  canvas.Rectangle(box.X, box.Y, right, bottom);
  pen.SetMode(kPenModeCopy);
  pen.SetStyle(kPenStyleSolid);
  canvas.Brush().SetColor(note_->Color());
  canvas.Brush().Style = kBrushStyleSolid;
}

void TNoteDrawBot::DrawPicture(const TBox& box) {
  if (note_->ImageFile().empty()) return;
  const auto picture = Canvas().Target().LoadPicture(note_->ImageFile());
  if (!picture) return;
  Canvas().StretchDraw({CheckedAdd(box.X, 1), CheckedAdd(box.Y, 1),
                        CheckedSub(CheckedAdd(box.X, box.W), 1),
                        CheckedSub(CheckedAdd(box.Y, box.H), 1)},
                       *picture);
}

void TNoteDrawBot::DrawLogoPicture(const TBox& box) {
  if (note_->LogoFile().empty()) return;
  const auto picture = Canvas().Target().LoadPicture(note_->LogoFile());
  if (!picture) return;
  const TBox logo = LogoBox(box);
  Canvas().StretchDraw(
      {logo.X, logo.Y, CheckedAdd(logo.X, logo.W), CheckedAdd(logo.Y, logo.H)}, *picture);
}

void TNoteDrawBot::DrawTitle(const TPosItem& position) {
  TVCanvas& canvas = Canvas();
  const std::int32_t x = CheckedAdd(position.X(), kTextInset);
  const TTitleKey key{Caption(*note_),
                      CheckedSub(note_->Width(), kTextMargin),
                      CheckedAdd(position.Y(), kTextInset),
                      CheckedAdd(position.Y(), CheckedAdd(1, note_->Height())),
                      canvas.ZoomPercent(),
                      canvas.Printing(),
                      canvas.Target().Font()};
  for (const TTitleLine& line : TitleLines(key)) canvas.TextOut(x, line.Y, line.Text);
}

std::size_t TNoteDrawBot::TTitleKeyHash::operator()(const TTitleKey& key) const {
  std::size_t hash = std::hash<std::string>()(key.Caption);
  for (const std::int32_t value :
       {key.Avail, key.Y, key.Bottom, key.ZoomPercent, key.Font.Height, key.Font.PixelsPerInch}) {
    hash = (hash ^ static_cast<std::uint32_t>(value)) * 1099511628211ull;
  }
  return hash;
}

const TNoteDrawBot::TTitleLines& TNoteDrawBot::TitleLines(TTitleKey key) {
  constexpr std::size_t kKeptTitles = 1 << 14;
  // Another surface may measure otherwise.
  const TPlatformCanvas* target = &Canvas().Target();
  if (target != titlesTarget_) {
    titles_.clear();
    titlesTarget_ = target;
  }
  const auto found = titles_.find(key);
  if (found != titles_.end()) return found->second;
  TTitleLines lines = LayOutTitle(key);
  if (titles_.size() >= kKeptTitles) titles_.clear();
  return titles_.emplace(std::move(key), std::move(lines)).first->second;
}

TNoteDrawBot::TTitleLines TNoteDrawBot::LayOutTitle(const TTitleKey& key) const {
  const TVCanvas& canvas = Canvas();
  TTitleLines lines;
  if (canvas.Scaled(canvas.TextWidth(key.Caption)) < key.Avail) {
    lines.push_back({key.Y, key.Caption});
  } else {
    LayOutWrappedTitle(key, lines);
  }
  return lines;
}

// Breaks the caption at single spaces into lines narrower than avail; a word
// wider than the box stands on a line of its own, and the last line that
// still fits above the box's bottom takes whatever text is left.
void TNoteDrawBot::LayOutWrappedTitle(const TTitleKey& key, TTitleLines& lines) const {
  const TVCanvas& canvas = Canvas();
  const auto fits = [&](const std::string& text) {
    return canvas.Scaled(canvas.TextWidth(text)) < key.Avail;
  };
  std::string rest = key.Caption + " ";
  std::string word;
  const std::int32_t lineHeight = canvas.Scaled(canvas.TextHeight(rest));
  std::int32_t ty = key.Y;
  for (;;) {
    std::string line;
    int taken = 0;
    while (taken < kMaxWordsPerLine && fits(line + word)) {
      ++taken;
      line += word;
      word = TakeWord(rest);
    }
    if (line.empty() && !word.empty()) {
      line = word;
      word.clear();
    }
    lines.push_back({ty, line});
    ty = CheckedAdd(ty, lineHeight);
    // Without a line height the lines could not move down: stop after one.
    if (lineHeight <= 0 || fits(word + rest) || CheckedAdd(ty, lineHeight) > key.Bottom ||
        taken >= kMaxWordsPerLine) {
      break;
    }
  }
  if (CheckedAdd(ty, lineHeight) < key.Bottom) lines.push_back({ty, word + rest});
}

void TNoteDrawBot::DrawSelectionMarks(const TBox& box) {
  TVCanvas& canvas = Canvas();
  TVPen& pen = canvas.VPen();
  const std::int32_t right = CheckedAdd(box.X, box.W);
  const std::int32_t bottom = CheckedAdd(box.Y, box.H);
  pen.SetColor(kWhite);
  pen.SetStyle(kPenStyleDot);
  canvas.Brush().SetColor(kBlack);
  canvas.Brush().Style = kBrushStyleBDiagonal;
  canvas.Rectangle(box.X, box.Y, right, bottom);
  pen.SetColor(kBlack);
  pen.SetStyle(kPenStyleSolid);
  canvas.Brush().SetColor(kBlack);
  canvas.Brush().Style = kBrushStyleSolid;
  const std::int32_t innerLeft = CheckedSub(right, kCornerSize);
  const std::int32_t innerTop = CheckedSub(bottom, kCornerSize);
  canvas.Rectangle(box.X, box.Y, CheckedAdd(box.X, kCornerSize), CheckedAdd(box.Y, kCornerSize));
  canvas.Rectangle(box.X, innerTop, CheckedAdd(box.X, kCornerSize), bottom);
  canvas.Rectangle(innerLeft, box.Y, right, CheckedAdd(box.Y, kCornerSize));
  canvas.Rectangle(innerLeft, innerTop, right, bottom);
  pen.SetMode(kPenModeCopy);
  canvas.Brush().SetColor(note_->Color());
}
