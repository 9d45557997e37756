#include "sim/eprom_types.h"

#include <array>

namespace burnlab::sim {
namespace {

// JEDEC byte-wide pinouts: chip pin of A0 .. A19 per package (0 where the package has no such
// line).
constexpr std::array<int, 20> kPins24{8, 7, 6, 5, 4, 3, 2, 1, 23, 22, 19, 21};
constexpr std::array<int, 20> kPins28{10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 27, 1};
constexpr std::array<int, 20> kPins32{12, 11, 10, 9,  8,  7, 6, 5,  27, 26,
                                      23, 25, 4,  28, 29, 3, 2, 30, 31, 1};

// 24-pin parts program through their OE/VPP pin (20) with a pulse on CE; 28-pin 2764 and 27128
// take VPP on pin 1 and a pulse on PGM (pin 27); 27256 and 27C256 take VPP on pin 1 and a pulse
// on CE; 27C512 programs through OE/VPP (pin 22); 32-pin 27C010 and 27C020 take VPP on pin 1 and
// a pulse on PGM (pin 31), 27C040 VPP on pin 1 and a pulse on CE, 27C080 VPP on OE (pin 24).
// The NMOS rows program at 12.5 V as their later versions do; their originals need 21 or 25 V.
constexpr std::array<EpromType, 19> kTypes{{
    {"2732A", 24, 12, 20, 0, 12500, 21000, false}, {"2732B", 24, 12, 20, 0, 12500, 0, true},
    {"2732", 24, 12, 20, 0, 12500, 25000, false},  {"27C32", 24, 12, 20, 0, 12500, 0, false},
    {"2764", 28, 13, 1, 27, 12500, 21000, false},  {"27C64", 28, 13, 1, 27, 12500, 0, true},
    {"27128", 28, 14, 1, 27, 12500, 21000, false}, {"27C128", 28, 14, 1, 27, 12500, 0, true},
    {"27256", 28, 15, 1, 0, 12500, 0, false},      {"27C256", 28, 15, 1, 0, 12500, 0, true},
    {"27C512", 28, 16, 22, 0, 12500, 0, true},     {"27C1001", 32, 17, 1, 31, 12500, 0, true},
    {"27C010", 32, 17, 1, 31, 12500, 0, true},     {"27C2001", 32, 18, 1, 31, 12500, 0, true},
    {"27C020", 32, 18, 1, 31, 12500, 0, true},     {"27C4001", 32, 19, 1, 0, 12500, 0, true},
    {"27C040", 32, 19, 1, 0, 12500, 0, true},      {"27C801", 32, 20, 24, 0, 12500, 0, true},
    {"27C080", 32, 20, 24, 0, 12500, 0, true},
}};

const std::array<int, 20>& addressPinsOf(int packagePins) {
  return packagePins == 24 ? kPins24 : packagePins == 28 ? kPins28 : kPins32;
}

}  // namespace

int EpromType::cePin() const {
  return packagePins == 24 ? 18 : packagePins == 28 ? 20 : 22;
}
int EpromType::oePin() const {
  return cePin() + 2;
}
int EpromType::vccPin() const {
  return packagePins == 32 ? 0 : packagePins;
}

std::vector<int> EpromType::addressPins() const {
  const auto& pins = addressPinsOf(packagePins);
  return {pins.begin(), pins.begin() + addressLines};
}

std::span<const EpromType> epromTypes() {
  return kTypes;
}

}  // namespace burnlab::sim
