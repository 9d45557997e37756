#pragma once

#include <string>

namespace burnlab {

// Log text ("\r\n" before every line) as terminal lines.
inline std::string logLines(const std::string& logText) {
  std::string lines;
  for (std::size_t start = 0; start < logText.size();) {
    auto end = logText.find("\r\n", start);
    if (end == std::string::npos) end = logText.size();
    if (end > start) lines += logText.substr(start, end - start) + '\n';
    start = end + 2;
  }
  return lines;
}

}  // namespace burnlab
