#include "sim/chip_catalogue.h"

#include <algorithm>

#include "devices/device_catalogue.h"
#include "sim/at29c256_chip.h"
#include "sim/eprom_chip.h"
#include "sim/eprom_types.h"
#include "sim/flash_types.h"
#include "sim/sector_flash_chip.h"
#include "sim/two_wire_eeprom.h"
#include "sim/x28c256_chip.h"
#include "util/text.h"

namespace burnlab::sim {
namespace {

const std::vector<TwoWireType>& twoWireTypes() {
  static const std::vector<TwoWireType> types{
      TwoWireEeprom::type24C08(), TwoWireEeprom::type24C16(), TwoWireEeprom::type24C32()};
  return types;
}

constexpr std::string_view kX28C256 = "X28C256";
constexpr std::string_view kAt29c256 = "AT29C256";

// A device list name, whole or without its family word ("Eprom 27C256", "XICOR X28C256"),
// stands for its part.
std::string_view partNamed(std::string_view name) {
  const auto* row = DeviceCatalogue::byName(name);
  return row ? row->partName() : name;
}

enum class Kind { Eprom, ParallelEeprom, PageFlash, SectorFlash, TwoWire };

// The faults a kind of chip cannot have, as a message; empty when all of them fit.
std::string unsuitedFaults(std::string_view name, const ChipOptions& options, Kind kind,
                           bool hasOriginal = false) {
  const std::string part(name);
  const bool eprom = kind == Kind::Eprom;
  if (options.original && !hasOriginal) return part + " has no high-voltage original";
  if (options.startLocked && kind != Kind::ParallelEeprom && kind != Kind::PageFlash) {
    return part + " has no data protection to lock";
  }
  if (options.slowWriteCycle && kind != Kind::ParallelEeprom && kind != Kind::TwoWire) {
    return part + " has no write cycle to slow down";
  }
  if ((options.fixedPulses > 0 || options.slowFactor > 1) && !eprom) {
    return part + " takes no program pulses";
  }
  if ((options.protectedSectors || options.eraseFails || options.earlierUnlock) &&
      kind != Kind::SectorFlash) {
    return part + " has no sectors to protect or erase and no unlock cycles";
  }
  if ((options.writeProtect || options.neverAcknowledges) && kind != Kind::TwoWire) {
    return part + " has no WP pin and no acknowledge";
  }
  return {};
}

}  // namespace

std::vector<std::string> ChipCatalogue::names() {
  std::vector<std::string> all;
  for (const auto& type : epromTypes()) all.emplace_back(type.name);
  all.emplace_back(kX28C256);
  all.emplace_back(kAt29c256);
  for (const auto& type : flashTypes()) all.emplace_back(type.name);
  for (const auto& type : twoWireTypes()) all.push_back(type.name);
  return all;
}

std::shared_ptr<MemoryChip> ChipCatalogue::make(std::string_view asked, const ChipOptions& options,
                                                std::string& error) {
  const std::string_view name = partNamed(asked);
  std::shared_ptr<MemoryChip> chip;
  for (const auto& type : epromTypes()) {
    if (!sameIgnoringCase(name, type.name)) continue;
    error = unsuitedFaults(type.name, options, Kind::Eprom, type.originalMv != 0);
    if (error.empty()) chip = std::make_shared<EpromChip>(type, options);
  }
  if (sameIgnoringCase(name, kX28C256)) {
    error = unsuitedFaults(kX28C256, options, Kind::ParallelEeprom);
    if (error.empty()) chip = std::make_shared<X28C256Chip>(options);
  }
  if (sameIgnoringCase(name, kAt29c256)) {
    error = unsuitedFaults(kAt29c256, options, Kind::PageFlash);
    if (error.empty()) chip = std::make_shared<At29c256Chip>(options);
  }
  for (const auto& type : flashTypes()) {
    if (!sameIgnoringCase(name, type.name)) continue;
    error = unsuitedFaults(type.name, options, Kind::SectorFlash);
    if (error.empty()) chip = std::make_shared<SectorFlashChip>(type, options);
  }
  for (const auto& type : twoWireTypes()) {
    if (!sameIgnoringCase(name, type.name)) continue;
    error = unsuitedFaults(type.name, options, Kind::TwoWire);
    if (error.empty()) chip = std::make_shared<TwoWireEeprom>(type, options);
  }
  if (!chip && error.empty()) error = "No simulated chip is called " + std::string(asked);
  return chip;
}

}  // namespace burnlab::sim
