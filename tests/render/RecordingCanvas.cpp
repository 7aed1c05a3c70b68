#include "render/RecordingCanvas.h"

#include "model/DataStructures.h"

#include <cstdio>
#include <cstdlib>

namespace {

class TNamedPicture : public TPicture {
 public:
  explicit TNamedPicture(std::string name) : name_(std::move(name)) {}
  std::int32_t Width() const override { return 16; }
  std::int32_t Height() const override { return 16; }
  const std::string& Name() const { return name_; }

 private:
  std::string name_;
};

std::string Hex(std::int32_t color) {
  char text[16];
  std::snprintf(text, sizeof text, "%06X", static_cast<unsigned>(color));
  return text;
}

std::string Box(std::int32_t left, std::int32_t top, std::int32_t right, std::int32_t bottom) {
  return "(" + std::to_string(left) + "," + std::to_string(top) + "," + std::to_string(right) +
         "," + std::to_string(bottom) + ")";
}

std::string Point(std::int32_t x, std::int32_t y) {
  return "(" + std::to_string(x) + "," + std::to_string(y) + ")";
}

}  // namespace

std::string TRecordingCanvas::PenText() const {
  const TPlatformPen& pen = Pen();
  const char* style = pen.Style == kPenStyleSolid ? "solid" : pen.Style == kPenStyleDot ? "dot" : "?";
  const char* mode = pen.Mode == kPenModeCopy ? "copy" : pen.Mode == kPenModeXor ? "xor" : "?";
  return "pen(" + Hex(pen.Color) + " " + std::to_string(pen.Width) + " " + style + " " + mode + ")";
}

std::string TRecordingCanvas::BrushText() const {
  const TPlatformBrush& brush = Brush();
  if (brush.Color == kNoColor || brush.Style == kBrushStyleClear) return "brush(hollow)";
  const char* style = brush.Style == kBrushStyleSolid       ? "solid"
                      : brush.Style == kBrushStyleBDiagonal ? "hatch"
                                                            : "?";
  return "brush(" + Hex(brush.Color) + " " + style + ")";
}

void TRecordingCanvas::Rectangle(std::int32_t left, std::int32_t top, std::int32_t right,
                                 std::int32_t bottom) {
  Calls.push_back("Rectangle" + Box(left, top, right, bottom) + " " + PenText() + " " +
                  BrushText());
}

void TRecordingCanvas::FillRect(const TRect& rect) {
  Calls.push_back("FillRect" + Box(rect.Left, rect.Top, rect.Right, rect.Bottom) + " " +
                  BrushText());
}

void TRecordingCanvas::Ellipse(std::int32_t left, std::int32_t top, std::int32_t right,
                               std::int32_t bottom) {
  Calls.push_back("Ellipse" + Box(left, top, right, bottom) + " " + PenText() + " " +
                  BrushText());
}

void TRecordingCanvas::StretchDraw(const TRect& rect, const TPicture& picture) {
  Calls.push_back("StretchDraw" + Box(rect.Left, rect.Top, rect.Right, rect.Bottom) + " " +
                  static_cast<const TNamedPicture&>(picture).Name());
}

void TRecordingCanvas::MoveTo(std::int32_t x, std::int32_t y) {
  Calls.push_back("MoveTo" + Point(x, y));
}

void TRecordingCanvas::LineTo(std::int32_t x, std::int32_t y) {
  Calls.push_back("LineTo" + Point(x, y) + " " + PenText());
}

void TRecordingCanvas::TextOut(std::int32_t x, std::int32_t y, const std::string& text) {
  Calls.push_back("TextOut" + Point(x, y) + " \"" + text + "\" font(" + Font().Name + " " +
                  std::to_string(Font().Height) + ") " + BrushText());
}

void TRecordingCanvas::SetPixel(std::int32_t x, std::int32_t y, std::int32_t color) {
  Calls.push_back("SetPixel" + Point(x, y) + " " + Hex(color));
}

std::int32_t TRecordingCanvas::TextWidth(const std::string& text) {
  return static_cast<std::int32_t>(text.size()) * CharWidth * std::abs(Font().Height) / 11;
}

std::int32_t TRecordingCanvas::TextHeight(const std::string&) {
  return LineHeight * std::abs(Font().Height) / 11;
}

std::shared_ptr<const TPicture> TRecordingCanvas::LoadPicture(const std::string& fileName) {
  if (!Pictures.contains(fileName)) return nullptr;
  return std::make_shared<TNamedPicture>(fileName);
}

std::vector<std::string> TRecordingCanvas::CallsOf(const std::string& prefix) const {
  std::vector<std::string> calls;
  for (const std::string& call : Calls) {
    if (call.compare(0, prefix.size(), prefix) == 0) calls.push_back(call);
  }
  return calls;
}
