// A self-check of the catalogue: the rows must fit the board and each other.
#include "devices/device_catalogue.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "devices/command_availability.h"
#include "util/text.h"
#include "support/catalogue_rows.h"

namespace burnlab {
namespace {

using testing::rowOf;

// The address width each EPROM size class implies: the chip's size must match it exactly.
std::int32_t eepromClassSizeKB(char subCode) {
  static const std::map<char, std::int32_t> kSizes{{'1', 4},    {'2', 8},   {'3', 16},  {'4', 32},
                                                   {'5', 64},   {'6', 128}, {'7', 256}, {'8', 512},
                                                   {'9', 1024}, {'M', 1024}};
  return kSizes.at(subCode);
}

// A setup slot stores the list position of its device: every row keeps its place, and the
// sixteen rows the program has no routines for are marked in the list.
TEST(DeviceCatalogue, ListsThirtyNineRowsInTheirStoredOrderWithTheUnsupportedMarked) {
  std::vector<std::string> listed;
  for (const auto& row : DeviceCatalogue::rows()) listed.push_back(trimmed(row.listText()));
  EXPECT_EQ(listed,
            (std::vector<std::string>{
                "N/A - Eprom 2716", "Eprom 2732A", "Eprom 2732B", "Eprom 2732", "Eprom 27C32",
                "Eprom 2764", "Eprom 27C64", "Eprom 27128", "Eprom 27C128", "Eprom 27256",
                "Eprom 27C256", "Eprom 27C512", "Eprom 27C1001", "Eprom 27C010", "Eprom 27C2001",
                "Eprom 27C020", "Eprom 27C4001", "Eprom 27C040", "Eprom 27C801", "Eprom 27C080",
                "N/A - Eprom 27C080 OTP", "N/A - Flash Atmel AT29C256", "N/A - Flash AMIC A29040",
                "N/A - Flash AMD AM29F010", "N/A - Flash AMD AM29F020", "N/A - Flash AMD AM29F040",
                "N/A - Flash EON EN29F040", "N/A - Flash Atmel AT29F040",
                "N/A - Flash Catalyst CAT28F001", "N/A - Flash Catalyst CAT28F010",
                "N/A - Flash Catalyst CAT28F020", "Eeprom XICOR X28C256",
                "N/A - Eeprom Catalyst CAT28C256", "N/A - Eeprom Catalyst CAT28C257",
                "Eeprom 24C08 Serial (8 pins)", "Eeprom 24C16 Serial (8 pins)",
                "Eeprom 24C32 Serial (8 pins)", "N/A - Eeprom 24C256 Serial (8 pins)",
                "N/A - uC Atmel AT90S2313 Micro"}));
  EXPECT_EQ(DeviceCatalogue::lastUsedRow(), 38);
  for (int reserved = 39; reserved <= 80; ++reserved)
    EXPECT_EQ(DeviceCatalogue::row(reserved), nullptr);
}

TEST(DeviceCatalogue, ListTextsArePaddedToThirtyAndMarkUnsupportedRows) {
  const auto& rows = DeviceCatalogue::rows();
  EXPECT_EQ(rows[rowOf("27C256")].listText(), "Eprom 27C256                  ");
  EXPECT_EQ(rows[rowOf("2716")].listText(), "N/A - Eprom 2716                    ");
  for (const auto& row : rows) {
    EXPECT_EQ(row.paddedName().size(), 30u) << row.name;
    EXPECT_LE(row.name.size(), 30u);
  }
}

TEST(DeviceCatalogue, NamesAreUniqueAndOnlyTheIntendedPairSharesACode) {
  std::set<std::string_view> names;
  std::map<std::string, int> codeCount;
  for (const auto& row : DeviceCatalogue::rows()) {
    EXPECT_TRUE(names.insert(row.name).second) << row.name;
    ++codeCount[row.deviceCode()];
  }
  for (const auto& [code, count] : codeCount) {
    if (code[0] == 'P') continue;  // EPROMs of one size class share their routine
    EXPECT_EQ(count, code == "FM" ? 2 : 1) << code;
  }
  const auto* amd = DeviceCatalogue::row(rowOf("AM29F040"));
  const auto* eon = DeviceCatalogue::row(rowOf("EN29F040"));
  EXPECT_EQ(amd->sizeKB, eon->sizeKB);
  EXPECT_EQ(amd->reg3Bits, eon->reg3Bits);
}

// The simulator makes a chip and the tests choose a row by the part name; the opt-in offers only
// flash rows that are listed as unsupported.
TEST(DeviceCatalogue, EveryChoosableRowHasAPartNameOfItsOwnAndOnlyFlashRowsAreUntested) {
  std::set<std::string_view> parts;
  for (const auto& row : DeviceCatalogue::rows()) {
    EXPECT_FALSE(row.partName().empty()) << row.name;
    EXPECT_TRUE(row.name.ends_with(row.nameAfterFamily())) << row.name;
    if (row.offers.untested) {
      EXPECT_FALSE(row.supported) << row.name;
      EXPECT_EQ(row.family, DeviceFamilyKind::Flash) << row.name;
    }
    if (row.selectable(true)) {
      EXPECT_TRUE(parts.insert(row.partName()).second) << row.name;
      EXPECT_EQ(DeviceCatalogue::byName(row.partName()), &row) << row.name;
    }
  }
  EXPECT_EQ(DeviceCatalogue::row(rowOf("X28C256"))->nameAfterFamily(), "XICOR X28C256");
  EXPECT_EQ(DeviceCatalogue::positionOf("eprom 27c256"), rowOf("27C256"));
  EXPECT_EQ(DeviceCatalogue::positionOf("27C080 OTP"), rowOf("27C080") + 1);
  EXPECT_EQ(DeviceCatalogue::byName("Eprom"), nullptr);
}

// What the window and burnlab-cli offer for a device they may choose, its row must be able to
// do: Read, Display and Program are offered for every device, Blank Chk, Erase Chip and the
// protection as its routines and offers say.
TEST(DeviceCatalogue, EverySelectableRowHasTheRoutinesItsCommandsPromise) {
  for (const auto& row : DeviceCatalogue::rows()) {
    if (!row.selectable(true)) continue;
    SCOPED_TRACE(row.name);
    const auto& routines = row.routines;
    const auto offered = offeredCommands(routines, row.offers);
    EXPECT_NE(routines.read, ReadRoutine::None);
    EXPECT_NE(routines.program, ProgramRoutine::None);
    // A serial EEPROM's Display shows nothing: its live page would need the parallel bus.
    EXPECT_EQ(routines.display == DisplayRoutine::None, routines.twoWire());
    EXPECT_EQ(offered.blankCheck, !routines.twoWire());
    // Erase Chip for all but the EPROMs; the flash menu's Show Code ID beside it identifies
    // only the flash chips.
    EXPECT_EQ(offered.eraseChip, row.family != DeviceFamilyKind::UvEprom);
    EXPECT_EQ(routines.identify != IdentifyRoutine::None, row.family == DeviceFamilyKind::Flash);
    // The protection is switched on by the X28C256's page writes.
    EXPECT_EQ(offered.protection, routines.program == ProgramRoutine::X28C256Pages);
  }
}

TEST(DeviceCatalogue, SizesAndFixedBitsFitTheSocketWiring) {
  for (const auto& row : DeviceCatalogue::rows()) {
    if (row.family == DeviceFamilyKind::UvEprom) {
      EXPECT_EQ(row.sizeKB, eepromClassSizeKB(row.subCode)) << row.name;
      EXPECT_NE(row.vppClass, 0) << row.name;
    } else {
      EXPECT_EQ(row.vppClass, 0) << row.name;  // only EPROMs take a programming voltage
    }
    // A 28-pin chip takes VCC from register 3 bit 1 (socket pin 30); a 32-pin chip never does.
    const bool twentyEightPin = row.family != DeviceFamilyKind::Serial &&
                                row.family != DeviceFamilyKind::Micro && row.sizeKB <= 64;
    EXPECT_EQ((row.reg3Bits & 0x02) != 0, twentyEightPin && row.subCode != '1') << row.name;
    EXPECT_GE(row.reg1Bits, 0);
    EXPECT_LE(row.reg1Bits, 255);
  }
}

}  // namespace
}  // namespace burnlab
