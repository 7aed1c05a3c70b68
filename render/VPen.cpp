#include "render/VPen.h"

#include "base/Nearest.h"
#include "render/CanvasState.h"

#include <algorithm>

void TVPen::SetWidth(std::int32_t width) {
  target_->Width = std::max(Nearest(static_cast<long double>(width) * scale_), 1);
}

void TVPen::SetMode(std::int32_t mode) { target_->Mode = mode; }

void TVPen::SetColor(std::int32_t color) { target_->Color = color; }

void TVPen::SetStyle(std::int32_t style) { target_->Style = style; }
