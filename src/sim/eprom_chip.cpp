#include "sim/eprom_chip.h"

#include <algorithm>
#include <limits>
#include <string>

#include "sim/hex_digits.h"
#include "sim/sim_summary.h"

namespace burnlab::sim {
namespace {

// A supply within half a volt below the nominal level still programs (12.5 V does for the
// 12.75 V parts: their VPP is 12.75 V +- 0.25 V).
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
      maxVppMv_(options.original && type.originalMv ? type.originalMaxVppMv : type.maxVppMv),
      ratings_(type.packagePins, {{type.vppPin, maxVppMv_, true}},
               [&type](int pin) { return type.pinName(pin); }),
      needs_(std::uint64_t{type.pulseUs} * 1000, type.maxPulses, options.seed, options.slowFactor,
             options.fixedPulses) {}

KeptState EpromChip::keptStateAt(std::uint64_t) {
  KeptState kept;
  kept.destroyed = destroyed_;
  return kept;
}

void EpromChip::putBack(const KeptState& kept) {
  destroyed_ = kept.destroyed.value_or(destroyed_);
}

bool EpromChip::voltageSuits(int mv) const {
  return mv >= requiredMv_ - kToleranceMv && mv <= maxVppMv_;
}

bool EpromChip::checkVoltages(const SocketLines& lines, std::uint64_t nowNs) {
  if (destroyed_) return true;
  if (!destroyedBy(ratings_, lines, destroyed_, nowNs)) return false;
  outputs_ = false;
  programming_ = false;
  return true;
}

void EpromChip::chargeCell(std::uint64_t nowNs) {
  if (!programming_ || heldLow_ == 0 || nowNs <= sinceNs_) return;
  const std::uint64_t need = needs_.needNs(address_);
  auto& charge = charges_[address_];
  std::uint8_t programmed = 0;
  for (int bit = 0; bit < 8; ++bit) {
    if ((heldLow_ >> bit & 1) == 0) continue;
    auto& held = charge[static_cast<std::size_t>(bit)];
    const std::uint64_t total = std::uint64_t{held} + (nowNs - sinceNs_);
    held = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(total, std::numeric_limits<std::uint32_t>::max()));
    if (held >= need) programmed |= static_cast<std::uint8_t>(1u << bit);
  }
  if (programmed) store(address_, cell(address_) & ~programmed);
  // A bit that reads 0 needs no more charge kept; a cell with none left is forgotten.
  for (int bit = 0; bit < 8; ++bit) {
    if ((cell(address_) >> bit & 1) == 0) charge[static_cast<std::size_t>(bit)] = 0;
  }
  if (std::all_of(charge.begin(), charge.end(), [](std::uint32_t held) { return held == 0; })) {
    charges_.erase(address_);
  }
}

void EpromChip::followPulse(bool wasProgramming, std::uint64_t nowNs) {
  if (programming_ && !wasProgramming) {
    pulseStartNs_ = nowNs;
    pulseAddress_ = address_;
  } else if (wasProgramming && !programming_ && nowNs - pulseStartNs_ < type_.minPulseNs()) {
    const int digits = (type_.addressLines + 3) / 4;
    report(SimEventKind::ShortProgramPulse, nowNs,
           "a pulse of " + durationText(nowNs - pulseStartNs_) + " at " +
               hexDigits(pulseAddress_, digits) + ", the " + name() + " takes " +
               durationText(type_.minPulseNs()) + " at least");
  }
}

void EpromChip::linesChanged(const SocketLines& lines, std::uint64_t nowNs) {
  // The pulse so far counts with the lines it had.
  chargeCell(nowNs);
  sinceNs_ = nowNs;
  if (checkVoltages(lines, nowNs)) return;
  const bool wasProgramming = programming_;

  const bool powered = !hasVcc_ || vcc_.high(lines);
  const bool ceLow = !ce_.high(lines);
  const bool oeHigh = oe_.high(lines);
  const bool pgmHigh = !hasPgm_ || pgm_.high(lines);
  const int vppMv = vpp_.programmingMv(lines);
  // A separate VPP pin must sit at VCC (or carry the programming voltage) for reading.
  const bool vppReadLevel = vppOnOe_ || vpp_.high(lines);
  address_ = decoder_.address(lines);
  const bool read = ceLow && pgmHigh && vppReadLevel;
  const bool verify = type_.verifiesWithCeHigh() && vppMv > 0;
  outputs_ = powered && !oeHigh && (read || verify);

  const bool pulse = hasPgm_ ? ceLow && !pgmHigh : ceLow;
  programming_ = powered && oeHigh && pulse && voltageSuits(vppMv);
  // The chip does not drive the bus while OE is high: the bus is what the board drives.
  heldLow_ = static_cast<std::uint8_t>(~lines.boardDrive);
  followPulse(wasProgramming, nowNs);
}

void EpromChip::erase() {
  charges_.clear();
  MemoryChip::erase();
}

std::uint8_t EpromChip::output(const SocketLines&, std::uint64_t) {
  return outputs_ ? cells()[address_] : 0xFF;
}

}  // namespace burnlab::sim
