#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace burnlab {

// burnlab6.ini: the port and model at which the board was last found, in four CR LF lines.
inline constexpr const char* kPortConfigFileName = "burnlab6.ini";

// What a port configuration file says. Only lines that begin exactly with "IO_PORT = " or
// "MODEL = " count; every other line is ignored.
struct PortConfig {
  std::optional<std::int16_t> ioPort;  // the last IO_PORT value
  std::optional<std::int16_t> model;   // the last MODEL value
  std::string ConfigKeys;              // "PORT" and "MODEL" in the order their lines came

  // Both keys, each once, in either order: only then is the board taken to be at the port.
  bool complete() const { return ConfigKeys == "PORTMODEL" || ConfigKeys == "MODELPORT"; }
};

// Reads the key lines of a file's text (lines ended by CR LF or LF alone).
PortConfig parsePortConfig(std::string_view text);

// The file as written: section line, date and time, port in hexadecimal, model as a printed
// number with its blanks ("MODEL =  6 ").
std::string portConfigText(std::int16_t portBase, std::int16_t model, const std::tm& now);

// An IO_PORT value: hexadecimal digits with blanks skipped, up to the first other character; 0
// when there is no digit or the value lies outside the 16-bit range.
std::int16_t parseHexValue(std::string_view text);

// A MODEL value: a decimal number after leading blanks (sign, fraction and exponent allowed),
// up to the first character that cannot belong to it, rounded half to even; 0 when there is no
// number or it lies outside the 16-bit range.
std::int16_t parseDecimalValue(std::string_view text);

}  // namespace burnlab
