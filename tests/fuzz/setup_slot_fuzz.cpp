// A setup slot file as the user may keep it: restored, line by line as Setup > Load does, into a
// started program whose port has no board, with the code file it names loaded. One program
// serves every input, as an operator restores slot after slot: a fresh one for each would spend
// the run clearing its megabytes of buffers.
#include <fstream>
#include <string_view>

#include "link/null_port.h"
#include "shell/app.h"
#include "shell/setup_slot_file.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/recording_view.h"
#include "support/temp_folder.h"

namespace {

using namespace burnlab;

struct StartedProgram {
  StartedProgram() {
    platform.program = folder.path();
    platform.working = folder.path();
    // The port configuration start-up reads, so that it does not search the ports.
    std::ofstream(folder.path() / kPortConfigFileName) << "IO_PORT = 378\r\nMODEL = 6\r\n";
    app.Form_Load();
  }
  testing::TempFolder folder;
  NullPort port;
  testing::FakePlatform platform;
  testing::FakeDialogs dialogs;
  testing::RecordingView view;
  App app{{port, platform, dialogs, view}};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static StartedProgram program;
  std::ofstream(program.folder.path() / setupSlotFileName(1), std::ios::binary | std::ios::trunc)
      << std::string_view(reinterpret_cast<const char*>(data), size);
  program.app.setups.loadSlot(1);
  // The log grows with every restore; a real session's is cleared now and then as well.
  program.app.log.clear();
  return 0;
}
