#include "ops/serial_eeprom_read.h"

#include <algorithm>

#include "link/board.h"

namespace burnlab {
namespace {

constexpr std::uint8_t kDeviceWrite = 0xA0;
constexpr std::uint8_t kDeviceRead = 0xA1;

std::int32_t boundedCount(std::int32_t codeSize, std::size_t bufferSize) {
  return std::clamp<std::int64_t>(codeSize, 0, static_cast<std::int64_t>(bufferSize));
}

}  // namespace

bool SerialEepromRead::send(std::uint8_t byte) {
  bus_.ProgramByte = byte;
  bus_.SendByte24CXX();
  return bus_.AckError == 0;
}

bool SerialEepromRead::startReadingAtZero(ReadRoutine routine) {
  board_.OEOFF();
  sleep_(50);
  bus_.StartCondition24CXX();
  if (!send(kDeviceWrite) || !send(0x00)) return false;
  // The 24C32 takes the high address byte first.
  if (routine == ReadRoutine::TwoWireWordAddress && !send(0x00)) return false;
  bus_.StartCondition24CXX();
  if (!send(kDeviceRead)) return false;
  board_.REG4OFF();
  board_.Reg4 = 0x00;
  board_.SetReg4();
  return true;
}

void SerialEepromRead::Read24CXX(ReadRoutine routine, std::span<std::uint8_t> buffer,
                                 std::int32_t codeSize, const Progress& progress) {
  if (!startReadingAtZero(routine)) return;
  const std::int32_t count = boundedCount(codeSize, buffer.size());
  for (std::int32_t a = 0; a < count; ++a) {
    if (a % 16 == 0 && progress) progress();
    bus_.ReadByte24CXX();
    bus_.acknowledgeByMaster();
    buffer[static_cast<std::size_t>(a)] = board_.DataByte;
  }
  bus_.StopCondition24CXX();
}

std::optional<std::int32_t> SerialEepromRead::Verify24CXX(ReadRoutine routine,
                                                          std::span<const std::uint8_t> buffer,
                                                          std::int32_t codeSize,
                                                          const Progress& progress,
                                                          bool lastNotAcknowledged) {
  if (!startReadingAtZero(routine)) return std::nullopt;
  const std::int32_t count = boundedCount(codeSize, buffer.size());
  for (std::int32_t a = 0; a < count; ++a) {
    if (a % 16 == 0 && progress) progress();
    bus_.ReadByte24CXX();
    if (lastNotAcknowledged && a == count - 1) {
      board_.CEOFF();  // the ninth clock with SDA released: no acknowledge
      board_.CEON();
    } else {
      bus_.acknowledgeByMaster();
    }
    if (buffer[static_cast<std::size_t>(a)] != board_.DataByte) return a;  // no stop condition
  }
  bus_.StopCondition24CXX();
  return std::nullopt;
}

}  // namespace burnlab
