#include "ops/serial_eeprom_write.h"

#include <algorithm>

#include "devices/program_image.h"
#include "link/board.h"
#include "ops/serial_eeprom_read.h"

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
  return static_cast<std::int32_t>((static_cast<std::int64_t>(codeSize) + pageBytes - 1) /
                                   pageBytes);
}

void SerialEepromWrite::Write24CXX(ProgrammingRun& run) {
  writePages(k24CXX, run);
}

void SerialEepromWrite::Write24C32(ProgrammingRun& run) {
  writePages(k24C32, run);
}

std::vector<std::uint8_t> SerialEepromWrite::bytesToWrite(std::int32_t count, bool erasing) const {
  // Past the code, a last partial page is filled up with the erased value.
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(count), kErasedValue);
  if (erasing) return bytes;
  const auto code = c_.buffers.codeImage();
  std::copy_n(code.begin(), std::min<std::size_t>(code.size(), bytes.size()), bytes.begin());
  return bytes;
}

bool SerialEepromWrite::send(std::uint8_t byte) {
  bus_.ProgramByte = byte;
  bus_.SendByte24CXX();
  return bus_.AckError == 0;
}

void SerialEepromWrite::writePages(const SerialPageLayout& layout, ProgrammingRun& run) {
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
  const auto bytes = bytesToWrite(pages * layout.pageBytes, erasing);
  board.OEOFF();
  c_.pause(kBusSettleMs);
  c_.panel.ProgressBar1.max = pages;
  for (std::int32_t page = 0; page < pages; ++page) {
    if (!writePage(layout, page * layout.pageBytes, bytes)) return;  // no stop condition
  }
  // A chip that stopped answering is reported by the caller; one that answered is read back.
  if (bus_.AckError == 0) readBack(bytes, run);
  board.Reg4 = kSdaLow;
  board.SetReg4();
  board.REG4ON();
}

bool SerialEepromWrite::writePage(const SerialPageLayout& layout, std::int32_t a,
                                  std::span<const std::uint8_t> bytes) {
  const std::int32_t hi = a / 256;
  const std::int32_t lo = a - hi * 256;
  const auto deviceByte =
      static_cast<std::uint8_t>(layout.twoAddressBytes ? kDeviceWrite : kDeviceWrite + 2 * hi);
  bus_.StartCondition24CXX();
  if (!send(deviceByte)) return false;
  if (layout.twoAddressBytes && !send(static_cast<std::uint8_t>(hi))) return false;
  if (!send(static_cast<std::uint8_t>(lo))) return false;
  for (std::int32_t i = 0; i < layout.pageBytes; ++i) {
    if (!send(bytes[static_cast<std::size_t>(a + i)])) return false;
  }
  bus_.StopCondition24CXX();
  c_.advanceProgress(1);
  pollWriteCycle(deviceByte);
  return true;
}

void SerialEepromWrite::readBack(std::span<const std::uint8_t> written, ProgrammingRun& run) {
  // A chip may acknowledge every byte and store none (write protection held on): only reading
  // it back shows that the write took.
  SerialEepromRead reader(c_.board, bus_, [this](int ms) { c_.pause(ms); });
  const auto mismatch = reader.Verify24CXX(c_.device.Routines.read, written,
                                           static_cast<std::int32_t>(written.size()), {}, true);
  if (!mismatch) return;
  c_.board.address.LinearAddress = *mismatch;  // DataByte holds the chip's byte there
  run.ProgramByte = written[static_cast<std::size_t>(*mismatch)];
  run.ReportProgramFailure();
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
