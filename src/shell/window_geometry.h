#pragma once

#include <optional>
#include <string>

#include "panel/panel.h"
#include "panel/platform.h"

namespace burnlab {

// The main window's place on the screen in the per-user settings store: keys "MainLeft",
// "MainTop", "MainWidth" and "MainHeight" in section "Settings", in twips, as text.

// The stored placement; a key that is absent, or whose value is not a number, takes its
// default (left 100, top 100, width 100, height 6500).
WindowPlacement loadWindowPlacement(Platform& platform);
void saveWindowPlacement(Platform& platform, const WindowPlacement& placement);

// A stored value read as a number: decimal text with optional blanks around it.
std::optional<double> geometryNumber(const std::string& text);
// A value as it is stored: the decimal text of a single-precision number ("1500", "1234.5").
std::string geometryText(double twips);

}  // namespace burnlab
