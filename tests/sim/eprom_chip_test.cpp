// UV EPROMs in the socket, driven by hand through the board registers as the wiring implies.
#include "sim/eprom_chip.h"

#include <gtest/gtest.h>

#include <string>

#include "devices/device_catalogue.h"
#include "sim/chip_catalogue.h"
#include "sim/eprom_types.h"
#include "sim/x28c256_chip.h"
#include "socket_rig.h"

namespace burnlab::sim {
namespace {

// Register 0: OE released (bit 6), VPP24 (7), VPP on socket pin 1 (5), on pin 3 (4).
constexpr int kOeHigh = 0x40, kVpp24 = 0x80, kVppPin1 = 0x20, kVppPin3 = 0x10;
constexpr int kVolts21 = 0x02, kVolts25 = 0x03;
// Register 3: CE (bit 7) and REG4 (bit 6) released.
constexpr int kCeHigh = 0x80, kReg4Off = 0x40;

// The part name of a device list row: its first word with a digit in it.
std::string partName(std::string_view rowName) {
  std::size_t start = 0;
  while (start < rowName.size()) {
    auto end = rowName.find(' ', start);
    if (end == std::string_view::npos) end = rowName.size();
    const auto word = rowName.substr(start, end - start);
    if (word.find_first_of("0123456789") != std::string_view::npos) return std::string(word);
    start = end + 1;
  }
  return {};
}

// Drives a parallel chip: address lines by the socket table, the row's fixed bits held.
struct ParallelDriver {
  SocketRig& rig;
  int reg1Bits = 0;
  int reg3Bits = 0;
  bool a14OnPin1 = false;  // the X28C256 has A14 where the 28-pin EPROMs have VPP (socket 3)

  int reg1For(std::uint32_t address) const {
    int mid = static_cast<int>((address >> 8) & 0xFF);
    if (a14OnPin1) mid = (mid & 0x3F) | ((mid & 0x40) << 1);
    return mid | reg1Bits;
  }
  void address(std::uint32_t address, int reg3Control) {
    rig.set(2, static_cast<int>(address & 0xFF));
    rig.set(1, reg1For(address));
    rig.set(3, static_cast<int>((address >> 16) & 0x0F) | reg3Bits | reg3Control);
  }
  std::uint8_t read(std::uint32_t at) {
    rig.set(4, 0xFF);
    rig.set(0, 0x00);       // OE low, no programming voltage
    address(at, kReg4Off);  // CE low, the bus left to the chip
    return rig.readBus();
  }
  // One program pulse: the byte on the bus, OE high, VPP as `reg0`, the pulse on CE or on PGM.
  void pulse(std::uint32_t at, std::uint8_t data, int reg0, int pgmReg = -1, int pgmBit = 0) {
    rig.set(0, kOeHigh);
    address(at, kCeHigh);
    rig.set(4, data);
    rig.setBit(3, 6, false);  // REG4 drives the bus
    rig.set(0, reg0);
    if (pgmReg < 0) {
      rig.setBit(3, 7, false);
      rig.setBit(3, 7, true);
    } else {
      rig.setBit(3, 7, false);
      rig.setBit(pgmReg, pgmBit, false);
      rig.setBit(pgmReg, pgmBit, true);
      rig.setBit(3, 7, true);
    }
    rig.set(0, kOeHigh);
    rig.setBit(3, 6, true);
  }
};

std::shared_ptr<MemoryChip> make(std::string_view name, const ChipOptions& options = {}) {
  std::string error;
  auto chip = ChipCatalogue::make(name, options, error);
  EXPECT_NE(chip, nullptr) << error;
  return chip;
}

class SelectableParallelRow : public ::testing::TestWithParam<int> {};

// Every address line, the fixed bits and VCC of every selectable parallel row.
TEST_P(SelectableParallelRow, ReadsEveryAddressLineWithTheRowsFixedBits) {
  const CatalogueRow& row = DeviceCatalogue::rows()[static_cast<std::size_t>(GetParam())];
  auto chip = make(partName(row.name));
  ASSERT_NE(chip, nullptr);
  ASSERT_EQ(chip->size(), static_cast<std::size_t>(row.sizeKB) * 1024) << row.name;

  std::vector<std::uint32_t> addresses{0};
  for (std::uint32_t bit = 1; bit < chip->size(); bit <<= 1) addresses.push_back(bit);
  addresses.push_back(static_cast<std::uint32_t>(chip->size() - 1));
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    chip->setCell(addresses[i], static_cast<std::uint8_t>(0x10 + i));
  }
  SocketRig rig;
  rig.sim.insert(chip);
  ParallelDriver drive{rig, row.reg1Bits, row.reg3Bits, row.deviceCode() == "EN"};
  for (std::size_t i = 0; i < addresses.size(); ++i) {
    EXPECT_EQ(drive.read(addresses[i]), 0x10 + i) << row.name << " at " << addresses[i];
  }

