#include "sim/socket_choice.h"

#include <charconv>
#include <optional>
#include <string>
#include <vector>

#include "sim/chip_catalogue.h"

namespace burnlab::sim {
namespace {

std::vector<std::string_view> splitAtCommas(std::string_view text) {
  std::vector<std::string_view> parts;
  while (true) {
    const auto comma = text.find(',');
    parts.push_back(text.substr(0, comma));
    if (comma == std::string_view::npos) return parts;
    text.remove_prefix(comma + 1);
  }
}

std::optional<std::uint32_t> number(std::string_view text, int base) {
  std::uint32_t value = 0;
  const auto* end = text.data() + text.size();
  const auto [stop, problem] = std::from_chars(text.data(), end, value, base);
  if (text.empty() || problem != std::errc() || stop != end) return std::nullopt;
  return value;
}

// "ADDR=VALUE" in hexadecimal, VALUE a byte.
std::optional<std::pair<std::uint32_t, std::uint8_t>> addressAndByte(std::string_view text) {
  const auto equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  const auto address = number(text.substr(0, equals), 16);
  const auto value = number(text.substr(equals + 1), 16);
  if (!address || !value || *value > 0xFF) return std::nullopt;
  return std::pair{*address, static_cast<std::uint8_t>(*value)};
}

constexpr const char* kNotAFault = "not a fault";

// Adds one fault to `options`. Returns what is wrong: kNotAFault when the text names no fault,
// the rule of its value when a known fault has a bad one, nothing when it was added.
std::string addFault(std::string_view fault, ChipOptions& options) {
  for (auto [word, flag] : {std::pair{"original", &ChipOptions::original},
                            std::pair{"locked", &ChipOptions::startLocked},
                            std::pair{"slow", &ChipOptions::slowWriteCycle},
                            std::pair{"erasefails", &ChipOptions::eraseFails},
                            std::pair{"earlier", &ChipOptions::earlierUnlock},
                            std::pair{"wp", &ChipOptions::writeProtect},
                            std::pair{"noack", &ChipOptions::neverAcknowledges}}) {
    if (fault != word) continue;
    options.*flag = true;
    return "";
  }
  const auto valueOf = [fault](std::string_view prefix) {
    return "'" + std::string(fault.substr(prefix.size())) + "'";
  };
  for (auto [prefix, field] : {std::pair{std::string_view("pulses="), &ChipOptions::fixedPulses},
                               std::pair{std::string_view("slow="), &ChipOptions::slowFactor}}) {
    if (!fault.starts_with(prefix)) continue;
    const auto count = number(fault.substr(prefix.size()), 10);
    if (!count || *count < 1 || *count > 1000) {
      return std::string(prefix) + " takes a whole number from 1 to 1000, not " + valueOf(prefix);
    }
    options.*field = static_cast<int>(*count);
    return "";
  }
  if (fault.starts_with("protect=")) {
    const auto sector = number(fault.substr(8), 10);
    if (!sector || *sector > 31) {
      return "protect= takes a sector number from 0 to 31, not " + valueOf("protect=");
    }
    options.protectedSectors |= 1u << *sector;
    return "";
  }
  for (const std::string_view prefix : {"set@", "stuck0@", "stuck1@"}) {
    if (!fault.starts_with(prefix)) continue;
    const auto parsed = addressAndByte(fault.substr(prefix.size()));
    if (!parsed) {
      return std::string(prefix) + " takes ADDR=BYTE in hexadecimal (BYTE 00 to FF), not " +
             valueOf(prefix);
    }
    const auto [address, value] = *parsed;
    if (prefix == "set@") {
      options.changed.push_back({address, value});
    } else {
      // stuck0@ and stuck1@ name the bits; they hold 0 or 1.
      options.stuck.push_back({address, value, prefix == "stuck1@" ? value : std::uint8_t{0}});
    }
    return "";
  }
  return kNotAFault;
}

}  // namespace

ParsedSocketChoice parseSocketChoice(std::string_view text) {
  ParsedSocketChoice parsed;
  if (text == "none") {
    parsed.choice.kind = SocketChoice::Kind::NoBoard;
    return parsed;
  }
  if (text.empty() || text == "empty") return parsed;

  const auto colon = text.find(':');
  if (colon != std::string_view::npos) {
    parsed.choice.image = std::string(text.substr(colon + 1));
    if (parsed.choice.image.empty())
      parsed.error = "No image file named after ':' in " + std::string(text);
    text = text.substr(0, colon);
  }
  const auto parts = splitAtCommas(text);
  parsed.choice.kind = SocketChoice::Kind::Chip;
  parsed.choice.chip = std::string(parts.front());
  if (parsed.choice.chip.empty()) parsed.error = "No chip named in the socket " + std::string(text);
  for (std::size_t i = 1; i < parts.size() && parsed.error.empty(); ++i) {
    const auto problem = addFault(parts[i], parsed.choice.options);
    if (problem == kNotAFault) {
      parsed.error = "Unknown simulated fault " + std::string(parts[i]);
    } else if (!problem.empty()) {
      parsed.error = "Simulated fault " + std::string(parts[i]) + ": " + problem;
    }
  }
  return parsed;
}

std::shared_ptr<MemoryChip> buildSocketChip(const SocketChoice& choice, std::string& error) {
  auto chip = ChipCatalogue::make(choice.chip, choice.options, error);
  if (!chip) return nullptr;
  if (!choice.image.empty()) {
    error = chip->loadImage(choice.image);
    if (!error.empty()) return nullptr;
  }
  error = applyArrayFaults(*chip, choice);
  if (!error.empty()) return nullptr;
  return chip;
}

std::string applyArrayFaults(MemoryChip& chip, const SocketChoice& choice) {
  for (const auto& changed : choice.options.changed) {
    if (changed.address >= chip.size()) {
      return "The changed byte's address is past the end of the " + chip.name();
    }
  }
  for (const auto& stuck : choice.options.stuck) {
    if (stuck.address >= chip.size()) {
      return "The stuck bits' address is past the end of the " + chip.name();
    }
  }
  chip.applyFaults(choice.options);
  return {};
}

}  // namespace burnlab::sim
