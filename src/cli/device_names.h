#pragma once

#include <optional>
#include <string>

namespace burnlab {

// The catalogue row a -d value names, or why it names none.
struct DeviceNamed {
  std::optional<int> row;
  std::string problem;  // empty when `row` is set; otherwise what to tell the operator
};

// Finds the device `nameOrPosition` names, any letter case, outer blanks ignored:
// - a list position ("10"; a number that is no position is read as a name: "2764");
// - the whole name as the Device list shows it ("Eprom 27C256");
// - the name without its family word ("27C256", "27C080 OTP");
// - one word of the name ("X28C256", "24C16").
// The first of these that fits one row wins. When a name fits several rows, or none but is part
// of some, the problem lists them. A row the program does not support is refused, unless it is
// one of the untested flash rows and `allowUntested` is given.
DeviceNamed findDevice(const std::string& nameOrPosition, bool allowUntested = false);

}  // namespace burnlab
