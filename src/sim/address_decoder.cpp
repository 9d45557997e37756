#include "sim/address_decoder.h"

#include <stdexcept>

namespace burnlab::sim {

AddressDecoder::AddressDecoder(const std::vector<int>& addressPins, int packagePins) {
  std::array<std::array<std::uint32_t, 256>*, 4> tables{nullptr, &reg1_, &reg2_, &reg3_};
  for (std::size_t line = 0; line < addressPins.size(); ++line) {
    const RegisterBit bit = chipPin(addressPins[line], packagePins).level;
    if (bit.reg < 1 || bit.reg > 3) throw std::logic_error("address pin on no address register");
    auto& table = *tables[static_cast<std::size_t>(bit.reg)];
    for (std::uint32_t value = 0; value < 256; ++value) {
      if (value & bit.mask) table[value] |= 1u << line;
    }
  }
}

}  // namespace burnlab::sim
