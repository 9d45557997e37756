#pragma once

namespace burnlab {

// Nanoseconds one busy-wait iteration takes on this PC: the quickest of a few timed runs of the
// board's own delay loop, so that background load counts as little as it can. Measured the
// first time it is asked (a few milliseconds) and remembered for the rest of the run.
double measuredBusyWaitNs();

}  // namespace burnlab
