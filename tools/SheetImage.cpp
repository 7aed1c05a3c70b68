#include "tools/SheetImage.h"

#include "base/Convert.h"
#include "base/QozError.h"
#include "model/SheetItem.h"
#include "platform/PainterCanvas.h"
#include "render/SheetBackground.h"
#include "render/SheetView.h"
#include "render/VCanvas.h"

#include <string>

namespace {

std::string SizeText(std::int64_t width, std::int64_t height) {
  return std::to_string(width) + " x " + std::to_string(height) + " pixels";
}

}  // namespace

QImage TSheetImage::Render(TContainer& project, TSheetItem& sheet, std::int32_t zoom, bool grid) {
  if (zoom <= 0) throw EQozError("The zoom must be a positive percentage, not " + IntToStr(zoom));
  QImage probe(1, 1, QImage::Format_RGB32);
  TPainterCanvas sizing(probe);
  TVCanvas zoomed(sizing);
  zoomed.SetZoom(zoom);
  const std::int64_t width = zoomed.Scaled(sheet.Width());
  const std::int64_t height = zoomed.Scaled(sheet.Height());
  if (width <= 0 || height <= 0 || width * height > kMaxPixels) {
    throw EQozError("Cannot draw sheet \"" + sheet.Title() + "\" as an image of " +
                    SizeText(width, height));
  }
  QImage image(static_cast<int>(width), static_cast<int>(height), QImage::Format_RGB32);
  if (image.isNull()) {
    throw EQozError("Not enough memory for an image of " + SizeText(width, height));
  }
  image.fill(Qt::white);
  {
    TPainterCanvas target(image);
    TVCanvas canvas(target);
    canvas.SetZoom(zoom);
    TSheetBackground::DrawBackground(canvas, sheet);
    if (grid) TSheetBackground::DrawGrid(canvas, sheet);
    TSheetView view(project, &sheet, canvas);
    view.DrawSheet();
  }
  return image;
}
