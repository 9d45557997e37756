#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>

#include "link/port_config.h"
#include "panel/platform.h"
#include "panel/system_log.h"

namespace burnlab {

// burnlab6.ini on the disk: where it is, reading its key lines and writing it afresh.
class PortConfigFile {
 public:
  PortConfigFile(Platform& platform, SystemLog& log) : platform_(platform), log_(log) {}

  // Keeps the file in `folder` instead of the program's folder (empty: the program's folder
  // again). A run on the simulated board keeps its own file, so that simulating never changes
  // what a start on the real board reads.
  void setFolder(std::filesystem::path folder) { folder_ = std::move(folder); }

  // The full path of the file.
  std::filesystem::path ConfigFileName() const;

  // The file's key lines; nothing when there is no such file. A file that exists but cannot be
  // read (a FIFO, a folder, or one far longer than a port configuration can be) is logged with
  // its name and the reason, and counts as no file.
  std::optional<PortConfig> read();

  // Creates or replaces the file for this port and model, stamped with the local date and time.
  // A file that cannot be written is logged with its name and the reason; an existing file is
  // then left as it was.
  void write(std::int16_t portBase, std::int16_t model);

 private:
  Platform& platform_;
  SystemLog& log_;
  std::filesystem::path folder_;
};

}  // namespace burnlab
