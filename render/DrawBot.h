#pragma once

class TVCanvas;

// The root of the draw agents: each draws one kind of item on a virtual
// canvas, in normal mode or as a ghost (outline only, with the xor pen, so
// that drawing it a second time erases it). An agent does not own its canvas.
class TDrawBot {
 public:
  explicit TDrawBot(TVCanvas& canvas);
  virtual ~TDrawBot() = default;
  TDrawBot(const TDrawBot&) = delete;
  TDrawBot& operator=(const TDrawBot&) = delete;

  virtual void SetGhostMode();
  virtual void SetNormalMode();
  virtual void Draw() {}

  TVCanvas& Canvas() const { return *canvas_; }
  bool Ghost() const { return ghost_; }
  bool Filled() const { return filled_; }
  bool Selected() const { return selected_; }
  void SetGhost(bool ghost) { ghost_ = ghost; }
  void SetFilled(bool filled) { filled_ = filled; }
  // Set by the caller after choosing the mode.
  void SetSelected(bool selected) { selected_ = selected; }

 private:
  TVCanvas* canvas_;
  bool ghost_ = false;
  bool filled_ = true;
  bool selected_ = false;
};
