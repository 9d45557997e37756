#include "ops/port_access_timing.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace burnlab {
namespace {

constexpr int kRounds = 5;
constexpr int kAccessesPerRound = 200;  // half reads, half writes

// A 27C256's traffic as the simulated board counts it: Read's port accesses (a register-2
// write and two nibble reads a byte, a register-1 write a page) beside its half-second settle;
// Program's at the default speed for a random image (about 68 accesses a byte), beside its
// settle and one program pulse a byte of 202 counts at 0.5 us.
constexpr double kReadAccesses = 262724;
constexpr double kReadFixedSeconds = 0.5;
constexpr double kProgramAccesses = 32768.0 * 68;
constexpr double kProgramFixedSeconds = 0.5 + 32768 * 101e-6;

std::string secondsText(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, seconds < 10 ? "%.2f s" : "%.1f s", seconds);
  return text;
}

}  // namespace

double measurePortAccessNs(Board& board, const std::function<std::uint64_t()>& monotonicNs) {
  auto& port = board.port();
  const auto status = static_cast<std::uint16_t>(board.PortStatus);
  const auto control = static_cast<std::uint16_t>(board.PortControl);
  const auto select = static_cast<std::uint8_t>(board.ReadSelectHigh & 0xFF);
  std::uint64_t fastest = std::numeric_limits<std::uint64_t>::max();
  for (int round = 0; round < kRounds; ++round) {
    const auto start = monotonicNs();
    for (int i = 0; i < kAccessesPerRound / 2; ++i) {
      port.PortOut(control, select);
      (void)port.PortIn(status);
    }
    fastest = std::min(fastest, monotonicNs() - start);
  }
  return static_cast<double>(fastest) / kAccessesPerRound;
}

ChipTimes projected27C256(double accessNs) {
  return {kReadAccesses * accessNs * 1e-9 + kReadFixedSeconds,
          kProgramAccesses * accessNs * 1e-9 + kProgramFixedSeconds};
}

std::string portAccessText(double accessNs) {
  char cost[32];
  std::snprintf(cost, sizeof cost, accessNs < 100 ? "%.3f µs" : "%.2f µs", accessNs / 1000);
  const auto times = projected27C256(accessNs);
  return std::string(cost) + " per access: a 27C256 reads in about " +
         secondsText(times.readSeconds) + " and programs in about " +
         secondsText(times.programSeconds);
}

}  // namespace burnlab
