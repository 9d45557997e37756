#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "sim/memory_chip.h"
#include "sim/socket_choice.h"
#include "util/file_lock.h"

namespace burnlab::sim {

// A simulated chip that lives in a file from one run of the program to the next, as a real
// chip lives in its box between two sessions at the programmer:
//   FILE        its bytes, raw, exactly as many as the part has;
//   FILE.chip   what it keeps beside them: the part, a destroyed chip, data protection,
//               protected sectors (chip_state_text.h);
//   FILE.lock   empty, locked while a program has the chip in its socket, so that two programs
//               never work on one chip at once (the second is refused).
// A chip whose FILE does not exist yet starts with the socket choice's image, else erased. The
// choice's `locked` and `protect=N` add to what the chip kept; its stuck bits and changed bytes
// apply to the bytes it brings.
class ChipFile {
 public:
  // Takes the chip of `choice` (a choice of kind Chip) out of `file`. Nothing, with `error` set,
  // when the files cannot be used: FILE or FILE.chip is a folder, a FIFO or a device, cannot be
  // read, or could not be written in its folder; FILE's size is not the part's; FILE.chip is
  // malformed or names another part; FILE.chip is there without FILE; the chip is in use. The
  // files are left untouched.
  static std::unique_ptr<ChipFile> open(const std::filesystem::path& file,
                                        const SocketChoice& choice, std::string& error);

  const std::shared_ptr<MemoryChip>& chip() const { return chip_; }
  const std::filesystem::path& path() const { return file_; }

  // Puts the chip back into its files after a command that ended at `nowNs` (see
  // MemoryChip::takeOut), each written atomically and only when it would change. The reason
  // of a failure, naming the file; the file that failed keeps what it held.
  std::string writeBack(std::uint64_t nowNs);

  static std::filesystem::path statePath(const std::filesystem::path& file);
  static std::filesystem::path lockPath(const std::filesystem::path& file);

 private:
  ChipFile(std::filesystem::path file, std::unique_ptr<FileLock> lock,
           std::shared_ptr<MemoryChip> chip)
      : file_(std::move(file)), lock_(std::move(lock)), chip_(std::move(chip)) {}

  // Brings what the files hold into the chip; the reason when they cannot be used.
  std::string load(const SocketChoice& choice);
  // What FILE.chip says the chip keeps, checked against what a `fresh` chip of the part keeps.
  std::string readState(const KeptState& fresh, KeptState& kept);
  std::string readCells();

  std::filesystem::path file_;
  std::unique_ptr<FileLock> lock_;
  std::shared_ptr<MemoryChip> chip_;
  // What the files hold now; nothing while one does not exist.
  std::optional<std::vector<std::uint8_t>> cellsInFile_;
  std::optional<std::string> stateInFile_;
};

}  // namespace burnlab::sim
