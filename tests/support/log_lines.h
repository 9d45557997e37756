#pragma once

#include <string>
#include <vector>

namespace burnlab::testing {

// The lines of a system log text, each without its time stamp.
inline std::vector<std::string> logLinesOf(const std::string& text) {
  std::vector<std::string> lines;
  for (auto start = text.find("\r\n"); start != std::string::npos;) {
    const auto end = text.find("\r\n", start + 2);
    const auto line = text.substr(start + 2, end == std::string::npos ? end : end - start - 2);
    lines.push_back(line.substr(line.find(">  ") + 3));
    start = end;
  }
  return lines;
}

}  // namespace burnlab::testing
