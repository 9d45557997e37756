#include "sim/chip_state_text.h"

#include <charconv>
#include <vector>

#include "sim/hex_digits.h"

namespace burnlab::sim {
namespace {

constexpr std::string_view kHeader =
    "# A simulated chip of burnlab: what the chip whose bytes are in the file of this name\n"
    "# without \".chip\" keeps beside them. --sim-chip reads it back, strictly.\n";

std::vector<std::string_view> words(std::string_view line) {
  std::vector<std::string_view> all;
  while (!line.empty()) {
    const auto start = line.find_first_not_of(' ');
    if (start == std::string_view::npos) break;
    line.remove_prefix(start);
    const auto end = std::min(line.find(' '), line.size());
    all.push_back(line.substr(0, end));
    line.remove_prefix(end);
  }
  return all;
}

std::string atLine(int line, const std::string& problem) {
  return "line " + std::to_string(line) + ": " + problem;
}

// A yes/no or on/off value.
std::optional<bool> twoWay(std::string_view value, std::string_view yes, std::string_view no) {
  if (value == yes) return true;
  if (value == no) return false;
  return std::nullopt;
}

// "none", or sector numbers in rising order.
std::optional<std::uint32_t> sectorList(const std::vector<std::string_view>& values) {
  if (values.size() == 1 && values.front() == "none") return 0u;
  std::uint32_t sectors = 0;
  int last = -1;
  for (const auto value : values) {
    int sector = -1;
    const auto* end = value.data() + value.size();
    const auto [stop, problem] = std::from_chars(value.data(), end, sector);
    if (problem != std::errc() || stop != end || sector <= last || sector > 31) return std::nullopt;
    sectors |= 1u << sector;
    last = sector;
  }
  return sectors;
}

std::string sectorListText(std::uint32_t sectors) {
  std::string text;
  for (int sector = 0; sector < 32; ++sector) {
    if ((sectors >> sector & 1) == 0) continue;
    text += (text.empty() ? "" : " ") + std::to_string(sector);
  }
  return text.empty() ? "none" : text;
}

// Takes one setting line into `read`; the reason it is refused, or empty.
std::string takeSetting(const std::vector<std::string_view>& line, int number,
                        ChipStateText& read) {
  const std::string word(line.front());
  const std::vector<std::string_view> values(line.begin() + 1, line.end());
  const bool single = values.size() == 1;
  const std::string_view value = single ? values.front() : std::string_view();
  if (word == "part") {
    if (!read.part.empty()) return "a second part";
    if (!single) return "part takes one name";
    read.part = value;
    return {};
  }
  if (read.part.empty()) return "the part comes first";
  const auto repeated = [&](int seen) { return seen != 0 ? "a second " + word + " setting" : ""; };
  // A setting of one of two words ("destroyed yes", "data-protection off"), given once.
  const auto takeTwoWay = [&](int& givenOnLine, std::optional<bool>& setting, const char* yes,
                              const char* no) -> std::string {
    if (auto again = repeated(givenOnLine); !again.empty()) return again;
    setting = twoWay(value, yes, no);
    if (!single || !setting) return word + " is " + yes + " or " + no;
    givenOnLine = number;
    return {};
  };
  if (word == "destroyed") return takeTwoWay(read.destroyedLine, read.kept.destroyed, "yes", "no");
  if (word == "data-protection") {
    return takeTwoWay(read.dataProtectionLine, read.kept.dataProtection, "on", "off");
  }
  if (word == "protected-sectors") {
    if (auto again = repeated(read.protectedSectorsLine); !again.empty()) return again;
    read.kept.protectedSectors = values.empty() ? std::nullopt : sectorList(values);
    if (!read.kept.protectedSectors) {
      return "protected-sectors is none or sector numbers (0 to 31) in rising order";
    }
    read.protectedSectorsLine = number;
    return {};
  }
  return "unknown setting '" + word + "'";
}

}  // namespace

ChipStateText parseChipStateText(std::string_view text) {
  ChipStateText read;
  int number = 0;
  while (!text.empty() && read.error.empty()) {
    ++number;
    const auto end = std::min(text.find('\n'), text.size());
    const std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    for (const char c : line) {
      const auto byte = static_cast<unsigned char>(c);
      if (byte < 0x20 || byte > 0x7E) {
        read.error = atLine(number, "the byte " + hexDigits(byte, 2) + " is not text");
        return read;
      }
    }
    const auto all = words(line);
    if (all.empty() || all.front().starts_with('#')) continue;
    if (auto problem = takeSetting(all, number, read); !problem.empty()) {
      read.error = atLine(number, problem);
    }
  }
  if (read.error.empty() && read.part.empty()) read.error = "it names no part";
  return read;
}

std::string chipStateText(const std::string& part, const KeptState& kept) {
  std::string text(kHeader);
  text += "part " + part + "\n";
  if (kept.destroyed) text += std::string("destroyed ") + (*kept.destroyed ? "yes" : "no") + "\n";
  if (kept.dataProtection) {
    text += std::string("data-protection ") + (*kept.dataProtection ? "on" : "off") + "\n";
  }
  if (kept.protectedSectors) {
    text += "protected-sectors " + sectorListText(*kept.protectedSectors) + "\n";
  }
  return text;
}

std::string whyStateDoesNotFit(const ChipStateText& read, const KeptState& fresh) {
  struct Setting {
    const char* word;
    bool partHasIt;
    bool given;
    int line;
  };
  const Setting settings[] = {
      {"destroyed", fresh.destroyed.has_value(), read.kept.destroyed.has_value(),
       read.destroyedLine},
      {"data-protection", fresh.dataProtection.has_value(), read.kept.dataProtection.has_value(),
       read.dataProtectionLine},
      {"protected-sectors", fresh.protectedSectors.has_value(),
       read.kept.protectedSectors.has_value(), read.protectedSectorsLine},
  };
  for (const auto& setting : settings) {
    if (setting.given && !setting.partHasIt) {
      return atLine(setting.line, "a " + read.part + " has no " + setting.word + " setting");
    }
    if (!setting.given && setting.partHasIt) {
      return "a " + read.part + " needs its " + setting.word + " setting";
    }
  }
  const auto sectors = read.kept.protectedSectors.value_or(0);
  if (fresh.sectors < 32 && (sectors >> fresh.sectors) != 0) {
    return atLine(read.protectedSectorsLine, "a " + read.part + " has sectors 0 to " +
                                                 std::to_string(fresh.sectors - 1) + " only");
  }
  return {};
}

}  // namespace burnlab::sim
