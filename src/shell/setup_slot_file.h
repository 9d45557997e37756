#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace burnlab {

inline constexpr int kSetupSlotCount = 4;

// The file of setup slot 1..4: "BLSetup1.INI" .. "BLSetup4.INI".
std::string setupSlotFileName(int slot);

// Where a slot file stands in `folder`: under its own name or, failing that, under a name that
// differs only in letter case (a slot written on a system that ignores case). Nothing when
// neither is there.
std::optional<std::filesystem::path> findSetupSlotFile(const std::filesystem::path& folder,
                                                       const std::string& fileName);

// A slot file read whole, split into lines, or the reason it could not be read.
struct SetupFileRead {
  std::vector<std::string> lines;  // without their CR LF (or a bare LF) ends
  std::string error;               // empty when the file was read
  bool read() const { return error.empty(); }
};
SetupFileRead readSetupFile(const std::filesystem::path& file);

// The lines of a text, ended by CR LF or a bare LF; a last line without an end counts too.
std::vector<std::string> textLines(std::string_view text);

}  // namespace burnlab
