#include "platform/QtPicture.h"

TQtPicture::TQtPicture(const QImage& image)
    : image_(image.convertToFormat(image.hasAlphaChannel() ? QImage::Format_ARGB32_Premultiplied
                                                           : QImage::Format_RGB32)) {}
