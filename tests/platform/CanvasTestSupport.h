#pragma once

#include "platform/PainterCanvas.h"

#include <QImage>
#include <QRgb>

#include <cstdint>
#include <utility>

// Images to draw on and compare, for the tests of the platform canvas.
namespace qoztest {

// Colours as the core writes them (0x00BBGGRR) and as the image holds them.
inline constexpr std::int32_t kRed = 0x0000FF;
inline constexpr std::int32_t kBlue = 0xFF0000;
inline constexpr std::int32_t kOrange = 0x0080FF;
inline constexpr std::int32_t kBlack = 0x000000;
inline constexpr QRgb kRedRgb = 0xFFFF0000;
inline constexpr QRgb kBlueRgb = 0xFF0000FF;
inline constexpr QRgb kOrangeRgb = 0xFFFF8000;
inline constexpr QRgb kBlackRgb = 0xFF000000;
inline constexpr QRgb kWhiteRgb = 0xFFFFFFFF;

inline QImage Filled(int width, int height, QRgb colour = kWhiteRgb) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// No two neighbouring pixels alike, so that a pixel toggled twice or left out
// shows.
inline QImage Patterned(int width, int height) {
  QImage image(width, height, QImage::Format_RGB32);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      image.setPixel(
          x, y, qRgb((x * 37 + y * 11) & 0xFF, (y * 59 + x * 3) & 0xFF, (x * y * 13 + 7) & 0xFF));
    }
  }
  return image;
}

// A copy of image after draw(canvas); the canvas is gone by the time it returns,
// so everything it held back has been drawn.
template <class TDraw>
QImage Drawn(const QImage& image, TDraw&& draw) {
  QImage result = image.copy();
  {
    TPainterCanvas canvas(result);
    std::forward<TDraw>(draw)(canvas);
  }
  return result;
}

inline QRgb Xored(QRgb background, QRgb colour) { return (background ^ colour) | 0xFF000000; }

}  // namespace qoztest
