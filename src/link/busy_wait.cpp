#include "link/busy_wait.h"

namespace burnlab {

void BusyWait::run(std::int32_t bound) {
  // Every read and write of the volatile counter happens, so no iteration is optimised away.
  counter_ = 1;
  while (counter_ <= bound) counter_ = counter_ + 1;
  if (bound < 1) return;
  iterations_ += static_cast<std::uint64_t>(bound);
  if (observer_) observer_->iterationsRan(static_cast<std::uint64_t>(bound));
}

}  // namespace burnlab
