#include "render/SheetBackground.h"

#include "model/SheetItem.h"
#include "render/PlatformCanvas.h"
#include "render/VCanvas.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace {

constexpr std::int32_t kBlack = 0x000000;

struct TMultiples {
  std::int64_t First;
  std::int64_t Last;
};

// The multiples k * grid (k >= 1, k * grid < extent) whose device position
// can fall in device pixels low..high-1, given origin and scale; one more on
// each side covers the rounding.
TMultiples VisibleMultiples(std::int32_t grid, std::int32_t extent, std::int32_t origin,
                            double scale, std::int32_t low, std::int32_t high) {
  const long double worldLow = low / static_cast<long double>(scale) - origin;
  const long double worldHigh = high / static_cast<long double>(scale) - origin;
  const std::int64_t first = std::max<std::int64_t>(1, std::floor(worldLow / grid) - 1);
  const std::int64_t last =
      std::min<std::int64_t>((std::int64_t{extent} - 1) / grid, std::ceil(worldHigh / grid) + 1);
  return {first, last};
}

}  // namespace

void TSheetBackground::DrawBackground(TVCanvas& canvas, const TSheetItem& sheet) {
  TPlatformCanvas& target = canvas.Target();
  target.Pen().Color = kBlack;
  target.Pen().Width = 1;
  target.Pen().Style = kPenStyleSolid;
  target.Pen().Mode = kPenModeCopy;
  target.Brush().SetColor(sheet.Color());
  target.Brush().Style = kBrushStyleSolid;
  target.Rectangle(0, 0, canvas.Scaled(sheet.Width()), canvas.Scaled(sheet.Height()));
}

void TSheetBackground::DrawGrid(TVCanvas& canvas, const TSheetItem& sheet) {
  const std::int32_t grid = sheet.GridSize();
  if (grid <= 0 || canvas.Scale() <= 0) return;
  TPlatformCanvas& target = canvas.Target();
  target.Pen().Mode = kPenModeCopy;
  const TRect visible = target.VisibleArea();
  const TMultiples rows = VisibleMultiples(grid, sheet.Height(), canvas.OriginY(), canvas.Scale(),
                                           visible.Top, visible.Bottom);
  const TMultiples columns = VisibleMultiples(grid, sheet.Width(), canvas.OriginX(),
                                              canvas.Scale(), visible.Left, visible.Right);
  for (std::int64_t row = rows.First; row <= rows.Last; ++row) {
    const std::int32_t y = canvas.YToDevice(static_cast<std::int32_t>(row * grid));
    if (y < visible.Top || y >= visible.Bottom) continue;
    for (std::int64_t column = columns.First; column <= columns.Last; ++column) {
      const std::int32_t x = canvas.XToDevice(static_cast<std::int32_t>(column * grid));
      if (x >= visible.Left && x < visible.Right) canvas.SetPixel(x, y, kBlack);
    }
  }
}
