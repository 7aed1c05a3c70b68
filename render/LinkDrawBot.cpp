#include "render/LinkDrawBot.h"

#include "base/InvalidPointer.h"
#include "base/Nearest.h"
#include "model/DataStructures.h"
#include "model/LinkItem.h"
#include "model/NoteItem.h"
#include "model/PosItem.h"
#include "model/RelationItem.h"
#include "render/PlatformCanvas.h"
#include "render/QOZSpline.h"
#include "render/SampleTable.h"
#include "render/VCanvas.h"

#include <cmath>
#include <cstring>
#include <optional>
#include <cstdlib>
#include <utility>

namespace {

constexpr std::int32_t kBlack = 0x000000;
constexpr std::int32_t kWhite = 0xFFFFFF;
constexpr std::int32_t kStartMarkRadius = 4;
constexpr std::int32_t kStartMarkSize = 8;

std::int32_t Round(float value) { return Nearest(value); }

}  // namespace

TLinkDrawBot::TLinkDrawBot(TVCanvas& canvas) : TDrawBot(canvas) { TLinkDrawBot::SetNormalMode(); }

TLinkDrawBot::~TLinkDrawBot() = default;

void TLinkDrawBot::SetGhostMode() {
  TDrawBot::SetGhostMode();
  drawCurve_ = true;
  drawStartMark_ = drawArrow_ = drawLabel_ = false;
}

void TLinkDrawBot::SetNormalMode() {
  TDrawBot::SetNormalMode();
  drawCurve_ = drawStartMark_ = drawArrow_ = drawLabel_ = true;
}

void TLinkDrawBot::SetLinkAndSheet(TLinkItem* link, TSheetItem* sheet) {
  link_ = link;
  sheet_ = sheet;
}

void TLinkDrawBot::Setup(TLinkItem* link, TSheetItem* sheet) {
  SetLinkAndSheet(link, sheet);
  if (!spline_) spline_ = std::make_unique<TQOZSpline>();
  spline_->BuildForLink(link, sheet);
}

std::string TLinkDrawBot::Label(const TLinkItem& link, const TSheetItem* sheet) {
  const std::string& name = link.Relation()->Name();
  return link.Sheet() == sheet ? name : "* " + name;
}

void TLinkDrawBot::Draw() {
  if (!link_) throw EInvalidPointer("TLinkDrawBot: Member not initialized...");
  if (!spline_) return;
  DrawParts(*spline_, Selected() ? spline_.get() : nullptr);
}

void TLinkDrawBot::DrawParts(const TBSpline& spline, const TQOZSpline* handles) {
  // The curve, its start circle and the handles all lie near the curve's
  // slots; the label can stand far out and is tested by itself.
  if (CurveMayShow(spline)) {
    TCurve* kept = drawCurve_ || drawStartMark_ ? KeptCurve(spline) : nullptr;
    if (drawCurve_) {
      DrawCurvePart(spline, kept);
      if (handles) DrawHandles(*handles);
    }
    if (drawStartMark_) DrawStartMarkPart(spline, kept);
  }
  if (drawLabel_) DrawLabelPart(spline);
  Canvas().Flush();
}

bool TLinkDrawBot::CurveMayShow(const TBSpline& spline) const {
  const TVCanvas& canvas = Canvas();
  if (canvas.Scale() <= 0) return true;
  float minX, minY, maxX, maxY;
  spline.Bounds(minX, minY, maxX, maxY);
  // Room for the start circle, the handle squares and a pen of any width.
  const long double margin =
      kStartMarkSize + std::abs(static_cast<long double>(link_->Width())) + 2 / canvas.Scale();
  return canvas.MayShow(FloorWhole(minX - margin), FloorWhole(minY - margin),
                        CeilWhole(maxX + margin), CeilWhole(maxY + margin));
}

void TLinkDrawBot::DrawCurvePart(const TBSpline& spline, TCurve* kept) {
  TVCanvas& canvas = Canvas();
  TVPen& pen = canvas.VPen();
  pen.SetWidth(link_->Width());
  if (Ghost()) {
    pen.SetWidth(0);
    pen.SetColor(kWhite);
    pen.SetMode(kPenModeXor);
  } else {
    pen.SetColor(link_->Color());
    pen.SetMode(kPenModeCopy);
  }
  if (kept) {
    canvas.Polyline(kept->Points, kept->Device);
  } else {
    Sample(spline, uncached_);
    canvas.Polyline(uncached_);
  }
}

std::size_t TLinkDrawBot::TCurveKeyHash::operator()(const TCurveKey& key) const {
  std::size_t hash = 1469598103934665603ull;
  for (float value : key) {
    std::uint32_t bits;
    static_assert(sizeof bits == sizeof value);
    std::memcpy(&bits, &value, sizeof bits);
    hash = (hash ^ bits) * 1099511628211ull;
  }
  return hash;
}

// Samples k / 150 for k = 1..150: 149 segments ending at the target's centre.
void TLinkDrawBot::Sample(const TBSpline& spline, std::vector<TPoint>& points) {
  const TSampleTable& samples = TSampleTable::LinkPolyline();
  points.resize(samples.Samples().size());
  for (std::size_t k = 0; k < points.size(); ++k) {
    const TVertex p = spline.Evaluate(samples, k);
    points[k] = {Round(p.X), Round(p.Y)};
  }
}

