#include "cli/image_commands.h"

#include <limits>

#include "buffers/image_checksums.h"
#include "cli/device_commands.h"
#include "cli/exit_status.h"
#include "shell/app.h"

namespace burnlab {
namespace {

int printSums(CliContext& c) {
  c.out << checksumsText(checksumsOf(c.app.buffers.codeImage())) << '\n';
  return kExitSuccess;
}

int readAndSum(CliContext& c) {
  if (const int status = statusOf(c.app.Read_button_Click()); status != kExitSuccess) {
    return status;
  }
  return printSums(c);
}

}  // namespace

int sumImage(CliContext& c) {
  if (c.request.input.empty()) return withDevice(c, readAndSum);
  if (!c.app.bufferCommands.openCodeFile(c.request.input)) return kExitBadInput;
  return printSums(c);
}

int compareDevice(CliContext& c) {
  if (!c.app.bufferCommands.openCodeFile(c.request.input)) return kExitBadInput;
  const auto maxListed = c.request.maxListed.value_or(std::numeric_limits<std::size_t>::max());
  const auto result = c.app.compare.compare(maxListed);
  if (!result) return kExitOperationFailed;  // the chip did not answer: the log says so
  for (const auto& difference : result->differences.listed) {
    c.out << differenceText(difference) << '\n';
  }
  c.out << differenceCountText(result->differences.count) << " in " << result->compared
        << " bytes compared\n";
  return result->differs() ? kExitOperationFailed : kExitSuccess;
}

}  // namespace burnlab
