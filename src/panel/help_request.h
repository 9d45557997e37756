#pragma once

#include <filesystem>
#include <string>

namespace burnlab {

// What the help window is asked to show: the help file at its contents, or its keyword search
// opened with a keyword (possibly empty).
enum class HelpCommand { Contents = 3, PartialKey = 0x105 };

struct HelpRequest {
  std::filesystem::path file;
  HelpCommand command = HelpCommand::Contents;
  std::string keyword;
};

}  // namespace burnlab
