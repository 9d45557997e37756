#include "sim/socket_wiring.h"

namespace burnlab::sim {
namespace {

constexpr RegisterBit reg(int index, int bit) {
  return {index, static_cast<std::uint8_t>(1u << bit)};
}

}  // namespace

SocketPinProbe socketPin(int pin) {
  // Address lines A7..A0 on socket pins 5..12.
  if (pin >= 5 && pin <= 12) return {reg(2, 12 - pin), {}};
  switch (pin) {
    case 1:
      return {reg(3, 3), reg(0, 5)};  // A19, or VPP of 32-pin EPROMs
    case 2:
      return {reg(3, 0), {}};  // A16
    case 3:
      return {reg(1, 7), reg(0, 4)};  // A15, or VPP of 28-pin EPROMs
    case 4:
      return {reg(1, 4), {}};  // A12
    case 22:
      return {reg(3, 7), {}};  // CE
    case 23:
      return {reg(1, 2), {}};  // A10
    case 24: {
      // OE; while the supply is switched on, the OE driver is off and the pin carries VPP.
      return {reg(0, 6), reg(0, 7)};
    }
    case 25:
      return {reg(1, 3), {}};  // A11
    case 26:
      return {reg(1, 1), {}};  // A9
    case 27:
      return {reg(1, 0), {}};  // A8
    case 28:
      return {reg(1, 5), {}};  // A13
    case 29:
      return {reg(1, 6), {}};  // A14
    case 30:
      return {reg(3, 1), {}};  // A17
    case 31:
      return {reg(3, 2), {}};  // A18
    default:
      return {};  // data lines, ground, VCC
  }
}

}  // namespace burnlab::sim
