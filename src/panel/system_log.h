#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <utility>

#include "panel/dialogs.h"
#include "panel/panel.h"
#include "panel/platform.h"
#include "panel/saved_text_file.h"

namespace burnlab {

// The running, time-stamped system log (the text of SystemLog) and its saving to BURNLAB.LOG.
class SystemLog {
 public:
  // `boardModel` gives the model of the board found (0: none), which the saved file records.
  SystemLog(Panel& panel, Platform& platform, Dialogs& dialogs,
            std::function<std::int32_t()> boardModel)
      : panel_(panel), platform_(platform), dialogs_(dialogs), boardModel_(std::move(boardModel)) {}

  // Appends CR LF, the time of day, ">  " and the message. Appending keeps a long session's
  // log linear in its length.
  void LogLine(const std::string& message);

  // Empties the log (start-up).
  void clear();

  // Keeps the newest line in view: the caret goes after the last character.
  void SystemLog_Change();

  // Saves the log to BURNLAB.LOG in the working folder. A save that fails is reported and
  // leaves an existing BURNLAB.LOG as it was.
  void SystemLog_DblClick();

  // The file's contents for the current log: four header lines, the log, CR LF.
  std::string logFileContents();

 private:
  Panel& panel_;
  Platform& platform_;
  Dialogs& dialogs_;
  std::function<std::int32_t()> boardModel_;
};

}  // namespace burnlab
