#include "panel/system_log.h"

#include <cstdio>

#include "panel/branding.h"
#include "util/atomic_file.h"

namespace burnlab {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kLogFileName = "BURNLAB.LOG";

}  // namespace

double statCode(const std::string& text) {
  double sum = 0;
  for (const unsigned char code : text) sum += code;
  return sum;
}

std::string blankedNumber(double value) {
  char digits[32];
  std::snprintf(digits, sizeof digits, "%.15G", value);
  return std::string(" ") + digits + " ";
}

void SystemLog::LogLine(const std::string& message) {
  auto& text = panel_.SystemLog.text;
  text += kCrLf;
  text += platform_.timeText();
  text += ">  ";
  text += message;
  SystemLog_Change();
}

void SystemLog::clear() {
  panel_.SystemLog.text.clear();
  SystemLog_Change();
}

void SystemLog::SystemLog_Change() {
  panel_.SystemLog.selStart = static_cast<std::int32_t>(panel_.SystemLog.text.size());
}

std::string SystemLog::logFileContents() {
  const auto& log = panel_.SystemLog.text;
  std::string file;
  file.reserve(log.size() + 256);
  file += std::string("BURNLAB SYSTEM LOG FILE - ORVANE ") + kMakerWebAddress + kCrLf;
  file += std::string("The following contents are the log from the Burnlab Program") + kCrLf;
  file += platform_.dateText() + " " + platform_.timeText() +
          " StatCode:" + blankedNumber(statCode(log)) + " Model:" + blankedNumber(boardModel_()) +
          kCrLf;
  file += std::string(60, '-') + kCrLf;
  file += log + kCrLf;
  return file;
}

void SystemLog::SystemLog_DblClick() {
  const auto target = platform_.workingFolder() / kLogFileName;
  const auto written = writeFileAtomically(target, logFileContents());
  if (!written.ok()) {
    const std::string problem =
        "System Log could not be saved to " + target.string() + ": " + written.error;
    LogLine(problem);
    dialogs_.message(problem, "BURNLAB.LOG", Dialogs::Icon::Exclamation);
    return;
  }
  LogLine("System Log was Saved to BURNLAB.LOG file");
}

}  // namespace burnlab
