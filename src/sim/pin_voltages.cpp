#include "sim/pin_voltages.h"

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

}  // namespace burnlab::sim
