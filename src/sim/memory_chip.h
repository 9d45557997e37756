#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "sim/chip_options.h"
#include "sim/pin_voltages.h"
#include "sim/socket_chip.h"

namespace burnlab::sim {

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

 protected:
  void store(std::uint32_t address, std::uint8_t value);
  // Reports a voltage that destroys the chip: the wrong pin it is on, if so, then the
  // destruction.
  void reportHarm(const PinRatings::Harm& harm, std::uint64_t nowNs);

 private:
  std::string name_;
  std::vector<std::uint8_t> cells_;
  std::vector<StuckBits> stuck_;
};

}  // namespace burnlab::sim
