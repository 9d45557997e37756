// burnlab6.ini as it may be found beside the program: its key lines read, and a port and model
// it gives written and read back as the same.
#include <string_view>

#include "fuzz_check.h"
#include "link/port_config.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace burnlab;
  const auto config = parsePortConfig({reinterpret_cast<const char*>(data), size});
  if (!config.ioPort || !config.model) return 0;
  const std::tm when{};
  const auto again = parsePortConfig(portConfigText(*config.ioPort, *config.model, when));
  fuzz::require(again.complete(), "a written file has both keys");
  fuzz::require(again.ioPort == config.ioPort, "the port reads back");
  fuzz::require(again.model == config.model, "the model reads back");
  return 0;
}
