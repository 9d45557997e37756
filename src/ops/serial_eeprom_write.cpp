#include "ops/serial_eeprom_write.h"

#include <algorithm>

#include "link/board.h"

namespace burnlab {
namespace {

constexpr std::uint8_t kDeviceWrite = 0xA0;
constexpr std::uint8_t kSdaLow = 0x00;
constexpr std::uint8_t kNoAcknowledge = 0x80;
constexpr int kWriteCyclePolls = 50;
constexpr int kPollPauseMs = 2;
constexpr int kBusSettleMs = 50;

}  // namespace

std::int32_t serialPageCount(std::int32_t codeSize, std::int32_t pageBytes) {
  if (codeSize <= 0 || pageBytes <= 0) return 0;
  const std::int32_t whole = codeSize / pageBytes;
  const std::int32_t twiceRest = 2 * (codeSize % pageBytes);
  if (twiceRest > pageBytes) return whole + 1;
  if (twiceRest == pageBytes) return whole + (whole % 2);  // a half goes to the even neighbour
  return whole;
}

void SerialEepromWrite::Write24CXX() {
  writePages(k24CXX);
}

void SerialEepromWrite::Write24C32() {
  writePages(k24C32);
}

bool SerialEepromWrite::send(std::uint8_t byte) {
  bus_.ProgramByte = byte;
  bus_.SendByte24CXX();
  return bus_.AckError == 0;
}

void SerialEepromWrite::writePages(const SerialPageLayout& layout) {
  auto& board = c_.board;
  const bool erasing = board.EraseMode == 1;
  if (erasing) {
    c_.log.LogLine(std::string(layout.eraseLine));
    c_.log.LogLine("Program Buffer will not be erased");
  }
  // Never past the chip: a larger image would wrap round onto the chip's first pages (or
  // address a block the chip does not have), and Erase Chip erases the whole chip whatever
  // the buffer holds.
  const std::int32_t devicePages = c_.device.DeviceSize / layout.pageBytes;
  const std::int32_t pages =
      erasing ? devicePages
              : std::min(serialPageCount(c_.buffers.CodeSize, layout.pageBytes), devicePages);
  board.OEOFF();
  c_.pause(kBusSettleMs);
  c_.panel.ProgressBar1.max = pages;
  for (std::int32_t page = 0; page < pages; ++page) {
    if (!writePage(layout, page * layout.pageBytes)) return;  // no stop condition
  }
  board.Reg4 = kSdaLow;
  board.SetReg4();
  board.REG4ON();
}

bool SerialEepromWrite::writePage(const SerialPageLayout& layout, std::int32_t a) {
  const std::int32_t hi = a / 256;
  const std::int32_t lo = a - hi * 256;
  const auto deviceByte =
      static_cast<std::uint8_t>(layout.twoAddressBytes ? kDeviceWrite : kDeviceWrite + 2 * hi);
  bus_.StartCondition24CXX();
  if (!send(deviceByte)) return false;
  if (layout.twoAddressBytes && !send(static_cast<std::uint8_t>(hi))) return false;
  if (!send(static_cast<std::uint8_t>(lo))) return false;
  const auto& buffer = c_.buffers.CodeBuffer;
  for (std::int32_t i = 0; i < layout.pageBytes; ++i) {
    const bool erasing = c_.board.EraseMode == 1;
    if (!send(erasing ? 0xFF : buffer[static_cast<std::size_t>(a + i)])) return false;
  }
  bus_.StopCondition24CXX();
  c_.advanceProgress(1);
  pollWriteCycle(deviceByte);
  return true;
}

void SerialEepromWrite::pollWriteCycle(std::uint8_t deviceByte) {
  auto& board = c_.board;
  // While the chip writes it acknowledges nothing: a start and its device byte are answered
  // only once the cycle is over.
  bus_.AckError = 0;
  do {
    bus_.StartCondition24CXX();
    bus_.ProgramByte = deviceByte;
    bus_.SendBytePoll24CXX();
    ++bus_.AckError;
    if (board.DataByte != 0) c_.pause(kPollPauseMs);
  } while (board.DataByte == kNoAcknowledge && bus_.AckError < kWriteCyclePolls);
  if (board.DataByte == 0) bus_.AckError = 0;
  board.CEOFF();  // the ninth clock
  board.CEON();
}

}  // namespace burnlab
