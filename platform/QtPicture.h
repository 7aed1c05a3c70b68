#pragma once

#include "render/Picture.h"

#include <QImage>

#include <cstddef>
#include <cstdint>

// A decoded picture held as a QImage in a format the raster engine draws
// without converting at every frame: RGB32 when opaque, premultiplied ARGB32
// when the picture has transparency.
class TQtPicture : public TPicture {
 public:
  explicit TQtPicture(const QImage& image);

  std::int32_t Width() const override { return image_.width(); }
  std::int32_t Height() const override { return image_.height(); }

  const QImage& Image() const { return image_; }
  // The memory the decoded pixels take.
  std::size_t Bytes() const { return static_cast<std::size_t>(image_.sizeInBytes()); }

 private:
  QImage image_;
};
