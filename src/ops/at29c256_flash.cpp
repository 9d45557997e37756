#include "ops/at29c256_flash.h"

#include <array>

#include "devices/program_speed.h"
#include "link/board.h"

namespace burnlab {
namespace {

// The software chip erase: two unlock cycles, the erase set-up, two more unlock cycles and the
// chip erase command.
constexpr CommandCycle kChipErase[] = {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x80},
                                       {0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, 0x10}};
// The erase times itself; its datasheet gives 10 ms, and the maker's note on the software chip
// erase a maximum tEC of 20 ms, during which no byte may be loaded.
constexpr int kChipEraseMs = 20;

}  // namespace

std::int16_t At29c256Flash::highAddressLines(std::int32_t addressByte) {
  return static_cast<std::int16_t>(addressByte);
}

// The datasheet's program cycle lasts up to 10 ms and starts when no byte has been loaded for
// 150 us: kPageWriteCycleMs, 11 whole milliseconds, cover both.
const PageWriteChip At29c256Flash::kChip{
    &Board::SETADR_FLASH,
    &At29c256Flash::highAddressLines,
    0x80,
    50,
    kPageWriteCycleMs,
    "Programming Atmel AT29C256",
    "FLASH Atmel AT29C256 Programmed Sucessfully",
};

void At29c256Flash::SendCommandAT29C256(std::uint8_t command) {
  const CommandCycle cycles[] = {{0x5555, 0xAA}, {0x2AAA, 0x55}, {0x5555, command}};
  page_.sendCommands(cycles);
}

void At29c256Flash::EraseAT29C256(ProgrammingRun& run) {
  auto& board = c_.board;
  c_.log.LogLine("Erasing Atmel AT29C256");
  page_.sendCommands(kChipErase, kChipEraseMs);
  if (const auto unerased = firstUnerasedByte()) {
    run.ProgramByte = 0xFF;
    run.ReportProgramFailure();  // LinearAddress and DataByte stand at that byte
    return;
  }
  c_.log.LogLine("FLASH Atmel AT29C256 Erased");
  board.Reset();
}

std::optional<std::int32_t> At29c256Flash::firstUnerasedByte() {
  static const std::array<std::uint8_t, kPageWritePages* kPageWriteBytes> kErased = [] {
    std::array<std::uint8_t, kPageWritePages * kPageWriteBytes> erased{};
    erased.fill(0xFF);
    return erased;
  }();
  for (std::int32_t page = 0; page < kPageWritePages; ++page) {
    page_.selectPage(page);
    if (const auto mismatch = page_.firstMismatch(page, kErased)) return mismatch;
    if (page % kPagesPerBarStep == 0) c_.checkStop();
  }
  return std::nullopt;
}

}  // namespace burnlab
