#pragma once

#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

namespace burnlab {

class App;

// What `show` is asked for: the image file, the page (the scroll position) and which buffer.
struct ShowRequest {
  std::filesystem::path file;
  std::int32_t page = 0;
  bool data = false;
};

// Loads the file into the code buffer (the data buffer) as Open Code (Open Data) does and
// writes the page at the requested scroll position to `page`, exactly as the hex display shows
// it. Refusals go to `messages`; the loading's log lines reach the terminal through the view.
// Returns the exit status: 0, or 2 for a refused file or page.
int showPage(App& app, const ShowRequest& request, std::ostream& page, std::ostream& messages);

}  // namespace burnlab
