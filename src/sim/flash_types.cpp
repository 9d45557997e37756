#include "sim/flash_types.h"

#include <array>

namespace burnlab::sim {
namespace {

// Times: the Am29F040B datasheet (publication 21445): byte program 7 us typical, 300 us
// maximum; sector erase 1 s typical, 8 s maximum; chip erase 8 s typical, 64 s maximum. The
// other parts of the family give the same command set and algorithms.
constexpr std::string_view kAm29F010 =
    "Am29F010B: 8 sectors of 16 KB, maker 01h, device 20h, times as the Am29F040B";
constexpr std::string_view kAm29F020 =
    "no Am29F020 datasheet found: 8 sectors of 32 KB as the family is built; device code 34h "
    "unconfirmed; times as the Am29F040B";
constexpr std::string_view kAm29F040 =
    "Am29F040B (21445): 8 sectors of 64 KB, maker 01h, device A4h, 7 us/300 us, 1 s/8 s, 8 s/64 s";
constexpr std::string_view kA29040 =
    "A29040A/C (AMIC): 8 sectors of 64 KB, maker 37h, device 86h, the Am29F040B's algorithms";
constexpr std::string_view kEn29F040 =
    "EN29F040 (Eon, rev. D): 8 sectors of 64 KB; 000h/100h read 7Fh/1Ch, 001h/101h 7Fh/04h";

constexpr std::array<FlashType, 5> kTypes{{
    {"AM29F010", 17, 16 * 1024, 0x01, 0x20, false, 7, 300, 1000, 8000, 8000, 64000, kAm29F010},
    {"AM29F020", 18, 32 * 1024, 0x01, 0x34, false, 7, 300, 1000, 8000, 8000, 64000, kAm29F020},
    {"AM29F040", 19, 64 * 1024, 0x01, 0xA4, false, 7, 300, 1000, 8000, 8000, 64000, kAm29F040},
    {"A29040", 19, 64 * 1024, 0x37, 0x86, false, 7, 300, 1000, 8000, 8000, 64000, kA29040},
    {"EN29F040", 19, 64 * 1024, 0x1C, 0x04, true, 7, 300, 1000, 8000, 8000, 64000, kEn29F040},
}};

}  // namespace

std::span<const FlashType> flashTypes() {
  return kTypes;
}

}  // namespace burnlab::sim
