#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "sim/chip_options.h"
#include "sim/memory_chip.h"

namespace burnlab::sim {

// What tells the 24Cxx two-wire EEPROMs apart.
struct TwoWireType {
  std::string name;
  std::size_t size;
  std::uint32_t pageSize;
  int addressBytes;  // word address bytes after the device byte: 1, or 2 for 24C32 and up
  int blockBits;     // device-byte bits 1.. that carry address bits A8 and up
};

// A 24Cxx EEPROM in an adapter that ties A0..A2 and WP low: SCL is the CE line (register 3
// bit 7), SDA is data line D7, both open drain. A bus state machine on the SCL and SDA edges:
// start and stop conditions, the device byte 1010 with its block bits (the device-byte bits
// that are chip-select pins must be 0), one or two word address bytes, an acknowledge on the
// ninth clock of every byte it accepts, page write wrapping inside the page, sequential read
// wrapping from the last address to 0. The write cycle starts at the stop condition after at
// least one data byte and lasts 5 ms (10 ms when slow); until it ends the chip acknowledges
// nothing. Faults on request: WP held high (writes are acknowledged, nothing is stored, no
// write cycle runs, and the refusal is reported) and a chip that never acknowledges.
class TwoWireEeprom final : public MemoryChip {
 public:
  TwoWireEeprom(const TwoWireType& type, const ChipOptions& options);

  void linesChanged(const SocketLines& lines, std::uint64_t nowNs) override;
  std::uint8_t output(const SocketLines& lines, std::uint64_t nowNs) override;

  bool busy(std::uint64_t nowNs) const { return nowNs < busyUntilNs_; }
  // The internal address counter: the next address a current-address read gives.
  std::uint32_t addressCounter() const { return counter_; }

  static TwoWireType type24C08() { return {"24C08", 1024, 16, 1, 2}; }
  static TwoWireType type24C16() { return {"24C16", 2048, 16, 1, 3}; }
  static TwoWireType type24C32() { return {"24C32", 4096, 32, 2, 0}; }

 private:
  enum class Phase { Idle, DeviceByte, WordHigh, WordLow, WriteData, ReadData, Ignore };

  void start(std::uint64_t nowNs);
  void stop(std::uint64_t nowNs);
  void risingEdge(bool sda);
  void fallingEdge();
  // Takes a whole received byte; returns whether the chip acknowledges it.
  bool accept(std::uint8_t byte);
  bool acceptDeviceByte(std::uint8_t byte);
  void loadReadByte();

  TwoWireType type_;
  std::uint64_t writeCycleNs_;
  std::uint64_t busyUntilNs_ = 0;
  bool writeProtect_;       // WP held high: writes acknowledged, nothing stored
  bool neverAcknowledges_;  // a chip that never pulls SDA low to acknowledge

  bool scl_ = true;
  bool sda_ = true;
  bool pullsSdaLow_ = false;

  Phase phase_ = Phase::Idle;
  Phase nextPhase_ = Phase::Idle;  // taken at the end of the acknowledge clock
  int bits_ = 0;                   // rising SCL edges of the current byte, 1..9
  std::uint8_t shift_ = 0;
  bool acknowledges_ = false;
  bool masterAcknowledged_ = false;

  std::uint32_t counter_ = 0;
  std::uint32_t highAddress_ = 0;
  std::vector<std::pair<std::uint32_t, std::uint8_t>> page_;  // bytes waiting for the stop
};

}  // namespace burnlab::sim