TLinkDrawBot::TCurve* TLinkDrawBot::KeptCurve(const TBSpline& spline) {
  constexpr std::size_t kKeptCurves = 1 << 15;
  if (spline.VertexCount() != 4) return nullptr;
  TCurveKey key;
  for (std::int32_t slot = 1; slot <= 4; ++slot) {
    const TVertex vertex = spline.Vertex(slot);
    if (vertex.Z != 0) return nullptr;
    key[static_cast<std::size_t>(2 * slot - 2)] = vertex.X;
    key[static_cast<std::size_t>(2 * slot - 1)] = vertex.Y;
  }
  const auto found = curves_.find(key);
  if (found != curves_.end()) return &found->second;
  // Sampled before it is kept: a curve that cannot be rounded keeps nothing.
  std::vector<TPoint> points;
  Sample(spline, points);
  if (curves_.size() >= kKeptCurves) curves_.clear();
  TCurve& curve = curves_[key];
  curve.Points = std::move(points);
  return &curve;
}

void TLinkDrawBot::DrawHandles(const TQOZSpline& spline) {
  TVCanvas& canvas = Canvas();
  TVPen& pen = canvas.VPen();
  pen.SetWidth(0);
  pen.SetColor(kBlack);
  pen.SetMode(kPenModeCopy);
  canvas.Brush().SetColor(kBlack);
  canvas.Brush().Style = kBrushStyleSolid;
  const auto joinSlots = [&](std::int32_t from, std::int32_t to) {
    canvas.MoveTo(Round(spline.Vertex(from).X), Round(spline.Vertex(from).Y));
    canvas.LineTo(Round(spline.Vertex(to).X), Round(spline.Vertex(to).Y));
  };
  canvas.FillRect(spline.HandleRect(TQOZSpline::kFromHandle));
  joinSlots(2, 1);
  canvas.FillRect(spline.HandleRect(TQOZSpline::kToHandle));
  joinSlots(3, 4);
}

// The circle sits where the curve first leaves the source note's box, found
// in steps of 0.01; without a box on this sheet it ends up at the last sample.
void TLinkDrawBot::DrawStartMarkPart(const TBSpline& spline, TCurve* kept) {
  TVCanvas& canvas = Canvas();
  const TNoteItem& from = *link_->FromNote();
  const TPosItem* position = from.LastPositionOn(sheet_);
  std::optional<TNoteBox> box;
  if (position) box = TNoteBox{position->X(), position->Y(), from.Width(), from.Height()};
  TVertex p;
  if (kept && kept->Mark && kept->MarkBox == box) {
    p = *kept->Mark;
  } else {
    p = StartMarkPoint(spline, box);
    if (kept) {
      kept->Mark = p;
      kept->MarkBox = box;
    }
  }
  TVPen& pen = canvas.VPen();
  pen.SetWidth(0);
  pen.SetColor(kBlack);
  canvas.Brush().SetColor(kNoColor);
  canvas.Brush().Style = kBrushStyleClear;
  const std::int32_t left = Nearest(p.X - kStartMarkRadius);
  const std::int32_t top = Nearest(p.Y - kStartMarkRadius);
  canvas.Ellipse(left, top, left + kStartMarkSize, top + kStartMarkSize);
}

TVertex TLinkDrawBot::StartMarkPoint(const TBSpline& spline, const std::optional<TNoteBox>& box) {
  TVertex p;
  const TSampleTable& samples = TSampleTable::LinkStartMarkSamples();
  for (std::size_t i = 0; i < samples.Samples().size(); ++i) {
    p = spline.Evaluate(samples, i);
    if (!box) continue;
    const std::int32_t x = Round(p.X);
    const std::int32_t y = Round(p.Y);
    const bool inside = box->X < x && x < std::int64_t{box->X} + box->W && box->Y < y &&
                        y < std::int64_t{box->Y} + box->H;
    if (!inside) break;
  }
  return p;
}

void TLinkDrawBot::DrawLabelPart(const TBSpline& spline) {
  TVCanvas& canvas = Canvas();
  const TVertex p = spline.Evaluate(TSampleTable::LinkMiddle(), 0);
  const std::string& name = link_->Relation()->Name();
  const std::int32_t th = canvas.Scaled(canvas.TextHeight(name));
  const std::int32_t y = Nearest(p.Y - th / 2.0L);
  // A line's glyphs reach at most two font heights below its top.
  if (canvas.Scale() > 0) {
    const long double reach = (2.0L * canvas.DrawingFontPixels() + 2) / canvas.Scale();
    constexpr std::int64_t kFar = std::int64_t{1} << 40;
    if (!canvas.MayShow(-kFar, y, kFar, y + CeilWhole(reach))) return;
  }
  const std::int32_t tw = canvas.Scaled(canvas.TextWidth(name));
  const std::int32_t x = Nearest(p.X - tw / 2.0L);
  const std::string text = Label(*link_, sheet_);
  canvas.TextOut(x, y, text);
}
