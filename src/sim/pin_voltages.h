#pragma once

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

}  // namespace burnlab::sim
