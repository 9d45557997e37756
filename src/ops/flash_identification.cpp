#include "ops/flash_identification.h"

#include <array>
#include <cstdio>
#include <tuple>

#include "link/board.h"

namespace burnlab {
namespace {

constexpr std::int16_t kIdentify = 0x90;
constexpr std::int16_t kReadArray = 0xF0;
constexpr int kModeChangeMs = 20;
constexpr std::int16_t kBusDriven = 0x40;  // register 3 bit 6, the REG4 line, active low
// A maker code of a later bank of the JEDEC list is preceded by this continuation code; the
// EN29F040 gives it at 000h and 001h, and its maker and device codes at 100h and 101h (A8 high).
constexpr std::uint8_t kContinuationCode = 0x7F;
constexpr std::int32_t kCodesAfterContinuation = 0x100;

// Two upper-case hex digits each, zero-padded: maker 01h and device 20h give "0120".
std::string idText(std::uint8_t first, std::uint8_t second) {
  char text[5];
  std::snprintf(text, sizeof text, "%02X%02X", first, second);
  return text;
}

}  // namespace

std::span<const FlashIdentity> FlashIdentification::identities() {
  // Sector size times sectors is the chip's size in bytes (words for the 29C1024).
  static constexpr std::array<FlashIdentity, 13> kIdentities{{
      {"1C04", "EON EN29F040 Flash Memory", 512, 1024},
      {"0120", "AMD am29F010 Flash Memory", 512, 256},
      {"01A4", "AMD am29F040 Flash Memory", 512, 1024},
      {"3786", "AMIC A29040 Flash Memory", 512, 1024},
      {"37A4", "AMIC A29010 Flash Memory", 512, 256},
      {"1F5B", "ATMEL 29C040 Flash Memory", 512, 1024},
      {"1FA4", "ATMEL 29C040A Flash Memory", 256, 2048},
      {"1FDA", "ATMEL 29C020 Flash Memory", 256, 1024},
      {"1F25", "ATMEL 29C1024 Flash Memory", 128, 512},
      {"1FD5", "ATMEL 29C010 Flash Memory", 128, 1024},
      {"1F5D", "ATMEL 29C512 Flash Memory", 128, 512},
      {"1FDC", "ATMEL 29C256 Flash Memory", 64, 512},
      {"0134", "AMD am29F020 Flash Memory", 512, 512},
  }};
  return kIdentities;
}

bool FlashIdentification::makerAccepted(std::uint8_t maker) {
  return makerPolled(maker) || maker == 0x1F;
}

bool FlashIdentification::makerPolled(std::uint8_t maker) {
  return maker == 0x37 || maker == 0x01 || maker == 0x1C;
}

CommandOutcome FlashIdentification::menuFlashShowCodeID_Click() {
  c_.checkStop();  // a stop asked before it began: nothing is written
  c_.log.LogLine("Reading Flash Code ID_________________ wait");
  ReadFlashCodeId();
  if (c_.device.Routines.identify == IdentifyRoutine::None) {
    return CommandOutcome::notSupported("flash identification");
  }
  if (FlashSectorSize == 0) return CommandOutcome::failed("the flash chip's ID is not known");
  return CommandOutcome::succeeded();
}

void FlashIdentification::ReadFlashCodeId() {
  FlashSectorSize = 0;
  FlashSectorCount = 0;
  if (c_.device.Routines.identify == IdentifyRoutine::None) return;
  commands_.earlierUnlock = false;
  identify();
  // Nothing but the array's own bytes: perhaps a chip of an earlier revision, which takes its
  // commands only at 5555h and 2AAAh. One more try there.
  if (FlashId == FlashCode && c_.device.Routines.identify != IdentifyRoutine::AT29C256Commands) {
    const auto later = std::tuple{FlashMakerCode, FlashDeviceCode, FlashId, FlashCode};
    commands_.earlierUnlock = true;
    identify();
    if (FlashId == FlashCode) {
      commands_.earlierUnlock = false;
      std::tie(FlashMakerCode, FlashDeviceCode, FlashId, FlashCode) = later;
    } else {
      c_.log.LogLine(
          "The chip answers its commands at 5555h/2AAAh (an earlier revision): "
          "they go there from now on");
    }
  }
  logIdentity();
  c_.board.ActivityLineOff();
}

void FlashIdentification::identify() {
  auto& board = c_.board;
  board.Reset();  // address 0
  board.ActivityLineOn();
  board.OEOFF();
  const auto codes = readIdentificationBytes();
  FlashMakerCode = codes.maker;
  FlashDeviceCode = codes.device;
  c_.pause(kModeChangeMs);  // the second of two pauses after the return to the array
  FlashCode = readDataBytes();
  FlashId = idText(FlashMakerCode, FlashDeviceCode);
}

FlashIdentification::Codes FlashIdentification::readIdentificationBytes() {
  auto& board = c_.board;
  commands_.FlashCommand = kIdentify;
  commands_.SendFlashCommand();
  releaseBusBeforeReading();
  board.CEOEON();
  board.REG4OFF();
  board.SETADR_FLASH();
  board.GetNibbles();
  Codes codes{.maker = board.DataByte};
  board.address.IncADR();
  board.SETADR_FLASH();
  board.GetNibbles();
  codes.device = board.DataByte;
  if (codes.maker == kContinuationCode) {
    board.address.LinearAddress = kCodesAfterContinuation;
    board.address.Endereco2Adr();
    board.SETADR_FLASH();
    board.GetNibbles();
    codes.maker = board.DataByte;
    board.address.IncADR();
    board.SETADR_FLASH();
    board.GetNibbles();
    codes.device = board.DataByte;
  }
  board.OEOFF();
  commands_.FlashCommand = kReadArray;
  commands_.SendFlashCommand();
  c_.pause(kModeChangeMs);
  return codes;
}

void FlashIdentification::releaseBusBeforeReading() {
  // The AT29C256's command cycles leave the board driving the data bus: it is released before
  // the chip is told to output, or both would drive it at once.
  if ((c_.board.Reg3 & kBusDriven) == 0) c_.board.REG4OFF();
}

std::string FlashIdentification::readDataBytes() {
  auto& board = c_.board;
  auto& address = board.address;
  // The address bytes go back to 0; LinearAddress is left as it is.
  address.AddrLow = address.AddrMid = address.AddrHigh = 0;
  releaseBusBeforeReading();
  board.CEOEON();
  board.SETADR_FLASH();
  board.GetNibbles();
  const auto first = board.DataByte;
  address.IncADR();
  board.SETADR_FLASH();
  board.GetNibbles();
  board.CEOEOFF();
  return idText(first, board.DataByte);
}

void FlashIdentification::logIdentity() {
  if (FlashId == FlashCode) c_.log.LogLine("*** Not a Flash Unit, Address 00&01 = FlashCode ***");
  for (const auto& identity : identities()) {
    if (identity.id != FlashId) continue;
    c_.log.LogLine("Device ID# " + FlashId + " - " + std::string(identity.name));
    FlashSectorSize = identity.sectorSize;
    FlashSectorCount = identity.sectors;
  }
  if (FlashSectorSize == 0) c_.log.LogLine("Device ID# " + FlashId + " - " + " Not Valid!!!");
}

void FlashIdentification::FlashIdCycle() {
  readIdentificationBytes();  // the bytes are not kept
}

}  // namespace burnlab
