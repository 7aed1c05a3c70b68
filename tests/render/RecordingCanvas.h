#pragma once

#include "render/PlatformCanvas.h"

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

// A platform canvas that draws nothing and logs every call in device
// coordinates, with the pen, brush and font the call used, one line each:
//   Rectangle(10,20,110,70) pen(000000 1 solid copy) brush(00FFFF solid)
// Text extents follow a fixed rule: CharWidth pixels per byte and LineHeight
// pixels, both for a font of height -11 and scaled with the font's height.
class TRecordingCanvas : public TPlatformCanvas {
 public:
  std::vector<std::string> Calls;
  std::int32_t CharWidth = 6;
  std::int32_t LineHeight = 13;
  // Files that LoadPicture finds; any other name is missing.
  std::set<std::string> Pictures;
  TRect Visible{-1000000000, -1000000000, 1000000000, 1000000000};

  void Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                 std::int32_t bottom) override;
  void FillRect(const TRect& rect) override;
  void Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
               std::int32_t bottom) override;
  void StretchDraw(const TRect& rect, const TPicture& picture) override;
  void MoveTo(std::int32_t x, std::int32_t y) override;
  void LineTo(std::int32_t x, std::int32_t y) override;
  void TextOut(std::int32_t x, std::int32_t y, const std::string& text) override;
  void SetPixel(std::int32_t x, std::int32_t y, std::int32_t color) override;
  std::int32_t TextWidth(const std::string& text) override;
  std::int32_t TextHeight(const std::string& text) override;
  std::shared_ptr<const TPicture> LoadPicture(const std::string& fileName) override;
  TRect VisibleArea() const override { return Visible; }

  // The logged calls whose line starts with prefix ("TextOut", "Rectangle").
  std::vector<std::string> CallsOf(const std::string& prefix) const;
  std::string PenText() const;
  std::string BrushText() const;
};
