#include "devices/device_catalogue.h"

#include <algorithm>

#include "util/text.h"

namespace burnlab {
namespace {

using Program = ProgramRoutine;

// The bits every address load of a row ORs into board registers 1 and 3.
struct FixedBits {
  std::int16_t reg1 = 0;
  std::int16_t reg3 = 0;
};

// Each family's rows are made alike, so that a new device is one line of the table below.

// Read, blank-checked and displayed over the parallel bus, the live page's addresses loaded
// as `display` says.
constexpr DeviceRoutines parallelBus(DisplayRoutine display) {
  return {.read = ReadRoutine::ParallelBus,
          .blankCheck = BlankCheckRoutine::ParallelBus,
          .display = display};
}

// A UV EPROM: programmed with the pulses of its class (`program`, None for the one-time part),
// never erased by the board.
constexpr CatalogueRow eprom(std::string_view name, char subCode, std::int32_t sizeKB,
                             FixedBits bits, std::int16_t vppClass, bool supported,
                             ProgramRoutine program) {
  CatalogueRow row{
      name, DeviceFamilyKind::UvEprom, subCode, sizeKB, bits.reg1, bits.reg3, vppClass, supported};
  row.routines = parallelBus(DisplayRoutine::EpromPage);
  row.routines.program = program;
  return row;
}

// A 32-pin flash chip of the byte-program and sector-erase commands, A18 on socket pin 1,
// untested on real hardware.
constexpr CatalogueRow sectorFlash(std::string_view name, char subCode, std::int32_t sizeKB) {
  CatalogueRow row{name, DeviceFamilyKind::Flash, subCode, sizeKB, 0, 4, 0, false};
  row.routines = parallelBus(DisplayRoutine::FlashPage);
  row.routines.program = Program::SectorFlash;
  row.routines.erase = EraseRoutine::SectorFlashChip;
  row.routines.identify = IdentifyRoutine::SectorFlashCommands;
  row.offers.untested = true;
  row.wiring = AddressWiring::A18OnPin1;
  return row;
}

// A flash chip the program can read and identify but not program or erase: never offered.
constexpr CatalogueRow flashWithoutRoutines(std::string_view name, char subCode,
                                            std::int32_t sizeKB, std::int16_t reg3Bits) {
  CatalogueRow row{name, DeviceFamilyKind::Flash, subCode, sizeKB, 0, reg3Bits, 0, false};
  row.routines = parallelBus(DisplayRoutine::None);
  row.routines.identify = IdentifyRoutine::SectorFlashCommands;
  return row;
}

// The AT29C256: a 28-pin flash chip written in pages, with command addresses of its own,
// untested on real hardware.
constexpr CatalogueRow at29c256() {
  CatalogueRow row{"Flash Atmel AT29C256", DeviceFamilyKind::Flash, 'A', 32, 128, 2, 0, false};
  row.routines = parallelBus(DisplayRoutine::FlashPage);
  row.routines.program = Program::AT29C256Pages;
  row.routines.erase = EraseRoutine::AT29C256Chip;
  row.routines.identify = IdentifyRoutine::AT29C256Commands;
  row.offers.untested = true;
  return row;
}

// The X28C256: a parallel EEPROM written in pages, erased by an image of FFh, with data
// protection, A14 on register-1 bit 7.
constexpr CatalogueRow x28c256() {
  CatalogueRow row{
      "Eeprom XICOR X28C256", DeviceFamilyKind::ParallelEeprom, 'N', 32, 64, 2, 0, true};
  row.routines = parallelBus(DisplayRoutine::X28C256Page);
  row.routines.program = Program::X28C256Pages;
  row.routines.erase = EraseRoutine::X28C256Pages;
  row.offers.protection = true;
  row.wiring = AddressWiring::A14OnReg1Bit7;
  return row;
}

// A two-wire serial EEPROM, its address one byte or two (`wordAddress`): read and written over
// the two-wire bus, erased by writing FFh.
constexpr CatalogueRow twoWire(std::string_view name, char subCode, std::int32_t sizeKB,
                               bool wordAddress) {
  CatalogueRow row{name, DeviceFamilyKind::Serial, subCode, sizeKB, 0, 0, 0, true};
  if (wordAddress) {
    row.routines = {.read = ReadRoutine::TwoWireWordAddress,
                    .program = Program::TwoWireWordAddressPages,
                    .erase = EraseRoutine::TwoWireWordAddressPages};
  } else {
    row.routines = {.read = ReadRoutine::TwoWire,
                    .program = Program::TwoWirePages,
                    .erase = EraseRoutine::TwoWirePages};
  }
  return row;
}

// A listed device the program has no routine for at all.
constexpr CatalogueRow withoutRoutines(std::string_view name, DeviceFamilyKind family, char subCode,
                                       std::int32_t sizeKB, FixedBits bits = {}) {
  return {name, family, subCode, sizeKB, bits.reg1, bits.reg3, 0, false};
}

// The AT90S2313, the one device with a data buffer.
constexpr CatalogueRow at90s2313() {
  CatalogueRow row =
      withoutRoutines("uC Atmel AT90S2313 Micro", DeviceFamilyKind::Micro, 'J', 1024);
  row.offers.dataBuffer = true;
  return row;
}

}  // namespace

std::span<const CatalogueRow> DeviceCatalogue::rows() {
  static constexpr CatalogueRow kRows[]{
      eprom("Eprom 2716", '1', 4, {32, 0}, 3, false, Program::Eprom2732),
      eprom("Eprom 2732A", '1', 4, {32, 0}, 3, true, Program::Eprom2732),
      eprom("Eprom 2732B", '1', 4, {32, 0}, 1, true, Program::Eprom2732),
      eprom("Eprom 2732", '1', 4, {32, 0}, 3, true, Program::Eprom2732),
      eprom("Eprom 27C32", '1', 4, {32, 0}, 3, true, Program::Eprom2732),
      eprom("Eprom 2764", '2', 8, {192, 2}, 3, true, Program::Eprom2764),
      eprom("Eprom 27C64", '2', 8, {192, 2}, 1, true, Program::Eprom2764),
      eprom("Eprom 27128", '3', 16, {192, 2}, 3, true, Program::Eprom2764),
      eprom("Eprom 27C128", '3', 16, {192, 2}, 1, true, Program::Eprom2764),
      eprom("Eprom 27256", '4', 32, {128, 2}, 3, true, Program::Eprom27256),
      eprom("Eprom 27C256", '4', 32, {128, 2}, 1, true, Program::Eprom27256),
      eprom("Eprom 27C512", '5', 64, {0, 2}, 1, true, Program::Eprom27C080),
      eprom("Eprom 27C1001", '6', 128, {0, 12}, 1, true, Program::Eprom27C010),
      eprom("Eprom 27C010", '6', 128, {0, 12}, 1, true, Program::Eprom27C010),
      eprom("Eprom 27C2001", '7', 256, {0, 12}, 1, true, Program::Eprom27C010),
      eprom("Eprom 27C020", '7', 256, {0, 12}, 1, true, Program::Eprom27C010),
      eprom("Eprom 27C4001", '8', 512, {0, 8}, 1, true, Program::Eprom27C040),
      eprom("Eprom 27C040", '8', 512, {0, 8}, 1, true, Program::Eprom27C040),
      eprom("Eprom 27C801", '9', 1024, {0, 0}, 1, true, Program::Eprom27C080),
      eprom("Eprom 27C080", '9', 1024, {0, 0}, 1, true, Program::Eprom27C080),
      eprom("Eprom 27C080 OTP", 'M', 1024, {0, 0}, 1, false, Program::None),
      at29c256(),
      sectorFlash("Flash AMIC A29040", 'L', 512),
      sectorFlash("Flash AMD AM29F010", 'S', 128),
      sectorFlash("Flash AMD AM29F020", 'R', 256),
      sectorFlash("Flash AMD AM29F040", 'M', 512),
      sectorFlash("Flash EON EN29F040", 'M', 512),
      flashWithoutRoutines("Flash Atmel AT29F040", 'N', 512, 4),
      flashWithoutRoutines("Flash Catalyst CAT28F001", 'O', 128, 12),
      flashWithoutRoutines("Flash Catalyst CAT28F010", 'P', 128, 12),
      flashWithoutRoutines("Flash Catalyst CAT28F020", 'Q', 256, 12),
      x28c256(),
      withoutRoutines("Eeprom Catalyst CAT28C256", DeviceFamilyKind::ParallelEeprom, 'O', 32,
                      {64, 2}),
      withoutRoutines("Eeprom Catalyst CAT28C257", DeviceFamilyKind::ParallelEeprom, 'P', 32,
                      {64, 2}),
      twoWire("Eeprom 24C08 Serial (8 pins)", 'A', 1, false),
      twoWire("Eeprom 24C16 Serial (8 pins)", 'B', 2, false),
      twoWire("Eeprom 24C32 Serial (8 pins)", 'C', 4, true),
      withoutRoutines("Eeprom 24C256 Serial (8 pins)", DeviceFamilyKind::Serial, 'E', 32),
      at90s2313(),
  };
  return kRows;
}

const CatalogueRow* DeviceCatalogue::row(int index) {
  const auto& all = rows();
  if (index < 0 || index >= static_cast<int>(all.size())) return nullptr;
  return &all[static_cast<std::size_t>(index)];
}

int DeviceCatalogue::lastUsedRow() {
  return static_cast<int>(rows().size()) - 1;
}

const CatalogueRow* DeviceCatalogue::byName(std::string_view name) {
  using Naming = std::string_view (*)(const CatalogueRow&);
  constexpr Naming kWaysToName[] = {
      [](const CatalogueRow& row) { return row.name; },
      [](const CatalogueRow& row) { return row.nameAfterFamily(); },
      [](const CatalogueRow& row) { return row.partName(); },
  };
  for (const Naming named : kWaysToName) {
    for (const auto& row : rows()) {
      if (sameIgnoringCase(named(row), name)) return &row;
    }
  }
  return nullptr;
}

std::optional<int> DeviceCatalogue::positionOf(std::string_view name) {
  const auto* row = byName(name);
  if (!row) return std::nullopt;
  return static_cast<int>(row - rows().data());
}

char CatalogueRow::familyLetter() const {
  switch (family) {
    case DeviceFamilyKind::UvEprom:
      return 'P';
    case DeviceFamilyKind::Flash:
      return 'F';
    case DeviceFamilyKind::ParallelEeprom:
      return 'E';
    case DeviceFamilyKind::Serial:
      return 'S';
    case DeviceFamilyKind::Micro:
      return 'M';
    case DeviceFamilyKind::None:
      break;
  }
  return ' ';
}

std::string_view CatalogueRow::partName() const {
  std::size_t start = 0;
  while (start < name.size()) {
    const auto end = std::min(name.find(' ', start), name.size());
    const auto word = name.substr(start, end - start);
    if (word.find_first_of("0123456789") != std::string_view::npos) return word;
    start = end + 1;
  }
  return {};
}

std::string_view CatalogueRow::nameAfterFamily() const {
  return name.substr(std::min(name.find(' ') + 1, name.size()));
}

std::string CatalogueRow::paddedName() const {
  std::string padded(name);
  if (padded.size() < kNameWidth) padded.resize(kNameWidth, ' ');
  return padded;
}

std::string CatalogueRow::listText() const {
  return supported ? paddedName() : "N/A - " + paddedName();
}

}  // namespace burnlab
