#include "sim/memory_chip.h"

#include <algorithm>

#include "buffers/image_file_formats.h"

namespace burnlab::sim {

MemoryChip::MemoryChip(std::string name, std::size_t size)
    : name_(std::move(name)), cells_(size, 0xFF) {}

void MemoryChip::store(std::uint32_t address, std::uint8_t value) {
  address %= static_cast<std::uint32_t>(cells_.size());
  for (const auto& stuck : stuck_) {
    if (stuck.address == address) value = (value & ~stuck.mask) | (stuck.value & stuck.mask);
  }
  cells_[address] = value;
}

void MemoryChip::reportHarm(const PinRatings::Harm& harm, std::uint64_t nowNs) {
  if (harm.wrongPin && harm.maxMv == PinRatings::kLogicMaxMv) {
    report(SimEventKind::VoltageOnWrongPin, nowNs,
           harm.where + " of the " + name_ + ", a pin that takes no programming voltage");
  }
  std::string cause = harm.where;
  if (harm.maxMv > PinRatings::kLogicMaxMv)
    cause += ", above its " + voltsText(harm.maxMv) + " maximum";
  report(SimEventKind::ChipDestroyed, nowNs, name_ + " destroyed: " + cause);
}

bool MemoryChip::destroyedBy(const PinRatings& ratings, const SocketLines& lines, bool& destroyed,
                             std::uint64_t nowNs) {
  if (destroyed) return true;
  const auto harm = ratings.harm(lines);
  if (!harm) return false;
  reportHarm(*harm, nowNs);
  destroyed = true;
  return true;
}

void MemoryChip::addStuckBits(const StuckBits& stuck) {
  stuck_.push_back(stuck);
  store(stuck.address, cells_[stuck.address % cells_.size()]);
}

void MemoryChip::erase() {
  for (std::uint32_t address = 0; address < cells_.size(); ++address) store(address, 0xFF);
}

std::string MemoryChip::loadImage(const std::filesystem::path& file) {
  const ImageLoad image = loadImageFile(file, cells_.size());
  switch (image.outcome) {
    case ImageLoad::Outcome::Loaded:
      break;
    case ImageLoad::Outcome::TooLong:
      return "The image " + file.string() + " has " + std::to_string(image.length) +
             " bytes, more than the " + std::to_string(cells_.size()) + " of the " + name_;
    case ImageLoad::Outcome::Malformed:
      return "The image " + file.string() + " is refused, " + image.fault.text();
    case ImageLoad::Outcome::Unreadable:
      return "Cannot read the image " + file.string() + ": " + image.error;
  }
  // A HEX or S-record image may leave holes: they stay erased.
  std::vector<std::uint8_t> cells(image.end(), 0xFF);
  image.copyInto(cells);
  erase();
  for (std::uint32_t address = 0; address < cells.size(); ++address) store(address, cells[address]);
  return {};
}

std::string MemoryChip::saveImage(const std::filesystem::path& file) const {
  return writeImageFile(file, cells_, formatForName(file)).error;
}

void MemoryChip::applyFaults(const ChipOptions& options) {
  for (const auto& stuck : options.stuck) addStuckBits(stuck);
  for (const auto& changed : options.changed) store(changed.address, changed.value);
}

}  // namespace burnlab::sim
