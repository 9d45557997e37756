#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "sim/socket_wiring.h"

namespace burnlab::sim {

// A chip pin on a socket pin that the board can switch its programming supply onto.
struct SwitchedPin {
  int chipPin = 0;
  SocketPinProbe probe;
};

// The pins of a package in the socket that can get the programming supply (socket pins 1, 3
// and 24, where the package reaches them).
std::vector<SwitchedPin> switchedPinsOf(int packagePins);

// Millivolts as a voltage is written: "12.5 V", "21 V".
std::string voltsText(int mv);

// What a chip's pins stand, from its datasheet's absolute maximum ratings: the board's supply
// (12.5, 21 or 25 V) on a pin that stands less destroys the chip.
class PinRatings {
 public:
  // Every pin not named here stands a logic level only (7 V: -0.6 V to VCC + 0.6 V or +7 V in
  // every datasheet of these parts).
  static constexpr int kLogicMaxMv = 7000;

  struct Pin {
    int chipPin = 0;
    int maxMv = kLogicMaxMv;
    bool takesVpp = false;  // the pin meant for the programming voltage
  };
  struct Harm {
    std::string where;  // "21 V on pin 1 (VPP)"
    bool wrongPin;      // a pin not meant for a programming voltage
    int maxMv;
  };

  // `named` gives a pin's name in the pinout ("VPP", "A15").
  PinRatings(int packagePins, std::vector<Pin> rated, std::function<std::string(int)> named);

  // The first switched pin that carries more than it stands now; nothing when none does.
  std::optional<Harm> harm(const SocketLines& lines) const;

 private:
  std::vector<SwitchedPin> switched_;
  std::vector<Pin> rated_;
  std::function<std::string(int)> named_;
};

}  // namespace burnlab::sim
