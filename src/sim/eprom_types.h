#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace burnlab::sim {

// An UV EPROM type as its datasheet describes it: package, address lines, where its
// programming voltage and program pulse go, and the voltages it programs at.
struct EpromType {
  std::string_view name;
  int packagePins = 28;   // 24, 28 or 32
  int addressLines = 13;  // A0 .. A(n-1)
  int vppPin = 1;         // the chip pin that takes the programming voltage (may be OE)
  int pgmPin = 0;         // the chip pin of a separate program pulse; 0: the pulse is on CE
  int programMv = 12500;  // the lowest programming voltage it takes
  int originalMv = 0;     // the NMOS original's programming voltage, 0 if there is none
  bool cmos = true;       // CMOS parts are destroyed by more than 14 V

  std::size_t size() const { return std::size_t{1} << addressLines; }
  // Chip pins of the package's fixed functions.
  int cePin() const;
  int oePin() const;
  int vccPin() const;  // 0 for 32-pin parts, powered by the socket's own VCC pin
  // Chip pins of A0 .. A(addressLines-1).
  std::vector<int> addressPins() const;
};

// Every EPROM type the simulator offers.
std::span<const EpromType> epromTypes();

}  // namespace burnlab::sim