  if (row.reg1Bits || row.reg3Bits) {
    // Without its fixed bits the chip has no VCC, or PGM, VPP or WE at their read level.
    ParallelDriver bare{rig};
    EXPECT_EQ(bare.read(0), 0xFF) << row.name;
  }
}

std::vector<int> selectableParallelRows() {
  std::vector<int> rows;
  for (int i = 0; i <= DeviceCatalogue::lastUsedRow(); ++i) {
    const auto& row = DeviceCatalogue::rows()[static_cast<std::size_t>(i)];
    if (row.supported && (row.family == 'P' || row.family == 'E')) rows.push_back(i);
  }
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SelectableParallelRow,
                         ::testing::ValuesIn(selectableParallelRows()), [](const auto& info) {
                           return partName(DeviceCatalogue::rows()[info.param].name);
                         });

TEST(ChipCatalogue, HasAChipOfTheRightSizeForEverySelectableRow) {
  for (const auto& row : DeviceCatalogue::rows()) {
    if (!row.supported || row.family == 'M') continue;
    auto chip = make(partName(row.name));
    ASSERT_NE(chip, nullptr) << row.name;
    EXPECT_EQ(chip->size(), static_cast<std::size_t>(row.sizeKB) * 1024) << row.name;
  }
  std::string error;
  EXPECT_EQ(ChipCatalogue::make("27C999", {}, error), nullptr);
  EXPECT_EQ(error, "No simulated chip is called 27C999");
  EXPECT_NE(ChipCatalogue::make("x28c256", {}, error), nullptr) << "names in any case";
  auto listed = ChipCatalogue::make("XICOR X28C256", {}, error);
  ASSERT_NE(listed, nullptr) << "a device list name without its family word";
  EXPECT_EQ(listed->name(), "X28C256");
  EXPECT_EQ(ChipCatalogue::make("Eeprom 24C16 Serial (8 pins)", {}, error)->name(), "24C16");
  EXPECT_EQ(ChipCatalogue::make("Eprom 2716", {}, error), nullptr) << "not selectable";
}

TEST(EpromChip, OutputsOnlyWithCeAndOeLowAndNoVoltageOnOe) {
  auto chip = make("27C512");
  chip->setCell(0x1234, 0x5A);
  SocketRig rig;
  rig.sim.insert(chip);
  ParallelDriver drive{rig, 0, 2};
  EXPECT_EQ(drive.read(0x1234), 0x5A);
  rig.setBit(3, 7, true);  // CE released
  EXPECT_EQ(rig.readBus(), 0xFF);
  rig.setBit(3, 7, false);
  rig.set(0, kOeHigh);
  EXPECT_EQ(rig.readBus(), 0xFF);
  rig.set(0, kVpp24 | kOeHigh);  // VPP on the OE/VPP pin
  EXPECT_EQ(rig.readBus(), 0xFF);
  // The bus is the wired AND: what the board pulls low stays low.
  rig.set(0, 0x00);
  rig.set(4, 0x0F);
  rig.setBit(3, 6, false);
  EXPECT_EQ(rig.readBus(), 0x0A);
}

TEST(EpromChip, ProgramPulseOnCeClearsOnlyBitsAndNeedsVpp) {
  auto chip = make("27C256");
  chip->setCell(0x4321, 0x3C);
  SocketRig rig;
  rig.sim.insert(chip);
  ParallelDriver drive{rig, 128, 2};
  drive.pulse(0x4321, 0xF0, kOeHigh);  // no programming voltage
  EXPECT_EQ(drive.read(0x4321), 0x3C);
  drive.pulse(0x4321, 0xF0, kOeHigh | kVpp24);  // the voltage on the wrong pin (OE)
  EXPECT_EQ(drive.read(0x4321), 0x3C);
  drive.pulse(0x4321, 0xF0, kOeHigh | kVppPin3);
  EXPECT_EQ(drive.read(0x4321), 0x30);
  EXPECT_EQ(chip->cell(0x4320), 0xFF);
}

TEST(EpromChip, AnAddressChangedDuringThePulseProgramsBothCells) {
  auto chip = make("27C256");
  SocketRig rig;
  rig.sim.insert(chip);
  ParallelDriver drive{rig, 128, 2};
  rig.set(0, kOeHigh | kVppPin3);
  drive.address(0x0100, kCeHigh);
  rig.set(4, 0x0F);
  rig.setBit(3, 6, false);
  rig.setBit(3, 7, false);
  rig.set(2, 0x01);  // the address moves on while CE is still low
  rig.setBit(3, 7, true);
  EXPECT_EQ(chip->cell(0x0100), 0x0F);
  EXPECT_EQ(chip->cell(0x0101), 0x0F);
}

TEST(EpromChip, PgmPartsProgramOnAPgmPulseWithCeLow) {
  auto chip = make("2764");
  SocketRig rig;
  rig.sim.insert(chip);
  ParallelDriver drive{rig, 192, 2};
  drive.pulse(0x1FFF, 0x00, kOeHigh | kVppPin3);  // CE alone does nothing
  EXPECT_EQ(chip->cell(0x1FFF), 0xFF);
  drive.pulse(0x1FFF, 0x81, kOeHigh | kVppPin3, 1, 6);  // PGM is socket pin 29
  EXPECT_EQ(drive.read(0x1FFF), 0x81);

  auto big = make("27C010");
  rig.sim.insert(big);
  ParallelDriver drive32{rig, 0, 12};
  drive32.pulse(0x1ABCD, 0x42, kOeHigh | kVppPin1, 3, 2);  // PGM on socket pin 31
  EXPECT_EQ(drive32.read(0x1ABCD), 0x42);
}

TEST(EpromChip, TheOeVppPinCarriesTheVoltageOf2732And27C080) {
  for (std::string_view name : {"2732", "27C080"}) {
    auto chip = make(name);
    SocketRig rig;
    rig.sim.insert(chip);
    ParallelDriver drive{rig, name == "2732" ? 32 : 0, 0};
    const std::uint32_t top = static_cast<std::uint32_t>(chip->size() - 1);
    drive.pulse(top, 0x12, kOeHigh | kVppPin1);
    EXPECT_EQ(chip->cell(top), 0xFF) << name;
    drive.pulse(top, 0x12, kOeHigh | kVpp24);
    EXPECT_EQ(drive.read(top), 0x12) << name;
  }
}

TEST(EpromChip, CmosPartsDieAbove14VoltsAndNmosOriginalsRefuseLowVoltage) {
  auto cmos = make("27C080");
  SocketRig rig;
  rig.sim.insert(cmos);
  ParallelDriver drive{rig};
  drive.pulse(0, 0x00, kOeHigh | kVpp24 | kVolts21);
  rig.set(0, kOeHigh);
  EXPECT_TRUE(std::static_pointer_cast<EpromChip>(cmos)->destroyed());
  cmos->setCell(5, 0x55);
  EXPECT_EQ(drive.read(5), 0xFF);

  ChipOptions original;
  original.original = true;
  auto nmos = make("2732A", original);
  rig.sim.insert(nmos);
  ParallelDriver drive24{rig, 32, 0};
  drive24.pulse(7, 0x0F, kOeHigh | kVpp24);  // 12.5 V: not enough
  EXPECT_EQ(drive24.read(7), 0xFF);
  drive24.pulse(7, 0x0F, kOeHigh | kVpp24 | kVolts21);
  EXPECT_EQ(drive24.read(7), 0x0F);

  auto later = make("2732");  // the later version programs at 12.5 V and stands 25 V
  rig.sim.insert(later);
  drive24.pulse(7, 0xF0, kOeHigh | kVpp24);
  drive24.pulse(8, 0xF0, kOeHigh | kVpp24 | kVolts25);
  EXPECT_EQ(drive24.read(7), 0xF0);
  EXPECT_EQ(drive24.read(8), 0xF0);

  std::string error;
  EXPECT_EQ(ChipCatalogue::make("27C256", original, error), nullptr);
  EXPECT_EQ(error, "27C256 has no high-voltage original");
}

TEST(EpromChip, ModelFourGivesNoVoltageUntilItsSupplyIsEnabled) {
  auto chip = make("27C256");
  SocketRig rig(4);
  rig.sim.insert(chip);
  ParallelDriver drive{rig, 128, 2};
  drive.pulse(1, 0x00, kOeHigh | kVppPin3);
  EXPECT_EQ(drive.read(1), 0xFF);
  drive.pulse(1, 0x00, kOeHigh | kVppPin3 | 0x04);
  EXPECT_EQ(drive.read(1), 0x00);
}

TEST(EpromChip, WeakCellsNeedSeveralPulsesAndStuckBitsNeverClear) {
  ChipOptions weak;
  weak.pulsesPerCell = 3;
  weak.stuck.push_back({0x10, 0x01, 0x01});
  auto chip = make("27C512", weak);
  chip->applyFaults(weak);
  SocketRig rig;
  rig.sim.insert(chip);
  ParallelDriver drive{rig, 0, 2};
  drive.pulse(0x20, 0x00, kOeHigh | kVpp24);
  drive.pulse(0x20, 0x00, kOeHigh | kVpp24);
  EXPECT_EQ(drive.read(0x20), 0xFF);
  drive.pulse(0x20, 0x00, kOeHigh | kVpp24);
  EXPECT_EQ(drive.read(0x20), 0x00);
  for (int i = 0; i < 3; ++i) drive.pulse(0x10, 0x00, kOeHigh | kVpp24);
  EXPECT_EQ(drive.read(0x10), 0x01);
  chip->erase();
  EXPECT_EQ(chip->cell(0x20), 0xFF);
}

TEST(EpromChip, SeparateVppPinsStillReadForProgramVerify) {
  auto chip = make("27C040");
  chip->setCell(0x7FFFF, 0x99);
  SocketRig rig;
  rig.sim.insert(chip);
  ParallelDriver drive{rig, 0, 8};
  rig.set(4, 0xFF);
  drive.address(0x7FFFF, kReg4Off);
  rig.set(0, kVppPin1);  // VPP on, OE low
  EXPECT_EQ(rig.readBus(), 0x99);
}

}  // namespace
}  // namespace burnlab::sim
