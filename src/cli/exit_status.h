#pragma once

namespace burnlab {

// burnlab-cli's exit statuses.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitOperationFailed = 1;  // not blank, mismatch, no acknowledge
inline constexpr int kExitBadInput = 2;         // bad usage, unknown device, unreadable file
inline constexpr int kExitNoBoard = 3;          // no board answered, or the port is unavailable
inline constexpr int kExitChipNotKept = 3;      // the simulated chip did not go back to its file

}  // namespace burnlab
