#pragma once

#include <cstdint>
#include <vector>

#include "sim/address_decoder.h"
#include "sim/chip_options.h"
#include "sim/eprom_types.h"
#include "sim/memory_chip.h"
#include "sim/socket_wiring.h"

namespace burnlab::sim {

// An UV EPROM in the socket. It outputs while powered with CE and OE low, PGM (if it has one)
// and VPP at their read level, and no programming voltage on OE. It programs while powered with
// a suitable voltage on its VPP pin, OE high and the program pulse given (CE low, or PGM low
// with CE low): when the pulse ends, every bit that was 0 on the bus during it is cleared.
// More than 14 V on any pin destroys a CMOS part: from then on it never answers.
class EpromChip final : public MemoryChip {
 public:
  EpromChip(const EpromType& type, const ChipOptions& options);

  void linesChanged(const SocketLines& lines, std::uint64_t nowNs) override;
  std::uint8_t output(const SocketLines& lines, std::uint64_t nowNs) override;

  const EpromType& type() const { return type_; }
  bool destroyed() const { return destroyed_; }
  // The voltage the part needs to program.
  int requiredMv() const { return requiredMv_; }

 private:
  bool voltageSuits(int mv) const;
  bool overVoltage(const SocketLines& lines) const;
  void endPulse();

  const EpromType& type_;
  AddressDecoder decoder_;
  SocketPinProbe ce_, oe_, vpp_, pgm_, vcc_;
  bool hasPgm_, hasVcc_, vppOnOe_;
  std::vector<SocketPinProbe> switchedPins_;  // chip pins the board can put a voltage on
  int requiredMv_;
  int pulsesPerCell_;
  std::vector<std::uint8_t> pulsesTaken_;  // per cell, while cells need several pulses

  bool outputs_ = false;
  bool destroyed_ = false;
  std::uint32_t address_ = 0;
  bool pulsing_ = false;
  std::uint32_t pulseAddress_ = 0;
  std::uint8_t pulseData_ = 0xFF;
};

}  // namespace burnlab::sim
