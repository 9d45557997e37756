#include "ops/flash_erase.h"

#include <algorithm>

#include "link/board.h"
#include "ops/whole_chip_scan.h"

namespace burnlab {
namespace {

constexpr std::int16_t kEraseSetup = 0x80;
constexpr std::int16_t kChipErase = 0x10;
constexpr std::int16_t kReadArray = 0xF0;
// Status bits read while the chip's erase runs: DQ7 reads 0 until the erase is over, when the
// erased array (FFh) reads instead; DQ5 becomes 1 when the chip gave up.
constexpr std::uint8_t kDq7 = 0x80;
constexpr std::uint8_t kDq5 = 0x20;
constexpr int kWaitRounds = 500;
constexpr int kWaitRoundMs = 5;

}  // namespace

void FlashErase::EraseFlashChip(ProgrammingRun& run) {
  auto& board = c_.board;
  c_.log.LogLine("Erasing Flash Chip... Wait");
  board.Reset();
  // The six cycles of the chip erase: unlock, erase set-up, unlock, chip erase.
  commands_.FlashCommand = kEraseSetup;
  commands_.SendFlashCommand();
  commands_.FlashCommand = kChipErase;
  commands_.SendFlashCommand();
  if (!waitForErase()) {
    // The chip answers with its status until it is reset: the report shows what address 0
    // holds once it reads its array again.
    resetToArray();
    readArrayByteZero();
    reportFailure(run, 0, "*** Flash Chip Erase did not End ***");
    return;
  }
  if (const auto unerased = firstUnerasedByte(); unerased >= 0) {
    reportFailure(run, unerased, "*** Flash Chip Erase Left a Byte Unerased ***");
    return;
  }
  c_.log.LogLine("Flash Chip Erased");
  board.Reset();
}

bool FlashErase::waitForErase() {
  auto& board = c_.board;
  board.address.LinearAddress = 0;
  board.address.Endereco2Adr();
  board.SETADR_FLASH();  // the registers back in step with their shadows
  board.REG4OFF();
  board.CEON();
  c_.setProgress(0, 100);
  bool done = false;
  for (int waitedMs = 0;; waitedMs += kStatusPollMs) {
    board.OEON();
    board.GetNibbles();
    if ((board.DataByte & kDq7) == 0 && (board.DataByte & kDq5) != 0) {
      board.GetNibbles();  // DQ7 may change together with DQ5: read once more
    }
    board.OEOFF();
    if ((board.DataByte & kDq7) != 0) {
      done = true;
      break;
    }
    if ((board.DataByte & kDq5) != 0 || waitedMs >= kChipEraseLongestMs) break;
    c_.pause(kStatusPollMs);
    c_.setProgressValue(std::min(99, waitedMs * 100 / kChipEraseTypicalMs));
  }
  board.CEOFF();
  board.REG4ON();
  return done;
}

std::int32_t FlashErase::firstUnerasedByte() {
  auto& board = c_.board;
  board.address.LinearAddress = 0;
  board.address.Endereco2Adr();
  board.SETADR_FLASH();
  board.REG4OFF();
  board.CEOEON();
  const std::int32_t pages = c_.device.DeviceSize / kPageBytes;
  c_.setProgress(0, pages);
  const bool erased = scanWholeChip(
      board, pages, [this] { c_.advanceProgress(1); }, [](Board& b) { return b.DataByte == 0xFF; });
  board.CEOEOFF();
  return erased ? -1 : scanAddress(board);
}

void FlashErase::resetToArray() {
  commands_.FlashCommand = kReadArray;
  commands_.SendFlashCommand();
}

void FlashErase::readArrayByteZero() {
  auto& board = c_.board;
  board.address.LinearAddress = 0;
  board.address.Endereco2Adr();
  board.SETADR_FLASH();  // the registers back in step after the command cycles
  board.REG4OFF();
  board.CEOEON();
  board.GetNibbles();
  board.CEOEOFF();
  board.REG4ON();
}

void FlashErase::reportFailure(ProgrammingRun& run, std::int32_t address, const char* why) {
  c_.log.LogLine(why);
  c_.board.address.LinearAddress = address;
  run.ProgramByte = 0xFF;
  run.ReportProgramFailure();
  // A chip that gave up answers with its status until it is reset to reading its array.
  resetToArray();
}

std::int32_t FlashErase::WaitFlashData(std::uint8_t programByte) {
  auto& board = c_.board;
  c_.panel.ProgressBar1.max = 100;
  board.REG4OFF();
  board.CEON();
  std::int32_t rounds = kWaitRounds;
  while (rounds >= 1) {
    board.OEON();
    board.GetNibbles();
    board.OEOFF();
    if (board.DataByte == programByte) break;
    c_.pause(kWaitRoundMs);
    c_.setProgressValue(100 - rounds / 5);
    --rounds;
  }
  board.CEOFF();
  board.REG4ON();
  c_.setProgressValue(0);
  return rounds;
}

}  // namespace burnlab
