#pragma once

#include <cstdint>

#include "sim/socket_chip.h"

namespace burnlab::sim {

// The 32-pin ZIF socket as the board wires it. Chips sit bottom-aligned, so a chip pin lands on
// socket pin (chip pin + (32 - package pins) / 2): a 28-pin chip's pin 1 on socket pin 3, a
// 24-pin chip's pin 1 on socket pin 5.
inline constexpr int kSocketPins = 32;

constexpr int socketPinOf(int chipPin, int packagePins) {
  return chipPin + (kSocketPins - packagePins) / 2;
}

// One board register bit.
struct RegisterBit {
  int reg = -1;  // -1: the pin is not driven by a register bit (data, ground, VCC)
  std::uint8_t mask = 0;

  bool driven() const { return reg >= 0; }
  bool high(const SocketLines& lines) const {
    return (lines.reg[static_cast<std::size_t>(reg)] & mask) != 0;
  }
};

// A socket pin's logic level, and the programming voltage on it when the board switches the
// supply onto it. The OE pin (24) is not driven by its latch while the supply is on it.
struct SocketPinProbe {
  RegisterBit level;   // the register bit that drives the pin
  RegisterBit supply;  // the register-0 switch that puts the programming voltage on it, if any

  // Millivolts of programming voltage on the pin; 0 when the supply is not switched onto it.
  int programmingMv(const SocketLines& lines) const {
    return supply.driven() && supply.high(lines) ? lines.supplyMv : 0;
  }
  // A pin carrying the programming voltage is far above a logic high.
  bool high(const SocketLines& lines) const {
    return programmingMv(lines) > 0 || (level.driven() && level.high(lines));
  }
};

// The register bit behind a socket pin (socket pins 1..32) and its programming-voltage switch.
SocketPinProbe socketPin(int pin);

// The probe of a chip pin of a package in the socket.
inline SocketPinProbe chipPin(int pin, int packagePins) {
  return socketPin(socketPinOf(pin, packagePins));
}

}  // namespace burnlab::sim
