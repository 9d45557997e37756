#pragma once

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "support/log_lines.h"
#include "support/simulated_app.h"
#include "support/temp_folder.h"

namespace burnlab::testing {

// A started App with a folder for image files.
struct BufferFixture : SimulatedApp {
  BufferFixture() : SimulatedApp({.start = true, .slider = {}}) {
    platform.working = folder.path();
  }

  std::filesystem::path file(const std::string& name, const std::string& bytes) {
    const auto path = folder.path() / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  static std::string contents(const std::filesystem::path& path) { return readAll(path); }

  // Answers the next file dialog with this file.
  void choose(const std::filesystem::path& path) { dialogs.files.push_back(path); }

  std::vector<std::string> logLines() const { return logLinesOf(app.panel.SystemLog.text); }

  TempFolder folder;
};

inline std::string everyByteValue(int repeats) {
  std::string bytes;
  for (int repeat = 0; repeat < repeats; ++repeat) {
    for (int value = 0; value < 256; ++value) bytes += static_cast<char>(value);
  }
  return bytes;
}

}  // namespace burnlab::testing
