// The --simulate socket string: parsed, and a chip it names built with its faults. A chip
// image file it names is not read: the input names no file of ours.
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "sim/socket_choice.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace burnlab;
  const auto parsed = sim::parseSocketChoice({reinterpret_cast<const char*>(data), size});
  if (!parsed.error.empty()) return 0;
  const auto& choice = parsed.choice;
  if (choice.kind != sim::SocketChoice::Kind::Chip || !choice.image.empty()) return 0;
  std::string error;
  const auto chip = sim::buildSocketChip(choice, error);
  fuzz::require(chip != nullptr || !error.empty(), "a chip that cannot be built says why");
  return 0;
}
