#include "sim/sector_flash_chip.h"

#include <array>
#include <vector>

#include "sim/hex_digits.h"

namespace burnlab::sim {
namespace {

constexpr int kPackagePins = 32;
constexpr int kCePin = 22, kOePin = 24, kWePin = 31;
// JEDEC 32-pin flash pinout: chip pin of A0 .. A18.
constexpr std::array<int, 19> kAddressPins{12, 11, 10, 9,  8,  7, 6, 5,  27, 26,
                                           23, 25, 4,  28, 29, 3, 2, 30, 1};
// A9 and OE stand 12.5 V (Am29F040B absolute maximum ratings), every other pin VCC + 0.5 V;
// pin 1 of the parts below 4 Mbit is not connected inside.
constexpr int kOeMaxMv = 12500;
constexpr int kNotConnectedMaxMv = 1'000'000;
// A program or an erase of protected sectors only ends after these (Am29F040B: about 1 us and
// 100 us), having changed nothing.
constexpr std::uint64_t kRefusedProgramNs = 1'000;
constexpr std::uint64_t kRefusedEraseNs = 100'000;

std::vector<int> addressPinsOf(const FlashType& type) {
  return {kAddressPins.begin(), kAddressPins.begin() + type.addressLines};
}

std::vector<PinRatings::Pin> ratingsOf(const FlashType& type) {
  std::vector<PinRatings::Pin> rated{{kOePin, kOeMaxMv, false}};
  if (type.addressLines < 19) rated.push_back({1, kNotConnectedMaxMv, false});
  return rated;
}

std::string pinNameOf(const FlashType& type, int pin) {
  if (pin == kOePin) return "OE";
  if (pin == 1) return type.addressLines < 19 ? "NC" : "A18";
  return pin == 3 ? "A15" : "pin";
}

}  // namespace

SectorFlashChip::SectorFlashChip(const FlashType& type, const ChipOptions& options)
    : MemoryChip(std::string(type.name), type.size()),
      type_(type),
      decoder_(addressPinsOf(type), kPackagePins),
      ce_(chipPin(kCePin, kPackagePins)),
      oe_(chipPin(kOePin, kPackagePins)),
      we_(chipPin(kWePin, kPackagePins)),
      ratings_(kPackagePins, ratingsOf(type), [&type](int pin) { return pinNameOf(type, pin); }),
      unlockMask_(options.earlierUnlock ? 0x7FFF : 0x07FF),
      unlock1_(options.earlierUnlock ? 0x5555 : 0x0555),
      unlock2_(options.earlierUnlock ? 0x2AAA : 0x02AA),
      protectedSectors_(options.protectedSectors),
      eraseFails_(options.eraseFails) {}

KeptState SectorFlashChip::keptStateAt(std::uint64_t nowNs) {
  advanceTo(nowNs);
  KeptState kept;
  kept.destroyed = destroyed_;
  kept.protectedSectors = protectedSectors_;
  kept.sectors = type_.sectors();
  return kept;
}

void SectorFlashChip::putBack(const KeptState& kept) {
  destroyed_ = kept.destroyed.value_or(destroyed_);
  protectedSectors_ = kept.protectedSectors.value_or(protectedSectors_);
}

bool SectorFlashChip::isUnlock1(std::uint32_t address) const {
  return (address & unlockMask_) == unlock1_;
}

bool SectorFlashChip::isUnlock2(std::uint32_t address) const {
  return (address & unlockMask_) == unlock2_;
}

bool SectorFlashChip::sectorProtected(std::uint32_t sector) const {
  return sector < 32 && (protectedSectors_ >> sector & 1) != 0;
}

bool SectorFlashChip::busy(std::uint64_t nowNs) {
  advanceTo(nowNs);
  return algorithm_ != Algorithm::None;
}

void SectorFlashChip::linesChanged(const SocketLines& lines, std::uint64_t nowNs) {
  advanceTo(nowNs);
  if (destroyedBy(ratings_, lines, destroyed_, nowNs)) {
    writing_ = reading_ = false;
    return;
  }
  const bool ceLow = !ce_.high(lines);
  const bool oeLow = !oe_.high(lines);
  const bool weLow = !we_.high(lines);
  address_ = decoder_.address(lines);

  const bool writing = ceLow && weLow && !oeLow;
  if (writing && !writing_) {
    latchedAddress_ = address_;  // the later of the CE and WE falling edges
  } else if (!writing && writing_) {
    write(latchedAddress_, lines.boardDrive, nowNs);  // the first of their rising edges
  }
  writing_ = writing;

  const bool reading = ceLow && oeLow && !weLow;
  if (reading && !reading_ && algorithm_ != Algorithm::None) toggle_ = !toggle_;
  reading_ = reading;
}

void SectorFlashChip::write(std::uint32_t address, std::uint8_t data, std::uint64_t nowNs) {
  if (timedOut_) {
    if (data == 0xF0) {
      timedOut_ = false;
      algorithm_ = Algorithm::None;
      step_ = Step::Read;
    } else {
      report(SimEventKind::WriteIgnoredWhileBusy, nowNs,
             hexDigits(data, 2) + " to " + hexDigits(address, 5) + " after the " + name() +
                 "'s time-out: only the reset command F0h is taken");
    }
    return;
  }
  if (algorithm_ == Algorithm::Program || algorithm_ == Algorithm::Erase) {
    report(SimEventKind::WriteIgnoredWhileBusy, nowNs,
           hexDigits(data, 2) + " to " + hexDigits(address, 5) + " while the " + name() +
               (algorithm_ == Algorithm::Program ? " programs" : " erases"));
    return;
  }
  if (algorithm_ == Algorithm::EraseWindow) {
    if (data == 0x30) {
      // Another sector joins the erase; the window starts again.
      eraseSectors_.insert(sectorOf(address));
      algorithmEndsNs_ = nowNs + kSectorEraseWindowNs;
      return;
    }
    algorithm_ = Algorithm::None;  // any other command abandons the erase
    eraseSectors_.clear();
    notRecognised(address, data, nowNs);
    return;
  }
  command(address, data, nowNs);
}

void SectorFlashChip::command(std::uint32_t address, std::uint8_t data, std::uint64_t nowNs) {
  // The reset command ends any sequence, and identification (the program's data may be F0h).
  if (data == 0xF0 && step_ != Step::ProgramSetup) {
    step_ = Step::Read;
    identifying_ = false;
    return;
  }
  switch (step_) {
    case Step::Read:
      if (data == 0xAA && isUnlock1(address)) return void(step_ = Step::Unlock1);
      break;
    case Step::Unlock1:
      if (data == 0x55 && isUnlock2(address)) return void(step_ = Step::Unlock2);
      break;
    case Step::Unlock2:
      if (!isUnlock1(address)) break;
      if (data == 0x90) {
        identifying_ = true;
        return void(step_ = Step::Read);
      }
      if (data == 0xA0) return void(step_ = Step::ProgramSetup);
      if (data == 0x80) return void(step_ = Step::Erase80);
      break;
    case Step::ProgramSetup:
      step_ = Step::Read;
      return program(address, data, nowNs);
    case Step::Erase80:
      if (data == 0xAA && isUnlock1(address)) return void(step_ = Step::Erase80Unlock1);
      break;
    case Step::Erase80Unlock1:
      if (data == 0x55 && isUnlock2(address)) return void(step_ = Step::Erase80Unlock2);
      break;
    case Step::Erase80Unlock2:
      step_ = Step::Read;
      if (data == 0x10 && isUnlock1(address)) {
        chipErase_ = true;
        return startErase(nowNs);
      }
      if (data == 0x30) {
        chipErase_ = false;
        eraseSectors_ = {sectorOf(address)};
        algorithm_ = Algorithm::EraseWindow;
        algorithmEndsNs_ = nowNs + kSectorEraseWindowNs;
        return;
      }
      break;
  }
  notRecognised(address, data, nowNs);
}

void SectorFlashChip::notRecognised(std::uint32_t address, std::uint8_t data, std::uint64_t nowNs) {
  report(SimEventKind::CommandNotRecognised, nowNs,
         hexDigits(data, 2) + " to " + hexDigits(address, 5) + " is no command the " + name() +
             " takes here");
  step_ = Step::Read;
}

void SectorFlashChip::program(std::uint32_t address, std::uint8_t data, std::uint64_t nowNs) {
  algorithm_ = Algorithm::Program;
  programAddress_ = address;
  programData_ = data;
  if (sectorProtected(sectorOf(address))) {
    report(SimEventKind::WriteRefusedByProtection, nowNs,
           "a program of " + hexDigits(address, 5) + " in a protected sector of the " + name());
    willFail_ = false;
    programData_ = cell(address);  // the byte stays as it is
    algorithmEndsNs_ = nowNs + kRefusedProgramNs;
    return;
  }
  // A bit cannot go from 0 back to 1: the algorithm runs to its time-out and sets DQ5.
  willFail_ = (data & ~cell(address)) != 0;
  const std::uint32_t us = willFail_ ? type_.byteProgramMaxUs : type_.byteProgramUs;
  algorithmEndsNs_ = nowNs + std::uint64_t{us} * 1000;
}

void SectorFlashChip::startErase(std::uint64_t startNs) {
  std::set<std::uint32_t> sectors;
  if (chipErase_) {
    for (std::uint32_t s = 0; s < type_.sectors(); ++s) sectors.insert(s);
  } else {
    sectors = eraseSectors_;
  }
  eraseSectors_.clear();
  for (const auto sector : sectors) {
    if (sectorProtected(sector)) {
      report(SimEventKind::WriteRefusedByProtection, startNs,
             "an erase of protected sector " + std::to_string(sector) + " of the " + name());
    } else {
      eraseSectors_.insert(sector);
    }
  }
  algorithm_ = Algorithm::Erase;
  willFail_ = eraseFails_ && !eraseSectors_.empty();
  std::uint64_t ms = chipErase_ ? type_.chipEraseMs : type_.sectorEraseMs * eraseSectors_.size();
  if (willFail_) {
    ms = chipErase_ ? type_.chipEraseMaxMs : type_.sectorEraseMaxMs * eraseSectors_.size();
  }
  algorithmEndsNs_ = startNs + (eraseSectors_.empty() ? kRefusedEraseNs : ms * 1'000'000);
}

void SectorFlashChip::advanceTo(std::uint64_t nowNs) {
  if (algorithm_ == Algorithm::EraseWindow && nowNs >= algorithmEndsNs_) {
    startErase(algorithmEndsNs_);
  }
  if (algorithm_ == Algorithm::None || timedOut_ || nowNs < algorithmEndsNs_) return;
  if (algorithm_ == Algorithm::Program)
    store(programAddress_, cell(programAddress_) & programData_);
  if (willFail_) {
    timedOut_ = true;  // DQ5 until the reset command
    return;
  }
  if (algorithm_ == Algorithm::Erase) {
    for (const auto sector : eraseSectors_) {
      const std::uint32_t first = sector * type_.sectorSize;
      for (std::uint32_t a = first; a < first + type_.sectorSize; ++a) store(a, 0xFF);
    }
    eraseSectors_.clear();
  }
  algorithm_ = Algorithm::None;
}

std::uint8_t SectorFlashChip::identification(std::uint32_t address) const {
  const std::uint32_t which = address & 0x03;
  if (which == 2) return sectorProtected(sectorOf(address)) ? 0x01 : 0x00;
  if (type_.continuationCode && (address & 0x100) == 0) return 0x7F;
  if (which == 0) return type_.makerCode;
  if (which == 1) return type_.deviceCode;
  return 0x00;
}

std::uint8_t SectorFlashChip::status() const {
  std::uint8_t value = toggle_ ? 0x40 : 0x00;
  if (algorithm_ == Algorithm::Program) value |= ~programData_ & 0x80;
  if (timedOut_) value |= 0x20;
  if (algorithm_ == Algorithm::Erase) value |= 0x08;
  return value;
}

std::uint8_t SectorFlashChip::output(const SocketLines&, std::uint64_t nowNs) {
  advanceTo(nowNs);
  if (!reading_) return 0xFF;
  if (algorithm_ != Algorithm::None) return status();
  if (identifying_) return identification(address_);
  return cells()[address_];
}

}  // namespace burnlab::sim
