#pragma once

#include <string>

#include "panel/dialogs.h"
#include "panel/platform.h"

namespace burnlab {

class SystemLog;

// The files the operator saves by a double click, the System Log's BURNLAB.LOG and the Buffer
// Display's BURNLAB.BUF, share one form and one way of being written.
struct SavedTextFile {
  const char* name;     // "BURNLAB.LOG": in the working folder; also the failure box's title
  const char* what;     // "System Log": what the failure line says could not be saved
  const char* heading;  // the first line, before the maker's web address
  const char* about;    // the second line
};

// The file's contents for `text`: the two heading lines, the date, the time, the text's
// StatCode and the board's model, a rule of 60 dashes, the text, CR LF.
std::string savedTextFileContents(const SavedTextFile& file, Platform& platform,
                                  const std::string& text, double model);

// Writes `contents` to the file in the working folder, whole or not at all. When it cannot,
// the log and a message box say why, and an existing file keeps what it held. True when
// written.
bool saveTextFile(const SavedTextFile& file, const std::string& contents, Platform& platform,
                  Dialogs& dialogs, SystemLog& log);

// Sum of the 8-bit character codes of `text`: the check figure of a saved log or page.
double statCode(const std::string& text);

// A number as the saved files write it: one leading and one trailing blank around the digits.
std::string blankedNumber(double value);

}  // namespace burnlab
