#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "sim/chip_options.h"
#include "sim/pin_voltages.h"
#include "sim/socket_chip.h"

namespace burnlab::sim {

// What a chip keeps beside its cells while it is out of the socket, so that the same chip can be
// put back later. A field stays empty for a part that has no such thing.
struct KeptState {
  std::optional<bool> destroyed;       // a wrong voltage destroyed it: it never answers again
  std::optional<bool> dataProtection;  // software data protection on (X28C256, AT29C256)
  // Sector flash: bit n for a protected sector n, and how many sectors the part has.
  std::optional<std::uint32_t> protectedSectors;
  std::uint32_t sectors = 0;

  bool operator==(const KeptState&) const = default;
};

// A chip with a memory array: its name, its cells, and the image file they are loaded from and
// saved to. Every store goes through `store`, so stuck bits hold whatever is written.
class MemoryChip : public SocketChip {
 public:
  MemoryChip(std::string name, std::size_t size);

  const std::string& name() const { return name_; }
  std::size_t size() const { return cells_.size(); }
  const std::vector<std::uint8_t>& cells() const { return cells_; }
  std::uint8_t cell(std::uint32_t address) const { return cells_[address % cells_.size()]; }
  // Sets a cell directly (a simulator command: a changed byte, a test's set-up).
  void setCell(std::uint32_t address, std::uint8_t value) { store(address, value); }

  // Makes bits of a cell hold a fixed value from now on.
  void addStuckBits(const StuckBits& stuck);
  // Every cell back to FFh (UV light for an EPROM; a fresh part for the others).
  virtual void erase();

  // Starts the chip with an image file (raw, Intel HEX or S-records, told by its content): its
  // bytes at their addresses, the rest erased. An image that does not fit the chip, or a
  // malformed one, is refused. Returns an empty string or the reason it failed.
  std::string loadImage(const std::filesystem::path& file);
  // Writes every cell to an image file in the format its name asks for, atomically. Returns an
  // empty string or the reason.
  std::string saveImage(const std::filesystem::path& file) const;

  // Applies the faults that concern the memory array: stuck bits, then changed bytes.
  void applyFaults(const ChipOptions& options);

  // The chip is taken out of the socket after a command that ended at `nowNs`: a load, write
  // cycle or erase under way runs its course first (the board keeps the chip powered until it
  // is taken out), and what it keeps beside its cells is returned.
  KeptState takeOut(std::uint64_t nowNs) { return keptStateAt(nowNs + kTakeOutDelayNs); }
  // The chip is put back with what it kept; a field the part has no use for is passed over.
  virtual void putBack(const KeptState&) {}

  // Longer than the longest write cycle or erase of any simulated part (a 4-Mbit flash's chip
  // erase may take 64 s).
  static constexpr std::uint64_t kTakeOutDelayNs = 600'000'000'000;

 protected:
  void store(std::uint32_t address, std::uint8_t value);
  // What the chip keeps once it has been brought up to `nowNs`.
  virtual KeptState keptStateAt(std::uint64_t) { return {}; }
  // Reports a voltage that destroys the chip: the wrong pin it is on, if so, then the
  // destruction.
  void reportHarm(const PinRatings::Harm& harm, std::uint64_t nowNs);
  // Whether the chip is destroyed: already (`destroyed`), or now by a voltage on `lines` beyond
  // its `ratings`, which is reported and kept in `destroyed`.
  bool destroyedBy(const PinRatings& ratings, const SocketLines& lines, bool& destroyed,
                   std::uint64_t nowNs);

 private:
  std::string name_;
  std::vector<std::uint8_t> cells_;
  std::vector<StuckBits> stuck_;
};

}  // namespace burnlab::sim
