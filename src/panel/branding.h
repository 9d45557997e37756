#pragma once

namespace burnlab {

// The maker's web address, shown in the window title and the saved files' headers.
inline constexpr const char* kMakerWebAddress = "www.orvane.com";
inline constexpr const char* kProgramVersion = "1.0.54";
// The same version as its three numbers: major, minor, revision.
inline constexpr int kVersionMajor = 1;
inline constexpr int kVersionMinor = 0;
inline constexpr int kVersionRevision = 54;

// The program's title: the About window shows it and the settings store files the window
// geometry under it.
inline constexpr const char* kProgramTitle = "Burnlab";
inline constexpr const char* kMakerName = "Orvane";
inline constexpr const char* kSupportMailAddress = "support@orvane.com";

}  // namespace burnlab
