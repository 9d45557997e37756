#pragma once

namespace burnlab {

// What the board operations show in the window: the Program lamp they blink and the progress
// bar that Reset returns to 0 of 100. The shell implements it; the board knows nothing else of
// the window.
class BoardIndicators {
 public:
  virtual ~BoardIndicators() = default;
  // Program lamp dark -> lit, anything else -> dark, repainted at once.
  virtual void toggleProgramLamp() = 0;
  virtual void resetProgressBar() = 0;
};

}  // namespace burnlab
