#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "sim/socket_chip.h"
#include "sim/socket_wiring.h"

namespace burnlab::sim {

// The address a chip sees on its address pins, gathered from the board registers that drive
// the socket pins they land on. The pins are folded into one table per register at
// construction, so decoding costs three look-ups whatever the package.
class AddressDecoder {
 public:
  // `addressPins[n]` is the chip pin of address line An.
  AddressDecoder(const std::vector<int>& addressPins, int packagePins);

  std::uint32_t address(const SocketLines& lines) const {
    return reg1_[lines.reg[1]] | reg2_[lines.reg[2]] | reg3_[lines.reg[3]];
  }

 private:
  std::array<std::uint32_t, 256> reg1_{};
  std::array<std::uint32_t, 256> reg2_{};
  std::array<std::uint32_t, 256> reg3_{};
};

}  // namespace burnlab::sim
