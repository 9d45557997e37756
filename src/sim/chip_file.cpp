#include "sim/chip_file.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "sim/chip_catalogue.h"
#include "sim/chip_state_text.h"
#include "util/atomic_file.h"
#include "util/file_access.h"
#include "util/file_descriptor.h"
#include "util/regular_file.h"

namespace burnlab::sim {
namespace {

// A state file is a few lines; anything much longer is no state file.
constexpr std::size_t kLongestStateText = 64 * 1024;

bool isThere(const std::filesystem::path& file) {
  struct stat status {};
  return ::stat(file.c_str(), &status) == 0 || errno != ENOENT;
}

// A regular file read whole, when it has at most `most` bytes.
struct WholeFile {
  std::size_t size = 0;  // how many bytes it has (even when they were not read)
  std::string bytes;
  std::string error;  // why it could not be read
};

WholeFile readWhole(const std::filesystem::path& file, std::size_t most) {
  WholeFile whole;
  const int fd = openRegularFile(file, whole.error);
  if (fd < 0) {
    whole.error = "cannot read " + file.string() + ": " + whole.error;
    return whole;
  }
  FileDescriptor open(fd);
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    whole.error = "cannot read " + file.string() + ": " + std::strerror(errno);
    return whole;
  }
  whole.size = static_cast<std::size_t>(status.st_size);
  if (whole.size > most) return whole;
  whole.bytes.resize(whole.size);
  for (std::size_t got = 0; got < whole.size;) {
    const auto n = ::read(fd, whole.bytes.data() + got, whole.size - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      whole.error = "cannot read " + file.string() + ": " +
                    (n < 0 ? std::strerror(errno) : "it ended early: another program changes it");
      return whole;
    }
    got += static_cast<std::size_t>(n);
  }
  return whole;
}

}  // namespace

std::filesystem::path ChipFile::statePath(const std::filesystem::path& file) {
  return file.string() + ".chip";
}

std::filesystem::path ChipFile::lockPath(const std::filesystem::path& file) {
  return file.string() + ".lock";
}

std::unique_ptr<ChipFile> ChipFile::open(const std::filesystem::path& file,
                                         const SocketChoice& choice, std::string& error) {
  auto chip = ChipCatalogue::make(choice.chip, choice.options, error);
  if (!chip) return nullptr;
  // Both files are written back when the command ends: a place they cannot be written to is
  // refused now, before any work is done on the chip.
  for (const auto& path : {file, statePath(file)}) {
    if (auto why = whyTargetIsNotWritable(path); !why.empty()) {
      error = "--sim-chip: " + why;
      return nullptr;
    }
  }
  auto lock = FileLock::take(lockPath(file), error);
  if (!lock) {
    error = "--sim-chip: the chip in " + file.string() + " cannot be used: " + error;
    return nullptr;
  }
  std::unique_ptr<ChipFile> kept(new ChipFile(file, std::move(lock), std::move(chip)));
  error = kept->load(choice);
  if (!error.empty()) {
    error = "--sim-chip: " + error;
    return nullptr;
  }
  return kept;
}

std::string ChipFile::load(const SocketChoice& choice) {
  auto& chip = *chip_;
  const bool hasCells = isThere(file_);
  const bool hasState = isThere(statePath(file_));
  if (!hasCells && hasState) {
    return statePath(file_).string() + " is there but " + file_.string() +
           " is not; remove it to start with a fresh chip";
  }
  // A fresh chip of the part tells which settings it keeps.
  const KeptState fresh = chip.takeOut(0);
  KeptState kept = fresh;
  if (hasState) {
    if (auto why = readState(fresh, kept); !why.empty()) return why;
    stateInFile_ = chipStateText(chip.name(), kept);
  }
  if (hasCells) {
    if (auto why = readCells(); !why.empty()) return why;
  } else if (!choice.image.empty()) {
    if (auto why = chip.loadImage(choice.image); !why.empty()) return why;
  }
  // The faults that describe the chip's state add to what it kept.
  if (kept.dataProtection.has_value() && choice.options.startLocked) kept.dataProtection = true;
  if (kept.protectedSectors.has_value()) *kept.protectedSectors |= choice.options.protectedSectors;
  chip.putBack(kept);
  return applyArrayFaults(chip, choice);
}

std::string ChipFile::readState(const KeptState& fresh, KeptState& kept) {
  const auto stateFile = statePath(file_);
  const auto whole = readWhole(stateFile, kLongestStateText);
  if (!whole.error.empty()) return whole.error;
  if (whole.size > kLongestStateText) {
    return stateFile.string() + " has " + std::to_string(whole.size) +
           " bytes: it is no state of a simulated chip";
  }
  const auto read = parseChipStateText(whole.bytes);
  // "FILE.chip, line 3: ..." or "FILE.chip: ..."
  const auto inStateFile = [&stateFile](const std::string& why) {
    return stateFile.string() + (why.starts_with("line ") ? ", " : ": ") + why;
  };
  if (!read.error.empty()) return inStateFile(read.error);
  if (read.part != chip_->name()) {
    return stateFile.string() + " says that " + file_.string() + " holds a " + read.part +
           ", not the " + chip_->name() + " that --simulate names";
  }
  if (auto why = whyStateDoesNotFit(read, fresh); !why.empty()) return inStateFile(why);
  kept = read.kept;
  kept.sectors = fresh.sectors;
  return {};
}

std::string ChipFile::readCells() {
  auto& chip = *chip_;
  const auto whole = readWhole(file_, chip.size());
  if (!whole.error.empty()) return whole.error;
  if (whole.size != chip.size()) {
    return file_.string() + " has " + std::to_string(whole.size) + " bytes, not the " +
           std::to_string(chip.size()) + " of a " + chip.name() + ": it holds no such chip";
  }
  const auto& bytes = whole.bytes;
  cellsInFile_.emplace(bytes.begin(), bytes.end());
  for (std::uint32_t address = 0; address < bytes.size(); ++address) {
    chip.setCell(address, static_cast<std::uint8_t>(bytes[address]));
  }
  return {};
}

std::string ChipFile::writeBack(std::uint64_t nowNs) {
  const KeptState kept = chip_->takeOut(nowNs);
  const auto& cells = chip_->cells();
  if (!cellsInFile_ || *cellsInFile_ != cells) {
    const std::string_view bytes(reinterpret_cast<const char*>(cells.data()), cells.size());
    if (const auto saved = writeFileAtomically(file_, bytes); !saved.ok()) {
      return "the simulated " + chip_->name() + " could not be written back to " + file_.string() +
             ": " + saved.error + "; the file keeps what it held";
    }
    cellsInFile_ = cells;
  }
  const auto text = chipStateText(chip_->name(), kept);
  if (!stateInFile_ || *stateInFile_ != text) {
    if (const auto saved = writeFileAtomically(statePath(file_), text); !saved.ok()) {
      return "the state of the simulated " + chip_->name() + " could not be written to " +
             statePath(file_).string() + ": " + saved.error + "; it keeps what it held";
    }
    stateInFile_ = text;
  }
  return {};
}

}  // namespace burnlab::sim
