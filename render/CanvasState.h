#pragma once

#include <cstdint>
#include <string>

// The pen, brush and font a platform canvas draws with. Callers set the
// fields directly; each drawing call uses the values set at that moment.
// Colours are 0x00BBGGRR; kNoColor (model/DataStructures.h) is "no colour".

inline constexpr std::int32_t kPenModeCopy = 4;
inline constexpr std::int32_t kPenModeXor = 14;  // pixel := pixel xor pen colour
inline constexpr std::int32_t kPenStyleSolid = 0;
inline constexpr std::int32_t kPenStyleDot = 2;
inline constexpr std::int32_t kBrushStyleSolid = 0;
inline constexpr std::int32_t kBrushStyleClear = 1;
inline constexpr std::int32_t kBrushStyleBDiagonal = 5;  // lines from bottom-left to top-right

struct TPlatformPen {
  std::int32_t Color = 0;
  std::int32_t Width = 1;  // device pixels
  std::int32_t Style = kPenStyleSolid;
  std::int32_t Mode = kPenModeCopy;
  bool operator==(const TPlatformPen&) const = default;
};

// A brush whose colour is kNoColor is hollow whatever its style.
struct TPlatformBrush {
  std::int32_t Color = 0xFFFFFF;
  std::int32_t Style = kBrushStyleSolid;
  // The device point the hatch lines are laid from, so that a pattern stays
  // put on the sheet when the view scrolls.
  std::int32_t OriginX = 0;
  std::int32_t OriginY = 0;
  // Giving a clear brush a colour makes it solid again, so that a box drawn
  // after a text (which leaves the brush clear) is filled.
  void SetColor(std::int32_t color) {
    Color = color;
    if (Style == kBrushStyleClear) Style = kBrushStyleSolid;
  }
  bool operator==(const TPlatformBrush&) const = default;
};

// Height follows the platform's convention: negative is a character height
// in pixels, positive a cell height. PixelsPerInch belongs to the surface.
struct TPlatformFont {
  std::string Name = "MS Sans Serif";
  std::int32_t Height = -11;
  std::int32_t Color = 0;
  std::int32_t PixelsPerInch = 96;
  bool operator==(const TPlatformFont&) const = default;
};
