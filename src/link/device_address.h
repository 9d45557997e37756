#pragma once

#include <cstdint>

namespace burnlab {

// The device address being loaded into the board and its three bytes.
struct DeviceAddress {
  std::int32_t LinearAddress = 0;
  std::int32_t AddrHigh = 0;  // LinearAddress \ 65536
  std::int32_t AddrMid = 0;   // next byte
  std::int32_t AddrLow = 0;   // low byte

  // The selected device's fixed bits, OR-ed into registers 1 and 3 with every address load.
  std::int16_t Reg1Extra = 0;
  std::int16_t Reg3Extra = 0;

  // Splits LinearAddress into AddrHigh, AddrMid and AddrLow in integer arithmetic.
  void Endereco2Adr();

  // Advances the address by one, carrying from AddrLow into AddrMid and on into AddrHigh.
  // Writes no register.
  void IncADR();
};

inline constexpr std::int32_t kMidDivisor = 256;
inline constexpr std::int32_t kHighDivisor = 65536;

inline void DeviceAddress::Endereco2Adr() {
  AddrHigh = LinearAddress / kHighDivisor;
  AddrMid = (LinearAddress - AddrHigh * kHighDivisor) / kMidDivisor;
  AddrLow = LinearAddress - AddrHigh * kHighDivisor - AddrMid * kMidDivisor;
}

inline void DeviceAddress::IncADR() {
  ++LinearAddress;
  if (++AddrLow <= 255) return;
  AddrLow = 0;
  if (++AddrMid <= 255) return;
  AddrMid = 0;
  ++AddrHigh;
}

}  // namespace burnlab
