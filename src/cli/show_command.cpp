#include "cli/show_command.h"

#include <algorithm>

#include "buffers/hex_page.h"
#include "shell/app.h"

namespace burnlab {
namespace {

constexpr int kRefused = 2;

}  // namespace

int showPage(App& app, const ShowRequest& request, std::ostream& page, std::ostream& messages) {
  if (request.file.empty()) {
    messages << "burnlab-cli: show needs the image file: -i FILE\n";
    return kRefused;
  }
  auto& display = app.hexDisplay;
  const bool loaded = request.data ? app.bufferCommands.openDataFile(request.file)
                                   : app.bufferCommands.openCodeFile(request.file);
  if (!loaded) return kRefused;

  // The data view, as Show Data switches to it on a microcontroller.
  if (request.data) display.setScrollMax(kDataScrollMax);
  const auto lastPage = std::max(app.panel.VScroll1.max, app.panel.VScroll1.min);
  if (request.page > lastPage) {
    messages << "burnlab-cli: page " << request.page << " is beyond the last page " << lastPage
             << '\n';
    return kRefused;
  }
  display.setScrollValue(request.page);
  if (request.data) display.DisplayDataMemory();
  // The page's lines each start with their line end; the last one gets its own, so that what
  // the terminal prints next starts on a line of its own.
  page << app.panel.BufferDisplay.text << "\r\n";
  return 0;
}

}  // namespace burnlab
