#include "link/port_config.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

#include "link/hex_text.h"

namespace burnlab {
namespace {

constexpr std::string_view kPortKey = "IO_PORT = ";
constexpr std::string_view kModelKey = "MODEL = ";
constexpr const char* kCrLf = "\r\n";

bool isBlank(char c) {
  return c == ' ' || c == '\t';
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

bool isDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<std::int16_t> toInt16(double value) {
  if (!std::isfinite(value)) return std::nullopt;
  const double rounded = std::nearbyint(value);  // the default rounding: half to even
  if (rounded < std::numeric_limits<std::int16_t>::min() ||
      rounded > std::numeric_limits<std::int16_t>::max()) {
    return std::nullopt;
  }
  return static_cast<std::int16_t>(rounded);
}

// The longest prefix of `text` that reads as a decimal number: sign, digits, a fraction and an
// exponent, each part only when digits follow it.
std::string_view decimalPrefix(std::string_view text) {
  std::size_t end = 0;
  auto digitsFrom = [&](std::size_t at) {
    while (at < text.size() && isDigit(text[at])) ++at;
    return at;
  };
  if (end < text.size() && (text[end] == '+' || text[end] == '-')) ++end;
  const std::size_t integerStart = end;
  end = digitsFrom(end);
  bool digits = end > integerStart;
  if (end < text.size() && text[end] == '.') {
    const std::size_t fractionEnd = digitsFrom(end + 1);
    digits = digits || fractionEnd > end + 1;
    end = fractionEnd;
  }
  if (!digits) return {};
  if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
    std::size_t exponent = end + 1;
    if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) ++exponent;
    const std::size_t exponentEnd = digitsFrom(exponent);
    if (exponentEnd > exponent) end = exponentEnd;
  }
  return text.substr(0, end);
}

std::string zeroPadded(int value, int width) {
  char text[16];
  std::snprintf(text, sizeof text, "%0*d", width, value);
  return text;
}
std::string twoDigits(int value) {
  return zeroPadded(value, 2);
}
std::string fourDigits(int value) {
  return zeroPadded(value, 4);
}

// A number as a file line prints it: a blank (or the minus sign) before, a blank after.
std::string printedNumber(std::int16_t value) {
  // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on string concatenation.
  std::string text = value < 0 ? "" : " ";
  text += std::to_string(value);
  text += ' ';
  return text;
}

}  // namespace

std::int16_t parseHexValue(std::string_view text) {
  long value = 0;
  bool digits = false;
  for (const char c : text) {
    if (isBlank(c)) continue;
    const int digit = hexDigit(c);
    if (digit < 0) break;
    digits = true;
    value = value * 16 + digit;
    if (value > std::numeric_limits<std::int16_t>::max()) return 0;
  }
  return digits ? static_cast<std::int16_t>(value) : 0;
}

std::int16_t parseDecimalValue(std::string_view text) {
  std::size_t start = 0;
  while (start < text.size() && isBlank(text[start])) ++start;
  auto number = decimalPrefix(text.substr(start));
  if (number.empty()) return 0;
  // from_chars takes no leading plus sign; it reads the rest in the C locale, whatever the
  // program's locale says.
  if (number.front() == '+') number.remove_prefix(1);
  double value = 0;
  const auto parsed = std::from_chars(number.data(), number.data() + number.size(), value);
  if (parsed.ec != std::errc()) return 0;
  return toInt16(value).value_or(0);
}

PortConfig parsePortConfig(std::string_view text) {
  PortConfig config;
  while (!text.empty()) {
    // A line ends at CR LF, or at a CR or LF alone: the empty piece between CR and LF counts
    // for nothing.
    const auto end = text.find_first_of("\r\n");
    const auto line = text.substr(0, end);
    text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    if (line.substr(0, kPortKey.size()) == kPortKey) {
      config.ioPort = parseHexValue(line.substr(kPortKey.size()));
      config.ConfigKeys += "PORT";
    }
    if (line.substr(0, kModelKey.size()) == kModelKey) {
      config.model = parseDecimalValue(line.substr(kModelKey.size()));
      config.ConfigKeys += "MODEL";
    }
  }
  return config;
}

std::string portConfigText(std::int16_t portBase, std::int16_t model, const std::tm& now) {
  std::string text = "[BURNLAB6 SETUP]";
  text += kCrLf;
  text += "DATE = " + twoDigits(now.tm_mon + 1) + "-" + twoDigits(now.tm_mday) + "-" +
          fourDigits(now.tm_year + 1900) + " " + twoDigits(now.tm_hour) + ":" +
          twoDigits(now.tm_min) + ":" + twoDigits(now.tm_sec) + kCrLf;
  text += std::string(kPortKey) + hexText(portBase) + kCrLf;
  text += std::string(kModelKey) + printedNumber(model) + kCrLf;
  return text;
}

}  // namespace burnlab
