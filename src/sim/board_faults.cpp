#include "sim/board_faults.h"

#include <charconv>
#include <optional>

namespace burnlab::sim {
namespace {

std::optional<int> number(std::string_view text) {
  int value = 0;
  const auto* end = text.data() + text.size();
  const auto [stop, problem] = std::from_chars(text.data(), end, value);
  if (text.empty() || problem != std::errc() || stop != end) return std::nullopt;
  return value;
}

// "D0" .. "D7" (either case): the data line's number.
std::optional<int> dataLine(std::string_view text) {
  if (text.size() != 2 || (text[0] != 'D' && text[0] != 'd')) return std::nullopt;
  const auto line = number(text.substr(1));
  if (!line || *line > 7) return std::nullopt;
  return line;
}

// "S3" .. "S7": the status register bit whose line it is.
std::optional<int> statusLine(std::string_view text) {
  if (text.size() != 2 || (text[0] != 'S' && text[0] != 's')) return std::nullopt;
  const auto line = number(text.substr(1));
  if (!line || *line < 3 || *line > 7) return std::nullopt;
  return line;
}

std::uint8_t lineBit(int line) {
  return static_cast<std::uint8_t>(1u << line);
}

// Adds one fault to `faults`; false when the text is not a fault.
bool addFault(std::string_view fault, BoardFaults& faults) {
  if (fault == "noselect") return faults.noSelect = true;
  if (fault == "noid") return faults.noIdentify = true;
  const auto equals = fault.find('=');
  if (equals == std::string_view::npos) return false;
  const auto name = fault.substr(0, equals);
  const auto value = fault.substr(equals + 1);
  if (name == "stuck0" || name == "stuck1") {
    const auto line = dataLine(value);
    if (!line) return false;
    (name == "stuck0" ? faults.stuckLow : faults.stuckHigh) |= lineBit(*line);
    return true;
  }
  if (name == "short") {
    const auto colon = value.find(':');
    if (colon == std::string_view::npos) return false;
    const auto a = dataLine(value.substr(0, colon));
    const auto b = dataLine(value.substr(colon + 1));
    if (!a || !b || *a == *b) return false;
    faults.shorts.emplace_back(*a, *b);
    return true;
  }
  if (name == "open") {
    const auto line = statusLine(value);
    if (!line) return false;
    faults.openStatus |= lineBit(*line);
    return true;
  }
  if (name == "flaky") {
    const auto every = number(value);
    if (!every || *every < 1 || *every > 1'000'000) return false;
    faults.flakyEvery = static_cast<std::uint32_t>(*every);
    return true;
  }
  return false;
}

}  // namespace

std::uint8_t BoardFaults::onBus(std::uint8_t bus) const {
  for (const auto& [a, b] : shorts) {
    // Open-collector drivers and pull-ups: either line pulled low pulls both.
    if ((bus & lineBit(a)) == 0 || (bus & lineBit(b)) == 0) {
      bus = static_cast<std::uint8_t>(bus & ~(lineBit(a) | lineBit(b)));
    }
  }
  return static_cast<std::uint8_t>((bus & ~stuckLow) | stuckHigh);
}

ParsedBoardFaults parseBoardFaults(std::string_view text) {
  ParsedBoardFaults parsed;
  while (!text.empty()) {
    const auto comma = text.find(',');
    const auto fault = text.substr(0, comma);
    if (!addFault(fault, parsed.faults)) {
      parsed.error = "unknown board fault '" + std::string(fault) +
                     "' (stuck0=Dn, stuck1=Dn, short=Da:Db, open=Sn with n 3..7, noselect, "
                     "noid, flaky=N)";
      return parsed;
    }
    if (comma == std::string_view::npos) break;
    text.remove_prefix(comma + 1);
  }
  return parsed;
}

}  // namespace burnlab::sim
