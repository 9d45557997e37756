#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>

#include "ops/two_wire_bus.h"
#include "panel/selected_device.h"

namespace burnlab {

class Board;

// Reading and comparing a 24C08/24C16/24C32 from address 0 on, its address one byte or two as
// its read routine says: a dummy write sets the address
// to 0, a repeated start turns the bus to reading, and every byte is acknowledged by the master.
class SerialEepromRead {
 public:
  using Progress = std::function<void()>;  // 16 more bytes: the progress bar moves by 16

  SerialEepromRead(Board& board, TwoWireBus& bus, TwoWireBus::Sleep sleep)
      : board_(board), bus_(bus), sleep_(std::move(sleep)) {}

  // Reads chip bytes 0 .. codeSize - 1 into `buffer` (never past its end). Leaves AckError set
  // when the chip does not acknowledge.
  void Read24CXX(ReadRoutine routine, std::span<std::uint8_t> buffer, std::int32_t codeSize,
                 const Progress& progress);

  // Compares chip bytes 0 .. codeSize - 1 with `buffer`. Returns the first differing address
  // (DataByte holds the chip's byte), or nothing when all matched or the chip did not answer
  // (AckError set).
  // With `lastNotAcknowledged` the last byte gets no acknowledge from the master, so that the
  // chip lets SDA go and the stop condition ends its read (otherwise it may hold SDA low with
  // the first bit of the byte after it, and miss the stop).
  std::optional<std::int32_t> Verify24CXX(ReadRoutine routine, std::span<const std::uint8_t> buffer,
                                          std::int32_t codeSize, const Progress& progress,
                                          bool lastNotAcknowledged = false);

 private:
  // Points the chip at address 0 and turns it to reading; false when it did not acknowledge.
  bool startReadingAtZero(ReadRoutine routine);
  bool send(std::uint8_t byte);

  Board& board_;
  TwoWireBus& bus_;
  TwoWireBus::Sleep sleep_;
};

}  // namespace burnlab
