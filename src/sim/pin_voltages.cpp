#include "sim/pin_voltages.h"

#include <algorithm>

namespace burnlab::sim {

std::vector<SwitchedPin> switchedPinsOf(int packagePins) {
  std::vector<SwitchedPin> pins;
  for (int pin = 1; pin <= packagePins; ++pin) {
    const SocketPinProbe probe = chipPin(pin, packagePins);
    if (probe.supply.driven()) pins.push_back({pin, probe});
  }
  return pins;
}

std::string voltsText(int mv) {
  std::string text = std::to_string(mv / 1000);
  if (mv % 1000 != 0) text += "." + std::to_string(mv % 1000 / 100);
  return text + " V";
}

PinRatings::PinRatings(int packagePins, std::vector<Pin> rated,
                       std::function<std::string(int)> named)
    : switched_(switchedPinsOf(packagePins)), rated_(std::move(rated)), named_(std::move(named)) {}

std::optional<PinRatings::Harm> PinRatings::harm(const SocketLines& lines) const {
  for (const auto& [pin, probe] : switched_) {
    const int mv = probe.programmingMv(lines);
    if (mv == 0) continue;
    const auto rating =
        std::find_if(rated_.begin(), rated_.end(),
                     [chipPin = pin](const Pin& each) { return each.chipPin == chipPin; });
    const Pin rated = rating != rated_.end() ? *rating : Pin{pin};
    if (mv <= rated.maxMv) continue;
    const std::string where =
        voltsText(mv) + " on pin " + std::to_string(pin) + " (" + named_(pin) + ")";
    return Harm{where, !rated.takesVpp, rated.maxMv};
  }
  return std::nullopt;
}

}  // namespace burnlab::sim
