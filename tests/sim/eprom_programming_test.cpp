// Programming UV EPROMs in the socket by pulse time, their verify mode, and the voltages that
// destroy them, driven through the board registers as the program would.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>

#include "parallel_driver.h"
#include "sim/eprom_chip.h"

namespace burnlab::sim {
namespace {

constexpr std::uint64_t kUs = 1000;

std::shared_ptr<EpromChip> makeEprom(std::string_view name, const ChipOptions& options = {}) {
  return std::static_pointer_cast<EpromChip>(makeChip(name, options));
}

// The first cell from `from` on that needs between `low` and `high` ns of pulse time.
std::uint32_t cellNeeding(const EpromChip& chip, std::uint64_t low, std::uint64_t high,
                          std::uint32_t from = 0) {
  for (std::uint32_t address = from; address < chip.size(); ++address) {
    const auto need = chip.needNs(address);
    if (need >= low && need <= high) return address;
  }
  ADD_FAILURE() << "no cell of the " << chip.name() << " needs " << low << " to " << high;
  return 0;
}

// A 27C256 on the board: VPP on pin 1 (socket 3), the pulse on CE, VCC from register 3 bit 1.
struct Eprom27C256 : ChipInSocket<EpromChip> {
  explicit Eprom27C256(const ChipOptions& options = {})
      : ChipInSocket("27C256", 0x80, 2, options) {}
  // A cell that programs with one nominal pulse, as most do.
  std::uint32_t typicalCell() const { return cellNeeding(*chip, 30 * kUs, 90 * kUs); }
};

TEST(EpromProgramVerify, A27C256OutputsWithVppOnCeHighAndOeLow) {
  Eprom27C256 e;
  e.chip->setCell(0x1234, 0x5A);
  e.drive.address(0x1234, kCeHigh | kReg4Off);
  e.rig.set(4, 0xFF);
  e.rig.set(0, kOeHigh | kVppPin3);
  EXPECT_EQ(e.rig.readBus(), 0xFF) << "program inhibit: OE high";
  e.rig.set(0, kVppPin3);  // OE low: program verify
  EXPECT_EQ(e.rig.readBus(), 0x5A);
  e.rig.set(0, 0x00);  // VPP back at its read level with CE high: standby
  EXPECT_EQ(e.rig.readBus(), 0xFF);
}

TEST(EpromProgramming, A27C256CellProgramsOnItsAccumulatedPulseTime) {
  Eprom27C256 e;
  const auto cell = e.typicalCell();
  e.drive.pulse(cell, 0x00, kOeHigh | kVppPin3, 4);
  EXPECT_EQ(e.drive.read(cell), 0xFF) << "a 4 us pulse is far too short";
  for (int i = 1; i < 25; ++i) e.drive.pulse(cell, 0x00, kOeHigh | kVppPin3, 4);
  EXPECT_EQ(e.drive.read(cell), 0x00) << "twenty-five 4 us pulses add up to one nominal pulse";
  // Each of them was shorter than the datasheet's 95 us, and says so.
  const auto shortPulses = e.rig.eventTexts(SimEventKind::ShortProgramPulse);
  ASSERT_EQ(shortPulses.size(), 20u);  // the first ones kept
  EXPECT_EQ(e.rig.sim.events().count(SimEventKind::ShortProgramPulse), 25u);
  EXPECT_EQ(shortPulses.front().rfind("a pulse of ", 0), 0u) << shortPulses.front();
  EXPECT_NE(shortPulses.front().find("the 27C256 takes 95 us at least"), std::string::npos);

  const auto next = cellNeeding(*e.chip, 30 * kUs, 90 * kUs, cell + 1);
  e.drive.pulse(next, 0x3C, kOeHigh | kVppPin3, 100);
  EXPECT_EQ(e.drive.read(next), 0x3C) << "one 100 us pulse programs a typical cell";
  e.drive.pulse(next, 0xFF, kOeHigh | kVppPin3, 100);
  EXPECT_EQ(e.drive.read(next), 0x3C) << "programming only clears bits";
  EXPECT_EQ(e.rig.sim.events().count(SimEventKind::ShortProgramPulse), 25u);
}

TEST(EpromProgramming, NoPulseProgramsWithoutVppOrWithOeLow) {
  Eprom27C256 e;
  const auto cell = e.typicalCell();
  e.drive.pulse(cell, 0x00, kOeHigh, 500);
  EXPECT_EQ(e.drive.read(cell), 0xFF) << "no programming voltage";
  e.drive.pulse(cell, 0x00, kVppPin3, 500);
  EXPECT_EQ(e.drive.read(cell), 0xFF) << "OE low";
  EXPECT_FALSE(e.chip->destroyed());
}

TEST(EpromProgramming, ADataChangeHalfwayThroughAPulseCountsOnlyTheFirstHalf) {
  Eprom27C256 e;
  const auto cell = cellNeeding(*e.chip, 60 * kUs, 90 * kUs);
  const auto half = e.chip->needNs(cell) / 2 / kUs;
  e.drive.prepare(cell, 0x0F, kOeHigh | kVppPin3);
  e.rig.setBit(3, 7, false);
  e.rig.advanceUs(half);
  e.rig.set(4, 0xFF);  // the data goes away while CE stays low
  e.rig.advanceUs(half + 10);
  e.rig.setBit(3, 7, true);
  e.drive.finish();
  EXPECT_EQ(e.chip->cell(cell), 0xFF);
  e.drive.pulse(cell, 0x0F, kOeHigh | kVppPin3, half + 5);
  EXPECT_EQ(e.drive.read(cell), 0x0F) << "the first half counted, and this one completes it";
}

TEST(EpromProgramming, AnAddressChangedDuringThePulseGivesEachCellOnlyItsShare) {
  Eprom27C256 e;
  const auto first = cellNeeding(*e.chip, 30 * kUs, 60 * kUs, 0x100);
  const auto second = cellNeeding(*e.chip, 30 * kUs, 60 * kUs, first + 1);
  e.drive.prepare(first, 0x00, kOeHigh | kVppPin3);
  e.rig.setBit(3, 7, false);
  e.rig.advanceUs(100);
  e.drive.address(second, 0);  // the address moves on while CE is still low
  e.rig.advanceUs(10);
  e.rig.setBit(3, 7, true);
  e.drive.finish();
  EXPECT_EQ(e.chip->cell(first), 0x00);
  EXPECT_EQ(e.chip->cell(second), 0xFF) << "10 us is less than any cell needs";
}

TEST(EpromProgramming, PgmPartsProgramOnAPgmPulseWithCeLow) {
  ChipInSocket<EpromChip> e("27C010", 0, 12);
  const auto cell = cellNeeding(*e.chip, 30 * kUs, 90 * kUs, 0x1AB00);
  e.drive.pulse(cell, 0x42, kOeHigh | kVppPin1, 100);
  EXPECT_EQ(e.chip->cell(cell), 0xFF) << "CE alone gives no pulse";
  e.drive.pulse(cell, 0x42, kOeHigh | kVppPin1, 100, 3, 2);  // PGM on socket pin 31
  EXPECT_EQ(e.drive.read(cell), 0x42);
}

TEST(EpromProgramming, CellNeedsFollowTheStatedDistributionAndTheSeed) {
  auto chip = makeEprom("27C256");
  const std::uint64_t nominal = 100 * kUs;
  std::uint64_t withinOnePulse = 0;
  std::uint64_t shortest = ~0ull;
  std::uint64_t longest = 0;
  for (std::uint32_t a = 0; a < chip->size(); ++a) {
    const auto need = chip->needNs(a);
    shortest = std::min(shortest, need);
    longest = std::max(longest, need);
    if (need <= nominal) ++withinOnePulse;
  }
  EXPECT_GE(shortest, nominal * 3 / 10);
  EXPECT_LE(longest, 25 * nominal) << "never more than the algorithm's 25 pulses";
  EXPECT_GT(longest, 10 * nominal) << "a few cells need many pulses";
  EXPECT_NEAR(static_cast<double>(withinOnePulse) / static_cast<double>(chip->size()), 0.95, 0.01);

  auto other = makeEprom("27C256", {.seed = 2});
  auto same = makeEprom("27C256");
  int differing = 0;
  for (std::uint32_t a = 0; a < 100; ++a) {
    EXPECT_EQ(same->needNs(a), chip->needNs(a));
    if (other->needNs(a) != chip->needNs(a)) ++differing;
  }
  EXPECT_GT(differing, 90);

  // A one-pulse part (one 50 ms pulse) never needs more than that pulse.
  auto single = makeEprom("2732A");
  for (std::uint32_t a = 0; a < single->size(); ++a) ASSERT_LE(single->needNs(a), 50'000 * kUs);
}

TEST(EpromProgramming, SlowPartsNeedKTimesLongerAndFixedPulsesNeedExactlyN) {
  auto slowChip = makeEprom("27C256", {.slowFactor = 4});
  auto plain = makeEprom("27C256");
  for (std::uint32_t a = 0; a < 50; ++a) {
    EXPECT_NEAR(static_cast<double>(slowChip->needNs(a)), 4.0 * plain->needNs(a), 4.0);
  }

  const ChipOptions fixed{.fixedPulses = 3,
                          .stuck = {{.address = 0x10, .mask = 0x01, .value = 0x01}}};
  Eprom27C256 e(fixed);
  e.chip->applyFaults(fixed);
  EXPECT_EQ(e.chip->needNs(0x20), 300 * kUs);
  e.drive.pulse(0x20, 0x00, kOeHigh | kVppPin3, 100);
  e.drive.pulse(0x20, 0x00, kOeHigh | kVppPin3, 100);
  EXPECT_EQ(e.drive.read(0x20), 0xFF);
  e.drive.pulse(0x20, 0x00, kOeHigh | kVppPin3, 100);
  EXPECT_EQ(e.drive.read(0x20), 0x00);
  for (int i = 0; i < 4; ++i) e.drive.pulse(0x10, 0x00, kOeHigh | kVppPin3, 100);
  EXPECT_EQ(e.drive.read(0x10), 0x01) << "a stuck bit never clears";
}

TEST(EpromProgramming, UvLightClearsCellsAndTheChargeOfHalfProgrammedBits) {
  Eprom27C256 e;
  const auto cell = cellNeeding(*e.chip, 60 * kUs, 90 * kUs);
  const auto half = e.chip->needNs(cell) / 2 / kUs + 2;
  e.drive.pulse(0, 0x00, kOeHigh | kVppPin3, 2500);
  e.drive.pulse(cell, 0x00, kOeHigh | kVppPin3, half);
  e.chip->erase();
  EXPECT_EQ(e.chip->cell(0), 0xFF);
  e.drive.pulse(cell, 0x00, kOeHigh | kVppPin3, half);
  EXPECT_EQ(e.drive.read(cell), 0xFF) << "the charge before the erase is gone";
}

TEST(EpromVoltages, TwentyOneVoltsDestroysA27C256AndTheBoardReportsIt) {
  Eprom27C256 e;
  e.chip->setCell(5, 0x55);
  e.drive.prepare(0, 0x00, kOeHigh | kVppPin3 | kVolts21);
  e.drive.finish();
  EXPECT_TRUE(e.chip->destroyed());
  EXPECT_EQ(e.drive.read(5), 0xFF) << "a destroyed chip never answers";
  EXPECT_EQ(
      e.rig.eventTexts(SimEventKind::ChipDestroyed),
      std::vector<std::string>{"27C256 destroyed: 21 V on pin 1 (VPP), above its 14 V maximum"});
}

TEST(EpromVoltages, The27C512OeVppPinTakes12VoltsButItsA15PinDoesNot) {
  ChipInSocket<EpromChip> e("27C512", 0, 2);
  const auto cell = cellNeeding(*e.chip, 30 * kUs, 90 * kUs);
  e.drive.pulse(cell, 0x81, kOeHigh | kVpp24, 100);
  EXPECT_FALSE(e.chip->destroyed());
  EXPECT_EQ(e.drive.read(cell), 0x81);

  e.drive.prepare(cell, 0x00, kOeHigh | kVppPin3);  // socket pin 3 is the 27C512's A15
  e.drive.finish();
  EXPECT_TRUE(e.chip->destroyed());
  EXPECT_EQ(e.rig.eventTexts(SimEventKind::VoltageOnWrongPin),
            std::vector<std::string>{
                "12.5 V on pin 1 (A15) of the 27C512, a pin that takes no programming voltage"});
  EXPECT_EQ(e.rig.eventTexts(SimEventKind::ChipDestroyed).size(), 1u);
}

TEST(EpromVoltages, AProgrammingVoltageOnOeDestroysAPartWithItsOwnVppPin) {
  Eprom27C256 e;
  e.drive.prepare(0, 0x00, kOeHigh | kVpp24);
  e.drive.finish();
  EXPECT_TRUE(e.chip->destroyed());
  EXPECT_EQ(e.rig.eventTexts(SimEventKind::VoltageOnWrongPin).front(),
            "12.5 V on pin 22 (OE) of the 27C256, a pin that takes no programming voltage");
}

TEST(EpromVoltages, NmosOriginalsProgramAtTheirOwnVoltageAndDieAboveTheirRating) {
  const ChipOptions original{.original = true};
  SocketRig rig;
  ParallelDriver drive24{rig, 32, 0};
  auto a2732A = makeEprom("2732A", original);
  rig.sim.insert(a2732A);
  drive24.pulse(7, 0x0F, kOeHigh | kVpp24, 50'000);  // 12.5 V: not enough
  EXPECT_EQ(drive24.read(7), 0xFF);
  drive24.pulse(7, 0x0F, kOeHigh | kVpp24 | kVolts21, 50'000);
  EXPECT_EQ(drive24.read(7), 0x0F);
  drive24.prepare(8, 0x00, kOeHigh | kVpp24 | kVolts25);
  drive24.finish();
  EXPECT_TRUE(a2732A->destroyed()) << "25 V is above the 2732A's 22 V";

  auto a2732 = makeEprom("2732", original);  // the 25 V part stands 25 V
  rig.sim.insert(a2732);
  drive24.pulse(8, 0xF0, kOeHigh | kVpp24 | kVolts25, 50'000);
  EXPECT_FALSE(a2732->destroyed());
  EXPECT_EQ(drive24.read(8), 0xF0);

  auto later = makeEprom("2732A");  // the 12.5 V version: 21 V is too much
  rig.sim.insert(later);
  drive24.pulse(7, 0xF0, kOeHigh | kVpp24, 50'000);
  EXPECT_EQ(drive24.read(7), 0xF0);
  drive24.prepare(8, 0x00, kOeHigh | kVpp24 | kVolts21);
  drive24.finish();
  EXPECT_TRUE(later->destroyed());

  std::string error;
  EXPECT_EQ(ChipCatalogue::make("27C256", original, error), nullptr);
  EXPECT_EQ(error, "27C256 has no high-voltage original");
}

TEST(EpromVoltages, ModelFourGivesNoVoltageUntilItsSupplyIsEnabled) {
  ChipInSocket<EpromChip> e("27C256", 0x80, 2, {}, 4);
  const auto cell = cellNeeding(*e.chip, 30 * kUs, 90 * kUs);
  e.drive.pulse(cell, 0x00, kOeHigh | kVppPin3, 100);
  EXPECT_EQ(e.drive.read(cell), 0xFF);
  e.drive.pulse(cell, 0x00, kOeHigh | kVppPin3 | 0x04, 100);
  EXPECT_EQ(e.drive.read(cell), 0x00);
}

}  // namespace
}  // namespace burnlab::sim
