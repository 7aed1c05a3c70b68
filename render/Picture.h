#pragma once

#include <cstdint>

// A decoded picture of the platform, drawn with StretchDraw. Only the canvas
// that loaded it (or another of the same platform) can draw it.
class TPicture {
 public:
  virtual ~TPicture() = default;
  virtual std::int32_t Width() const = 0;
  virtual std::int32_t Height() const = 0;
};
