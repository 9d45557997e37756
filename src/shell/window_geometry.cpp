#include "shell/window_geometry.h"

#include <charconv>
#include <cmath>

namespace burnlab {
namespace {

constexpr const char* kSection = "Settings";

double storedOr(Platform& platform, const char* key, double fallback) {
  const auto text = platform.setting(kSection, key);
  if (!text) return fallback;
  return geometryNumber(*text).value_or(fallback);
}

}  // namespace

std::optional<double> geometryNumber(const std::string& text) {
  const auto first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return std::nullopt;
  const auto last = text.find_last_not_of(" \t");
  const char* begin = text.data() + first;
  const char* end = text.data() + last + 1;
  if (*begin == '+') ++begin;
  double value = 0;
  const auto [stop, error] = std::from_chars(begin, end, value);
  if (error != std::errc() || stop != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string geometryText(double twips) {
  // Shortest text that reads back as the same single-precision number.
  char text[32];
  const auto [end, error] = std::to_chars(text, text + sizeof text, static_cast<float>(twips));
  if (error != std::errc()) return "0";
  return std::string(text, end);
}

WindowPlacement loadWindowPlacement(Platform& platform) {
  WindowPlacement placement;
  placement.left = storedOr(platform, "MainLeft", 100);
  placement.top = storedOr(platform, "MainTop", 100);
  placement.width = storedOr(platform, "MainWidth", 100);
  placement.height = storedOr(platform, "MainHeight", 6500);
  return placement;
}

void saveWindowPlacement(Platform& platform, const WindowPlacement& placement) {
  platform.setSetting(kSection, "MainLeft", geometryText(placement.left));
  platform.setSetting(kSection, "MainTop", geometryText(placement.top));
  platform.setSetting(kSection, "MainWidth", geometryText(placement.width));
  platform.setSetting(kSection, "MainHeight", geometryText(placement.height));
}

}  // namespace burnlab
