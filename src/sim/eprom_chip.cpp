#include "sim/eprom_chip.h"

#include <string>

namespace burnlab::sim {
namespace {

constexpr int kCmosLimitMv = 14000;
// A supply within half a volt below the nominal level still programs.
constexpr int kToleranceMv = 500;

}  // namespace

EpromChip::EpromChip(const EpromType& type, const ChipOptions& options)
    : MemoryChip(std::string(type.name), type.size()),
      type_(type),
      decoder_(type.addressPins(), type.packagePins),
      ce_(chipPin(type.cePin(), type.packagePins)),
      oe_(chipPin(type.oePin(), type.packagePins)),
      vpp_(chipPin(type.vppPin, type.packagePins)),
      pgm_(type.pgmPin ? chipPin(type.pgmPin, type.packagePins) : SocketPinProbe{}),
      vcc_(type.vccPin() ? chipPin(type.vccPin(), type.packagePins) : SocketPinProbe{}),
      hasPgm_(type.pgmPin != 0),
      hasVcc_(type.vccPin() != 0),
      vppOnOe_(type.vppPin == type.oePin()),
      requiredMv_(options.original && type.originalMv ? type.originalMv : type.programMv),
      pulsesPerCell_(options.pulsesPerCell < 1 ? 1 : options.pulsesPerCell) {
  for (int pin = 1; pin <= type.packagePins; ++pin) {
    const SocketPinProbe probe = chipPin(pin, type.packagePins);
    if (probe.supply.driven()) switchedPins_.push_back(probe);
  }
  if (pulsesPerCell_ > 1) pulsesTaken_.assign(size(), 0);
}

bool EpromChip::voltageSuits(int mv) const {
  return mv >= requiredMv_ - kToleranceMv;
}

bool EpromChip::overVoltage(const SocketLines& lines) const {
  if (!type_.cmos) return false;
  for (const auto& pin : switchedPins_) {
    if (pin.programmingMv(lines) > kCmosLimitMv) return true;
  }
  return false;
}

void EpromChip::linesChanged(const SocketLines& lines, std::uint64_t) {
  if (overVoltage(lines)) destroyed_ = true;
  if (destroyed_) {
    outputs_ = false;
    pulsing_ = false;
    return;
  }

  const bool powered = !hasVcc_ || vcc_.high(lines);
  const bool ceLow = !ce_.high(lines);
  const bool oeHigh = oe_.high(lines);
  const bool pgmHigh = !hasPgm_ || pgm_.high(lines);
  // A separate VPP pin must sit at VCC (or carry the programming voltage) for reading.
  const bool vppReadLevel = vppOnOe_ || vpp_.high(lines);
  address_ = decoder_.address(lines);
  outputs_ = powered && ceLow && !oeHigh && pgmHigh && vppReadLevel;

  const bool pulse = hasPgm_ ? ceLow && !pgmHigh : ceLow;
  const bool programs = powered && oeHigh && pulse && voltageSuits(vpp_.programmingMv(lines));
  if (programs) {
    // A new address during the pulse ends it for the old cell and starts it for the new one.
    if (pulsing_ && address_ != pulseAddress_) endPulse();
    if (!pulsing_) {
      pulsing_ = true;
      pulseAddress_ = address_;
      pulseData_ = 0xFF;
    }
    // The chip does not drive the bus while OE is high: the bus is what the board drives.
    pulseData_ &= lines.boardDrive;
  } else if (pulsing_) {
    endPulse();
  }
}

void EpromChip::endPulse() {
  pulsing_ = false;
  if (pulsesPerCell_ > 1) {
    auto& taken = pulsesTaken_[pulseAddress_];
    if (taken + 1 < pulsesPerCell_) {
      ++taken;
      return;
    }
  }
  store(pulseAddress_, cell(pulseAddress_) & pulseData_);
}

std::uint8_t EpromChip::output(const SocketLines&, std::uint64_t) {
  return outputs_ ? cells()[address_] : 0xFF;
}

}  // namespace burnlab::sim
