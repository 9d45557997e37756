#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace burnlab::sim {

// An UV EPROM type as its datasheet describes it: package, address lines, where its
// programming voltage and program pulse go, the voltages it programs at and stands, and its
// programming algorithm's pulse.
struct EpromType {
  std::string_view name;
  int packagePins = 28;   // 24, 28 or 32
  int addressLines = 13;  // A0 .. A(n-1)
  int vppPin = 1;         // the chip pin that takes the programming voltage (may be OE)
  int pgmPin = 0;         // the chip pin of a separate program pulse; 0: the pulse is on CE
  int programMv = 12500;  // the programming voltage (an NMOS row: its later 12.5 V version)
  int maxVppMv = 14000;   // the absolute maximum on the VPP pin; more destroys the part
  int originalMv = 0;     // the NMOS original's programming voltage, 0 if there is none
  int originalMaxVppMv = 0;
  std::uint32_t pulseUs = 100;    // the nominal program pulse of its programming algorithm
  int maxPulses = 25;             // the most pulses that algorithm gives a byte
  std::uint32_t minPulseUs = 95;  // the shortest pulse its timing table allows (tPW min)
  std::string_view source;        // the datasheets these figures come from

  std::size_t size() const { return std::size_t{1} << addressLines; }
  // The shortest program pulse the datasheet allows.
  std::uint64_t minPulseNs() const { return std::uint64_t{minPulseUs} * 1000; }
  // Chip pins of the package's fixed functions.
  int cePin() const;
  int oePin() const;
  int vccPin() const;  // 0 for 32-pin parts, powered by the socket's own VCC pin
  // Chip pins of A0 .. A(addressLines-1).
  std::vector<int> addressPins() const;
  // The parts that take their pulse on CE beside a VPP pin of their own output the addressed
  // byte in their program-verify mode: VPP on, CE high, OE low.
  bool verifiesWithCeHigh() const { return pgmPin == 0 && vppPin != oePin(); }
  // What a chip pin is for, as its pinout names it ("VPP", "OE/VPP", "A15", "NC").
  std::string pinName(int pin) const;
};

// Every EPROM type the simulator offers.
std::span<const EpromType> epromTypes();

}  // namespace burnlab::sim
