#pragma once

#include "render/DrawBot.h"

#include "render/BSpline.h"
#include "render/Point.h"
#include "render/VCanvas.h"

#include <array>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TLinkItem;
class TQOZSpline;
class TSheetItem;

// Draws one link on a sheet: its curve in the link's colour and width, a
// small circle where the curve leaves the source note (the direction), and
// the relation type's name at the curve's middle ("* " before it when the
// link belongs to another sheet). A selected link also shows its two handles.
// Call Setup before Draw; Draw throws EInvalidPointer without a link.
class TLinkDrawBot : public TDrawBot {
 public:
  explicit TLinkDrawBot(TVCanvas& canvas);
  ~TLinkDrawBot() override;

  void SetGhostMode() override;
  void SetNormalMode() override;
  void Draw() override;

  // Builds the link's curve on the sheet; both notes need a position there.
  void Setup(TLinkItem* link, TSheetItem* sheet);

  TLinkItem* Link() const { return link_; }
  TSheetItem* Sheet() const { return sheet_; }
  const TQOZSpline* Spline() const { return spline_.get(); }
  bool DrawCurve() const { return drawCurve_; }
  bool DrawStartMark() const { return drawStartMark_; }
  bool DrawArrow() const { return drawArrow_; }
  bool DrawLabel() const { return drawLabel_; }
  void SetDrawCurve(bool on) { drawCurve_ = on; }
  void SetDrawStartMark(bool on) { drawStartMark_ = on; }
  // The arrow draws nothing: a link's direction is shown by its start circle.
  void SetDrawArrow(bool on) { drawArrow_ = on; }
  void SetDrawLabel(bool on) { drawLabel_ = on; }

  // The text written at the curve's middle.
  static std::string Label(const TLinkItem& link, const TSheetItem* sheet);

 protected:
  // Draws the switched-on parts along spline; handles only with a selected
  // link's own curve.
  void DrawParts(const TBSpline& spline, const TQOZSpline* handles);
  void SetLinkAndSheet(TLinkItem* link, TSheetItem* sheet);

 private:
  bool CurveMayShow(const TBSpline& spline) const;
  struct TCurve;
  // A note's box on the sheet: left, top, width and height.
  struct TNoteBox {
    std::int32_t X, Y, W, H;
    bool operator==(const TNoteBox&) const = default;
  };
  void DrawCurvePart(const TBSpline& spline, TCurve* kept);
  void DrawHandles(const TQOZSpline& spline);
  void DrawStartMarkPart(const TBSpline& spline, TCurve* kept);
  static TVertex StartMarkPoint(const TBSpline& spline, const std::optional<TNoteBox>& box);
  void DrawLabelPart(const TBSpline& spline);
  // The drawn samples of a curve, rounded to world units, and where they
  // were last drawn on the device.
  struct TCurve {
    std::vector<TPoint> Points;
    TVCanvas::TKeptPolyline Device;
    // The start circle's centre, for the source note's box it was found in.
    std::optional<TVertex> Mark;
    std::optional<TNoteBox> MarkBox;
  };
  // The curve's samples; nullptr when they are not kept, in uncached_.
  TCurve* KeptCurve(const TBSpline& spline);
  static void Sample(const TBSpline& spline, std::vector<TPoint>& points);

  // A link curve is fixed by its four vertices: the samples of an unchanged
  // curve are kept from one drawing to the next.
  using TCurveKey = std::array<float, 8>;
  struct TCurveKeyHash {
    std::size_t operator()(const TCurveKey& key) const;
  };
  std::unordered_map<TCurveKey, TCurve, TCurveKeyHash> curves_;
  std::vector<TPoint> uncached_;

  TLinkItem* link_ = nullptr;
  TSheetItem* sheet_ = nullptr;
  std::unique_ptr<TQOZSpline> spline_;
  bool drawCurve_ = true;
  bool drawStartMark_ = true;
  bool drawArrow_ = true;
  bool drawLabel_ = true;
};
