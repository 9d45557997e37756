#pragma once

#include <cstdint>
#include <set>
#include <string>

#include "sim/address_decoder.h"
#include "sim/chip_options.h"
#include "sim/flash_types.h"
#include "sim/memory_chip.h"
#include "sim/pin_voltages.h"
#include "sim/socket_wiring.h"

namespace burnlab::sim {

// A 32-pin 5-volt sector flash (Am29F010/020/040, A29040, EN29F040) with the JEDEC command set.
// A write cycle (CE and WE low, OE high) takes the address when the later of them falls and the
// data when the first rises; the writes drive a command state machine:
//   AA/55 unlock cycles to 555h/2AAh (the later revisions decode only A0..A10; the earlier
//   ones, on request, A0..A14: 5555h/2AAAh), then
//   90  identification: address 0 the maker, 1 the device, 2 (with a sector address) 01h for a
//       protected sector; F0 (alone or after the unlock cycles) returns to the array;
//   A0  then address and data: byte program (only clears bits);
//   80 AA 55 10  chip erase;  80 AA 55 30 to a sector: sector erase, more 30h to other sectors
//       within 50 us add them.
// While an algorithm runs, reads give its status: DQ7 the complement of the data bit 7 being
// programmed (0 while erasing), DQ6 toggling from read to read, DQ5 1 once the datasheet's
// maximum time has passed without success (a 0 that should become 1, an erase that fails), DQ3
// 1 once a sector erase has begun. Writes while busy are ignored and reported; after a time-out
// only the reset command F0 brings the array back. Writes to a protected sector are refused.
class SectorFlashChip final : public MemoryChip {
 public:
  SectorFlashChip(const FlashType& type, const ChipOptions& options);

  void linesChanged(const SocketLines& lines, std::uint64_t nowNs) override;
  std::uint8_t output(const SocketLines& lines, std::uint64_t nowNs) override;
  std::uint8_t drivenLines(const SocketLines&, std::uint64_t) override {
    return reading_ ? 0xFF : 0x00;
  }

  const FlashType& type() const { return type_; }
  bool destroyed() const { return destroyed_; }
  void putBack(const KeptState& kept) override;
  // True while an embedded algorithm runs (or has timed out) at `nowNs`.
  bool busy(std::uint64_t nowNs);

  static constexpr std::uint64_t kSectorEraseWindowNs = 50'000;

 private:
  KeptState keptStateAt(std::uint64_t nowNs) override;

  enum class Step { Read, Unlock1, Unlock2, ProgramSetup, Erase80, Erase80Unlock1, Erase80Unlock2 };
  enum class Algorithm { None, Program, EraseWindow, Erase };

  void write(std::uint32_t address, std::uint8_t data, std::uint64_t nowNs);
  void command(std::uint32_t address, std::uint8_t data, std::uint64_t nowNs);
  void program(std::uint32_t address, std::uint8_t data, std::uint64_t nowNs);
  void startErase(std::uint64_t startNs);
  void advanceTo(std::uint64_t nowNs);
  void notRecognised(std::uint32_t address, std::uint8_t data, std::uint64_t nowNs);
  bool isUnlock1(std::uint32_t address) const;
  bool isUnlock2(std::uint32_t address) const;
  std::uint32_t sectorOf(std::uint32_t address) const { return address / type_.sectorSize; }
  bool sectorProtected(std::uint32_t sector) const;
  std::uint8_t identification(std::uint32_t address) const;
  std::uint8_t status() const;

  const FlashType& type_;
  AddressDecoder decoder_;
  SocketPinProbe ce_, oe_, we_;
  PinRatings ratings_;
  std::uint32_t unlockMask_;
  std::uint32_t unlock1_, unlock2_;
  std::uint32_t protectedSectors_;
  bool eraseFails_;
  bool destroyed_ = false;

  bool writing_ = false;
  bool reading_ = false;
  std::uint32_t address_ = 0;
  std::uint32_t latchedAddress_ = 0;

  Step step_ = Step::Read;
  bool identifying_ = false;
  Algorithm algorithm_ = Algorithm::None;
  std::uint64_t algorithmEndsNs_ = 0;  // success, or the time-out when it cannot succeed
  bool willFail_ = false;              // ends with DQ5 instead of success
  bool timedOut_ = false;              // DQ5: waits for the reset command
  std::uint32_t programAddress_ = 0;
  std::uint8_t programData_ = 0xFF;
  std::set<std::uint32_t> eraseSectors_;
  bool chipErase_ = false;
  bool toggle_ = false;
};

}  // namespace burnlab::sim
