#include "devices/device_catalogue.h"

#include <algorithm>

namespace burnlab {

const std::array<CatalogueRow, 39>& DeviceCatalogue::rows() {
  static constexpr std::array<CatalogueRow, 39> kRows{{
      {"Eprom 2716", 'P', '1', 4, 32, 0, 3, false},
      {"Eprom 2732A", 'P', '1', 4, 32, 0, 3, true},
      {"Eprom 2732B", 'P', '1', 4, 32, 0, 1, true},
      {"Eprom 2732", 'P', '1', 4, 32, 0, 3, true},
      {"Eprom 27C32", 'P', '1', 4, 32, 0, 3, true},
      {"Eprom 2764", 'P', '2', 8, 192, 2, 3, true},
      {"Eprom 27C64", 'P', '2', 8, 192, 2, 1, true},
      {"Eprom 27128", 'P', '3', 16, 192, 2, 3, true},
      {"Eprom 27C128", 'P', '3', 16, 192, 2, 1, true},
      {"Eprom 27256", 'P', '4', 32, 128, 2, 3, true},
      {"Eprom 27C256", 'P', '4', 32, 128, 2, 1, true},
      {"Eprom 27C512", 'P', '5', 64, 0, 2, 1, true},
      {"Eprom 27C1001", 'P', '6', 128, 0, 12, 1, true},
      {"Eprom 27C010", 'P', '6', 128, 0, 12, 1, true},
      {"Eprom 27C2001", 'P', '7', 256, 0, 12, 1, true},
      {"Eprom 27C020", 'P', '7', 256, 0, 12, 1, true},
      {"Eprom 27C4001", 'P', '8', 512, 0, 8, 1, true},
      {"Eprom 27C040", 'P', '8', 512, 0, 8, 1, true},
      {"Eprom 27C801", 'P', '9', 1024, 0, 0, 1, true},
      {"Eprom 27C080", 'P', '9', 1024, 0, 0, 1, true},
      {"Eprom 27C080 OTP", 'P', 'M', 1024, 0, 0, 1, false},
      {"Flash Atmel AT29C256", 'F', 'A', 32, 128, 2, 0, false, true},
      {"Flash AMIC A29040", 'F', 'L', 512, 0, 4, 0, false, true},
      {"Flash AMD AM29F010", 'F', 'S', 128, 0, 4, 0, false, true},
      {"Flash AMD AM29F020", 'F', 'R', 256, 0, 4, 0, false, true},
      {"Flash AMD AM29F040", 'F', 'M', 512, 0, 4, 0, false, true},
      {"Flash EON EN29F040", 'F', 'M', 512, 0, 4, 0, false, true},
      {"Flash Atmel AT29F040", 'F', 'N', 512, 0, 4, 0, false},
      {"Flash Catalyst CAT28F001", 'F', 'O', 128, 0, 12, 0, false},
      {"Flash Catalyst CAT28F010", 'F', 'P', 128, 0, 12, 0, false},
      {"Flash Catalyst CAT28F020", 'F', 'Q', 256, 0, 12, 0, false},
      {"Eeprom XICOR X28C256", 'E', 'N', 32, 64, 2, 0, true},
      {"Eeprom Catalyst CAT28C256", 'E', 'O', 32, 64, 2, 0, false},
      {"Eeprom Catalyst CAT28C257", 'E', 'P', 32, 64, 2, 0, false},
      {"Eeprom 24C08 Serial (8 pins)", 'S', 'A', 1, 0, 0, 0, true},
      {"Eeprom 24C16 Serial (8 pins)", 'S', 'B', 2, 0, 0, 0, true},
      {"Eeprom 24C32 Serial (8 pins)", 'S', 'C', 4, 0, 0, 0, true},
      {"Eeprom 24C256 Serial (8 pins)", 'S', 'E', 32, 0, 0, 0, false},
      {"uC Atmel AT90S2313 Micro", 'M', 'J', 1024, 0, 0, 0, false},
  }};
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
