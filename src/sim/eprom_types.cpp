#include "sim/eprom_types.h"

#include <algorithm>
#include <array>

namespace burnlab::sim {
namespace {

// JEDEC byte-wide pinouts: chip pin of A0 .. A19 per package (0 where the package has no such
// line).
constexpr std::array<int, 20> kPins24{8, 7, 6, 5, 4, 3, 2, 1, 23, 22, 19, 21};
constexpr std::array<int, 20> kPins28{10, 9, 8, 7, 6, 5, 4, 3, 25, 24, 21, 23, 2, 26, 27, 1};
constexpr std::array<int, 20> kPins32{12, 11, 10, 9,  8,  7, 6, 5,  27, 26,
                                      23, 25, 4,  28, 29, 3, 2, 30, 31, 1};

// Where the figures come from. Every 12.5 V part (CMOS, and the later versions of the NMOS
// rows) stands 14 V on VPP and about 7 V on every other pin but A9 (13.5 or 14 V): M27C256B,
// AT27C256R, M27256 and M27128A absolute maximum ratings. The board can switch its supply
// (12.5, 21 or 25 V) only onto socket pins 1, 3 and 24, so any of it on a pin other than VPP
// destroys the part.
constexpr std::string_view kNmos24 =
    "TMS2732A, NTE2732A: 21 V on G/VPP, one 50 ms pulse on E, VPP max 22 V";
constexpr std::string_view kNmos2732 =
    "2732 (25 V generation, as the 2716): 25 V on OE/VPP, one 50 ms pulse on CE, VPP max 26.5 V";
constexpr std::string_view kNmos28 =
    "NTE2764: 21 V, VPP max 22 V; M27128A, M27256 (12.5 V versions): fast algorithm of 1 ms "
    "pulses, VPP max 14 V";
constexpr std::string_view kCmos28 =
    "M27C256B, AT27C256R: 100 us pulses, up to 25 (AT27C256R: 10), VPP max 14 V; verify with "
    "E high, G low, VPP on";
constexpr std::string_view kCmos512 =
    "M27C512 (PRESTO IIB): 12.75 V on GVPP, 100 us pulses on E, up to 25; verify with VPP off";
constexpr std::string_view kCmos32 =
    "M27C1001, M27C4001, Am27C010, Am27C040 (Flashrite): 12.75 V, 100 us pulses, up to 25";
constexpr std::string_view kCmos801 =
    "M27C801 (PRESTO IIB): 12.75 V on GVPP, 50 us pulses on E, up to 25; verify with VPP off";

// 24-pin parts program through their OE/VPP pin (20) with a pulse on CE; 28-pin 2764 and 27128
// take VPP on pin 1 and a pulse on PGM (pin 27); 27256 and 27C256 take VPP on pin 1 and a pulse
// on CE; 27C512 programs through OE/VPP (pin 22); 32-pin 27C010 and 27C020 take VPP on pin 1 and
// a pulse on PGM (pin 31), 27C040 VPP on pin 1 and a pulse on CE, 27C080 VPP on OE (pin 24).
// The NMOS rows program at 12.5 V as their later versions do; their originals need 21 or 25 V.
// The single-pulse parts have one 50 ms pulse as their algorithm: a cell never needs more.
// The shortest pulse each allows is its timing table's tPW minimum: 45 ms of the 50 ms pulse
// (TMS2732A), 0.95 of the 1 ms fast pulse, 95 of the 100 us pulse, 45 of the 50 us pulse
// (M27C801).
constexpr std::array<EpromType, 19> kTypes{{
    {"2732A", 24, 12, 20, 0, 12500, 14000, 21000, 22000, 50000, 1, 45000, kNmos24},
    {"2732B", 24, 12, 20, 0, 12500, 14000, 0, 0, 50000, 1, 45000, kNmos24},
    {"2732", 24, 12, 20, 0, 12500, 14000, 25000, 26500, 50000, 1, 45000, kNmos2732},
    {"27C32", 24, 12, 20, 0, 12500, 14000, 0, 0, 50000, 1, 45000, kNmos24},
    {"2764", 28, 13, 1, 27, 12500, 14000, 21000, 22000, 1000, 25, 950, kNmos28},
    {"27C64", 28, 13, 1, 27, 12500, 14000, 0, 0, 100, 25, 95, kCmos28},
    {"27128", 28, 14, 1, 27, 12500, 14000, 21000, 22000, 1000, 25, 950, kNmos28},
    {"27C128", 28, 14, 1, 27, 12500, 14000, 0, 0, 100, 25, 95, kCmos28},
    {"27256", 28, 15, 1, 0, 12500, 14000, 0, 0, 1000, 25, 950, kNmos28},
    {"27C256", 28, 15, 1, 0, 12500, 14000, 0, 0, 100, 25, 95, kCmos28},
    {"27C512", 28, 16, 22, 0, 12500, 14000, 0, 0, 100, 25, 95, kCmos512},
    {"27C1001", 32, 17, 1, 31, 12500, 14000, 0, 0, 100, 25, 95, kCmos32},
    {"27C010", 32, 17, 1, 31, 12500, 14000, 0, 0, 100, 25, 95, kCmos32},
    {"27C2001", 32, 18, 1, 31, 12500, 14000, 0, 0, 100, 25, 95, kCmos32},
    {"27C020", 32, 18, 1, 31, 12500, 14000, 0, 0, 100, 25, 95, kCmos32},
    {"27C4001", 32, 19, 1, 0, 12500, 14000, 0, 0, 100, 25, 95, kCmos32},
    {"27C040", 32, 19, 1, 0, 12500, 14000, 0, 0, 100, 25, 95, kCmos32},
    {"27C801", 32, 20, 24, 0, 12500, 14000, 0, 0, 50, 25, 45, kCmos801},
    {"27C080", 32, 20, 24, 0, 12500, 14000, 0, 0, 50, 25, 45, kCmos801},
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

std::string EpromType::pinName(int pin) const {
  if (pin == vppPin) return pin == oePin() ? "OE/VPP" : "VPP";
  if (pin == oePin()) return "OE";
  if (pin == cePin()) return "CE";
  if (pin == pgmPin) return "PGM";
  if (pin == vccPin() || pin == packagePins) return "VCC";
  const auto pins = addressPins();
  const auto line = std::find(pins.begin(), pins.end(), pin);
  if (line != pins.end()) return "A" + std::to_string(line - pins.begin());
  return "NC";
}

std::span<const EpromType> epromTypes() {
  return kTypes;
}

}  // namespace burnlab::sim
