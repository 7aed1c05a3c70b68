#pragma once

#include <cstdint>

class TSheetItem;
class TVCanvas;

// What the owner of a sheet view paints before the view draws: the sheet's
// colour with a one-pixel black outline, and the grid dots.
class TSheetBackground {
 public:
  // The background as one platform rectangle from (0, 0) to the zoomed
  // sheet's size, in device pixels of the full sheet.
  static void DrawBackground(TVCanvas& canvas, const TSheetItem& sheet);
  // One black pixel at every multiple of the grid size below the sheet's
  // width and height, at its device position on the canvas; dots outside
  // the canvas's visible area are skipped without being visited. A grid size
  // of 0 or less draws nothing.
  static void DrawGrid(TVCanvas& canvas, const TSheetItem& sheet);
};
