#pragma once

#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

#include "sim/address_decoder.h"
#include "sim/cell_needs.h"
#include "sim/chip_options.h"
#include "sim/eprom_types.h"
#include "sim/memory_chip.h"
#include "sim/pin_voltages.h"
#include "sim/socket_wiring.h"

namespace burnlab::sim {

// An UV EPROM in the socket, following its datasheet's mode table and programming algorithm.
//   Read: powered, CE and OE low, PGM (if it has one) high, VPP at its read level, no
//   programming voltage on OE. Program verify: the parts with their pulse on CE and a VPP pin
//   of their own also output with VPP on, OE low and CE high.
//   Program: a suitable voltage on VPP, OE high and the program pulse given (CE low, or PGM low
//   with CE low). Each 0 bit on the bus adds the time it is held to that bit of the addressed
//   cell; once a bit has had the cell's need (CellNeeds) it reads 0. A bit only clears.
//   Voltages: more than the part's maximum on VPP, or a programming voltage on any other pin,
//   destroys it: from then on it never answers. Each destruction is reported.
class EpromChip final : public MemoryChip {
 public:
  EpromChip(const EpromType& type, const ChipOptions& options);

  void linesChanged(const SocketLines& lines, std::uint64_t nowNs) override;
  std::uint8_t output(const SocketLines& lines, std::uint64_t nowNs) override;
  std::uint8_t drivenLines(const SocketLines&, std::uint64_t) override {
    return outputs_ ? 0xFF : 0x00;
  }
  void erase() override;
  void putBack(const KeptState& kept) override;

  const EpromType& type() const { return type_; }
  bool destroyed() const { return destroyed_; }
  // The voltage the part needs to program, and the most its VPP pin stands.
  int requiredMv() const { return requiredMv_; }
  int maxVppMv() const { return maxVppMv_; }
  // The program-pulse time the cell at `address` needs.
  std::uint64_t needNs(std::uint32_t address) const { return needs_.needNs(address); }

 private:
  KeptState keptStateAt(std::uint64_t) override;

  // Per bit of a cell, the program-pulse time it has had so far (ns, saturating).
  using BitCharge = std::array<std::uint32_t, 8>;

  // Destroys the part when a pin carries more than it stands; true when it is destroyed.
  bool checkVoltages(const SocketLines& lines, std::uint64_t nowNs);
  bool voltageSuits(int mv) const;
  // Adds the time since the last change to the bits the pulse held at 0.
  void chargeCell(std::uint64_t nowNs);

  const EpromType& type_;
  AddressDecoder decoder_;
  SocketPinProbe ce_, oe_, vpp_, pgm_, vcc_;
  bool hasPgm_, hasVcc_, vppOnOe_;
  int requiredMv_;
  int maxVppMv_;
  PinRatings ratings_;
  CellNeeds needs_;
  std::unordered_map<std::uint32_t, BitCharge> charges_;  // cells with partly charged bits

  bool outputs_ = false;
  bool destroyed_ = false;
  std::uint32_t address_ = 0;
  bool programming_ = false;   // the lines give a program pulse now
  std::uint8_t heldLow_ = 0;   // the bits the bus holds at 0 during the pulse
  std::uint64_t sinceNs_ = 0;  // when the lines last changed
};

}  // namespace burnlab::sim
