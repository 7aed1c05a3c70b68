#include "render/DrawBot.h"

TDrawBot::TDrawBot(TVCanvas& canvas) : canvas_(&canvas) { TDrawBot::SetNormalMode(); }

void TDrawBot::SetGhostMode() {
  ghost_ = true;
  filled_ = false;
  selected_ = false;
}

void TDrawBot::SetNormalMode() {
  ghost_ = false;
  filled_ = true;
  selected_ = false;
}
