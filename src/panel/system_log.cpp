#include "panel/system_log.h"

#include "panel/saved_text_file.h"

namespace burnlab {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr SavedTextFile kLogFile{"BURNLAB.LOG", "System Log", "BURNLAB SYSTEM LOG FILE - ORVANE ",
                                 "The following contents are the log from the Burnlab Program"};

}  // namespace

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
  return savedTextFileContents(kLogFile, platform_, panel_.SystemLog.text, boardModel_());
}

void SystemLog::SystemLog_DblClick() {
  if (saveTextFile(kLogFile, logFileContents(), platform_, dialogs_, *this)) {
    LogLine("System Log was Saved to BURNLAB.LOG file");
  }
}

}  // namespace burnlab
