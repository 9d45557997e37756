#include "sim/sim_events.h"

#include <numeric>

namespace burnlab::sim {

void SimEventLog::add(SimEventKind kind, std::uint64_t atNs, std::string text) {
  auto& count = counts_[index(kind)];
  if (count++ < kKeptPerKind) kept_.push_back({atNs, kind, std::move(text)});
}

std::uint64_t SimEventLog::total() const {
  return std::accumulate(counts_.begin(), counts_.end(), std::uint64_t{0});
}

}  // namespace burnlab::sim
