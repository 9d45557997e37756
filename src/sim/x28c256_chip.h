#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "sim/address_decoder.h"
#include "sim/chip_options.h"
#include "sim/memory_chip.h"
#include "sim/pin_voltages.h"
#include "sim/socket_wiring.h"

namespace burnlab::sim {

// The X28C256 32 KiB parallel EEPROM. A write loads a byte: the address is taken when the later
// of CE and WE falls (with OE high), the data when the first of them rises. Further bytes load
// while each WE falling edge comes within 100 us of the one before; then the write cycle runs
// (5 ms, 10 ms when slow) and stores the page of the first byte (A6..A14). During the cycle
// every read gives the complement of bit 7 of the last byte loaded and a bit 6 that toggles
// from one read to the next. Software data protection is a stored flag: while it is on, only a
// load that starts with AA/55/A0 to 5555/2AAA/5555 stores its data; any other load runs a
// dummy write cycle. AA/55/A0 turns protection on, AA/55/80/AA/55/20 off; command bytes are
// never stored. A write during the cycle, a load that protection keeps out, and a programming
// voltage on any pin (every pin stands 7 V at most) are reported; the last destroys the part.
class X28C256Chip final : public MemoryChip {
 public:
  explicit X28C256Chip(const ChipOptions& options);

  void linesChanged(const SocketLines& lines, std::uint64_t nowNs) override;
  std::uint8_t output(const SocketLines& lines, std::uint64_t nowNs) override;
  std::uint8_t drivenLines(const SocketLines&, std::uint64_t nowNs) override;

  // The protection flag at `nowNs` (a load that has ended has taken effect).
  bool dataProtection(std::uint64_t nowNs) {
    advanceTo(nowNs);
    return protected_;
  }
  // True while a write cycle runs at `nowNs` (a load that has ended counts).
  bool busy(std::uint64_t nowNs);
  bool destroyed() const { return destroyed_; }

  static constexpr std::size_t kSize = 32 * 1024;
  static constexpr std::uint32_t kPageSize = 64;
  static constexpr std::uint64_t kByteLoadWindowNs = 100'000;

  struct LoadedByte {
    std::uint32_t address;
    std::uint8_t data;
  };

 private:
  void advanceTo(std::uint64_t nowNs);
  void endLoad(std::uint64_t cycleStartNs);
  // The loaded bytes after a leading command sequence, or none when protection refuses them.
  std::vector<LoadedByte> dataOfLoad();
  void loadByte(std::uint32_t address, std::uint8_t data);
  static std::string hexAddress(std::uint32_t address);
  // Destroys the part when the board puts its programming supply on one of its pins.
  void checkVoltages(const SocketLines& lines, std::uint64_t nowNs);

  AddressDecoder decoder_;
  SocketPinProbe ce_, oe_, we_, vcc_;
  std::vector<SwitchedPin> switchedPins_;
  bool destroyed_ = false;
  std::uint64_t writeCycleNs_;
  bool protected_;

  bool writing_ = false;  // CE and WE low with OE high
  bool reading_ = false;  // CE and OE low with WE high
  std::uint32_t address_ = 0;
  std::uint32_t latchedAddress_ = 0;
  std::vector<LoadedByte> load_;
  std::uint64_t loadEndsNs_ = 0;  // when the load ends unless another WE edge comes
  bool cycleRunning_ = false;
  std::uint64_t cycleEndNs_ = 0;
  std::uint8_t lastByte_ = 0xFF;
  bool toggle_ = false;
};

}  // namespace burnlab::sim
