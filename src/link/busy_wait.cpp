#include "link/busy_wait.h"

namespace burnlab {
namespace {

// A bounded loop reads the clock once every this many iterations, so that the reads add
// little to the loop's own time.
constexpr std::int32_t kIterationsPerClockRead = 16;

}  // namespace

std::uint64_t BusyWait::count(std::int32_t bound) {
  // Every read and write of the volatile counter happens, so no iteration is optimised away.
  counter_ = 1;
  while (counter_ <= bound) counter_ = counter_ + 1;
  if (bound < 1) return 0;
  iterations_ += static_cast<std::uint64_t>(bound);
  return static_cast<std::uint64_t>(bound);
}

void BusyWait::run(std::int32_t bound) {
  const auto ran = count(bound);
  if (ran && observer_) observer_->iterationsRan(ran);
}

void BusyWait::runPaced(std::int32_t bound, std::uint64_t nsPerCount) {
  const auto startNs = clock_->nowNs();
  const auto ran = count(bound);
  if (ran == 0) return;
  const auto pacedNs = ran * nsPerCount;
  clock_->spinUntil(startNs + pacedNs);
  if (observer_) observer_->pacedDelayRan(ran, pacedNs);
}

void BusyWait::runBounded(std::int32_t bound, std::uint64_t maxNs) {
  const auto startNs = clock_->nowNs();
  counter_ = 1;
  while (counter_ <= bound) {
    counter_ = counter_ + 1;
    if (counter_ % kIterationsPerClockRead == 0 && clock_->nowNs() - startNs >= maxNs) break;
  }
  if (bound < 1) return;
  const auto ran = static_cast<std::uint64_t>(counter_ - 1);
  iterations_ += ran;
  if (observer_) observer_->boundedLoopRan(ran, maxNs);
}

}  // namespace burnlab
