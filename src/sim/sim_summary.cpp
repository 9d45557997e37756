#include "sim/sim_summary.h"

#include <array>
#include <cstdio>
#include <string_view>

namespace burnlab::sim {
namespace {

struct KindWords {
  std::string_view one;
  std::string_view many;
};

constexpr std::array<KindWords, kSimEventKinds> kWords{{
    {"chip destroyed", "chips destroyed"},
    {"programming voltage on a wrong pin", "programming voltages on a wrong pin"},
    {"write ignored while busy", "writes ignored while busy"},
    {"write refused by protection", "writes refused by protection"},
    {"command sequence not recognised", "command sequences not recognised"},
    {"program pulse shorter than the datasheet's", "program pulses shorter than the datasheet's"},
}};

std::string counted(std::uint64_t count, std::string_view one, std::string_view many) {
  return std::to_string(count) + " " + std::string(count == 1 ? one : many);
}

// The first kept text of an event of `kind` from `sinceNs` on.
std::string firstText(const SimEventLog& log, SimEventKind kind, std::uint64_t sinceNs) {
  for (const auto& event : log.kept()) {
    if (event.kind == kind && event.atNs >= sinceNs) return event.text;
  }
  return {};
}

std::vector<std::string> eventParts(const BoardCounters& start, const SimBoard& board,
                                    const BoardCounters& now) {
  std::vector<std::string> parts;
  for (std::size_t kind = 0; kind < kSimEventKinds; ++kind) {
    const std::uint64_t count = now.events[kind] - start.events[kind];
    if (count == 0) continue;
    std::string part = counted(count, kWords[kind].one, kWords[kind].many);
    const auto first = firstText(board.events(), static_cast<SimEventKind>(kind), start.nowNs);
    if (!first.empty()) part += " (" + first + ")";
    parts.push_back(part);
  }
  return parts;
}

}  // namespace

std::string durationText(std::uint64_t ns) {
  char text[32];
  if (ns >= 1'000'000'000) {
    std::snprintf(text, sizeof text, "%.3f s", static_cast<double>(ns) / 1e9);
  } else if (ns >= 1'000'000) {
    std::snprintf(text, sizeof text, "%.1f ms", static_cast<double>(ns) / 1e6);
  } else {
    std::snprintf(text, sizeof text, "%llu us", static_cast<unsigned long long>(ns / 1000));
  }
  return text;
}

Summary summarise(const BoardCounters& start, const SimBoard& board) {
  const BoardCounters now = board.counters();
  Summary summary;
  summary.time = "command " + durationText(now.nowNs - start.nowNs) + ", run " +
                 durationText(now.nowNs) + " with start-up";
  summary.accesses = counted(now.accesses - start.accesses, "port access", "port accesses");
  const std::uint64_t contentions = now.contentions - start.contentions;
  summary.contentions = contentions == 0
                            ? "no bus contention"
                            : counted(contentions, "bus contention", "bus contentions") +
                                  ", the longest " + durationText(now.longestContentionNs);
  summary.events = eventParts(start, board, now);
  return summary;
}

std::string summaryLine(const BoardCounters& start, const SimBoard& board) {
  const Summary summary = summarise(start, board);
  std::string line = "Simulated board: " + summary.time + "; " + summary.accesses + "; " +
                     summary.contentions + "; ";
  if (summary.events.empty()) return line + "no events";
  line += "events: ";
  for (std::size_t i = 0; i < summary.events.size(); ++i) {
    line += (i ? ", " : "") + summary.events[i];
  }
  return line;
}

}  // namespace burnlab::sim
