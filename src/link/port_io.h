#pragma once

#include <cstdint>

namespace burnlab {

// The two port operations every board access rests on. Each call is one byte access to the
// given I/O address, carried out before it returns, in call order; nothing is buffered, merged,
// repeated, delayed, inverted or masked. Neither call reports an error.
class PortIo {
 public:
  virtual ~PortIo() = default;
  virtual void PortOut(std::uint16_t address, std::uint8_t value) = 0;
  // The status register exactly as read, Busy (bit 7) in the port's inverted sense.
  virtual std::uint8_t PortIn(std::uint16_t address) = 0;

  // A search for the board begins (TestPort): a back end that gave up on a port, because
  // another program held it or its device was missing, tries it afresh at its next access. A
  // layer that wraps another passes this on. Touches no port by itself.
  virtual void retryUnavailablePorts() {}
};

}  // namespace burnlab
