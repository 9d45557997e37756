// UV EPROMs in the socket read by hand through the board registers as the wiring implies.
#include "sim/eprom_chip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "devices/device_catalogue.h"
#include "parallel_driver.h"
#include "sim/chip_catalogue.h"
#include "sim/eprom_types.h"
#include "sim/x28c256_chip.h"

namespace burnlab::sim {
namespace {

class SelectableParallelRow : public ::testing::TestWithParam<int> {};

// Every address line, the fixed bits and VCC of every selectable parallel row.
TEST_P(SelectableParallelRow, ReadsEveryAddressLineWithTheRowsFixedBits) {
  const CatalogueRow& row = DeviceCatalogue::rows()[static_cast<std::size_t>(GetParam())];
  auto chip = makeChip(row.partName());
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
  ParallelDriver drive{rig, row.reg1Bits, row.reg3Bits, row.wiring == AddressWiring::A14OnReg1Bit7};
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
    if (row.supported && row.routines.read == ReadRoutine::ParallelBus) rows.push_back(i);
  }
  return rows;
}

INSTANTIATE_TEST_SUITE_P(Catalogue, SelectableParallelRow,
                         ::testing::ValuesIn(selectableParallelRows()), [](const auto& info) {
                           return std::string(DeviceCatalogue::rows()[info.param].partName());
                         });

TEST(ChipCatalogue, HasAChipOfTheRightSizeForEverySelectableRow) {
  for (const auto& row : DeviceCatalogue::rows()) {
    if (!row.supported) continue;
    auto chip = makeChip(row.partName());
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

  // The flash chips, by their names and by their device list names.
  for (std::string_view name : {"AM29F010", "AM29F020", "AM29F040", "A29040", "EN29F040",
                                "AT29C256", "Flash AMD AM29F040", "am29f010"}) {
    EXPECT_NE(ChipCatalogue::make(name, {}, error), nullptr) << name << ": " << error;
  }
  const auto names = ChipCatalogue::names();
  EXPECT_NE(std::find(names.begin(), names.end(), "EN29F040"), names.end());
  EXPECT_EQ(ChipCatalogue::make("27C256", {.protectedSectors = 1}, error), nullptr);
  EXPECT_EQ(error, "27C256 has no sectors to protect or erase and no unlock cycles");
  const ChipOptions wp{.writeProtect = true};
  EXPECT_EQ(ChipCatalogue::make("AM29F040", wp, error), nullptr);
  EXPECT_NE(ChipCatalogue::make("24C08", wp, error), nullptr);
}

TEST(EpromChip, OutputsOnlyWithCeAndOeLowAndNoVoltageOnOe) {
  ChipInSocket<> e("27C512", 0, 2);
  auto& rig = e.rig;
  e.chip->setCell(0x1234, 0x5A);
  EXPECT_EQ(e.drive.read(0x1234), 0x5A);
  rig.setBit(3, 7, true);  // CE released
  EXPECT_EQ(rig.readBus(), 0xFF);
  rig.setBit(3, 7, false);
  rig.set(0, kOeHigh);
  EXPECT_EQ(rig.readBus(), 0xFF);
  rig.set(0, kVpp24);  // OE low, but VPP on the OE/VPP pin: no output, as in program mode
  EXPECT_EQ(rig.readBus(), 0xFF);
  // The bus is the wired AND: what the board pulls low stays low.
  rig.set(0, 0x00);
  rig.set(4, 0x0F);
  rig.setBit(3, 6, false);
  EXPECT_EQ(rig.readBus(), 0x0A);
}

TEST(EpromChip, SeparateVppPinsStillReadForProgramVerify) {
  ChipInSocket<> e("27C040", 0, 8);
  e.chip->setCell(0x7FFFF, 0x99);
  e.rig.set(4, 0xFF);
  e.drive.address(0x7FFFF, kReg4Off);
  e.rig.set(0, kVppPin1);  // VPP on, OE low
  EXPECT_EQ(e.rig.readBus(), 0x99);
}

}  // namespace
}  // namespace burnlab::sim
