#pragma once

#include <QImage>

#include <cstdint>

class TContainer;
class TSheetItem;

// A whole sheet drawn as a sheet window shows it at a zoom: the background
// in the sheet's colour with its outline, the grid dots when asked, then the
// notes and links with nothing selected.
class TSheetImage {
 public:
  // Pictures larger than this many pixels are refused rather than attempted.
  static constexpr std::int64_t kMaxPixels = std::int64_t{1} << 28;

  // Throws EQozError when the zoom is not positive or the image would be
  // empty or too large, naming the size.
  static QImage Render(TContainer& project, TSheetItem& sheet, std::int32_t zoom, bool grid);
};
