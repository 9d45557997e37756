#pragma once

namespace burnlab {

// The maker's web address, shown in the window title and the saved files' headers.
inline constexpr const char* kMakerWebAddress = "www.orvane.com";
inline constexpr const char* kProgramVersion = "1.0.54";

}  // namespace burnlab
