#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "link/address_maps.h"
#include "panel/selected_device.h"

namespace burnlab {

// One row of the device catalogue: everything the program knows of a device, its routines
// included.
struct CatalogueRow {
  std::string_view name;  // display name without its padding (see paddedName)
  DeviceFamilyKind family;
  char subCode;                  // tells a family's devices apart ('1'..'9', 'M' for the EPROMs)
  std::int32_t sizeKB;           // size in units of 1024 bytes
  std::int16_t reg1Bits;         // fixed bits every address load ORs into board register 1
  std::int16_t reg3Bits;         // fixed bits every address load ORs into board register 3
  std::int16_t vppClass;         // 0 none (5V), 1 12.5 V only, 2 12.5/21 V, 3 12.5/21/25 V
  bool supported;                // listed but not selectable when false
  DeviceRoutines routines = {};  // what each device command runs on it
  DeviceOffers offers = {};      // data buffer, protection, untested
  AddressWiring wiring = AddressWiring::Standard;

  // The family letter of the setup files and the device code: 'P', 'F', 'E', 'S' or 'M'.
  char familyLetter() const;
  // The two-character code of the setup files, e.g. "P4", "EN", "SA".
  std::string deviceCode() const { return {familyLetter(), subCode}; }
  // The part the row stands for: the first word of its name with a digit in it ("27C256",
  // "X28C256", "24C16").
  std::string_view partName() const;
  // The name without its family word ("Atmel AT29C256" for "Flash Atmel AT29C256").
  std::string_view nameAfterFamily() const;
  // The name padded with blanks to exactly 30 characters, as the list shows it.
  std::string paddedName() const;
  // The list entry: the padded name, with "N/A - " in front for an unsupported row.
  std::string listText() const;
  // Whether the operator may choose it: supported, or untested and opted in to.
  bool selectable(bool allowUntested) const {
    return supported || (allowUntested && offers.untested);
  }
};

// The catalogue holds 81 rows; rows 0..38 are filled, the rest are reserved and empty.
inline constexpr int kCatalogueCapacity = 81;
inline constexpr int kNameWidth = 30;

// The built-in device catalogue, rows in list order: list position n is row n.
class DeviceCatalogue {
 public:
  // The filled rows, 0 to 38.
  static std::span<const CatalogueRow> rows();
  // The row at `index` (0..80), or nullptr for a reserved empty row or an index out of range.
  static const CatalogueRow* row(int index);
  // The highest row whose name is not empty.
  static int lastUsedRow();

  // The row a name stands for, in any letter case: the whole name as the list shows it
  // ("Eprom 27C256"), the name without its family word ("XICOR X28C256", "27C080 OTP") or the
  // part name ("27C256", "AT29C256"); the first row that fits, or nullptr.
  static const CatalogueRow* byName(std::string_view name);
  // The list position of the row `name` stands for (see byName).
  static std::optional<int> positionOf(std::string_view name);
};

}  // namespace burnlab
