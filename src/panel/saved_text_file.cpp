#include "panel/saved_text_file.h"

#include <cstdio>

#include "panel/branding.h"
#include "panel/system_log.h"
#include "util/atomic_file.h"

namespace burnlab {
namespace {

constexpr const char* kCrLf = "\r\n";

}  // namespace

std::string savedTextFileContents(const SavedTextFile& file, Platform& platform,
                                  const std::string& text, double model) {
  std::string contents;
  contents.reserve(text.size() + 256);
  contents += std::string(file.heading) + kMakerWebAddress + kCrLf;
  contents += std::string(file.about) + kCrLf;
  contents += platform.dateText() + " " + platform.timeText() + " StatCode:" +
              blankedNumber(statCode(text)) + " Model:" + blankedNumber(model) + kCrLf;
  contents += std::string(60, '-') + kCrLf;
  contents += text + kCrLf;
  return contents;
}

bool saveTextFile(const SavedTextFile& file, const std::string& contents, Platform& platform,
                  Dialogs& dialogs, SystemLog& log) {
  const auto target = platform.workingFolder() / file.name;
  const auto written = writeFileAtomically(target, contents);
  if (written.ok()) return true;
  const std::string problem =
      std::string(file.what) + " could not be saved to " + target.string() + ": " + written.error;
  log.LogLine(problem);
  dialogs.message(problem, file.name, Dialogs::Icon::Exclamation);
  return false;
}

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

}  // namespace burnlab
