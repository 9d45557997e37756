#pragma once

#include <algorithm>
#include <cstdint>

#include "link/board.h"
#include "panel/platform.h"

namespace burnlab {

inline constexpr std::int32_t kPageBytes = 256;
inline constexpr std::int32_t kBankPages = 256;

// The 256-byte pages a whole-chip loop visits for `codeSize` bytes: rounded up to whole pages,
// and never past `limit` bytes (the end of the buffer or image the loop fills or compares
// with). A code file longer than the chip is scanned whole all the same: past the chip's size
// its address lines wrap, and the scan shows what the chip answers there.
inline std::int32_t scanPageCount(std::int32_t codeSize, std::int32_t limit) {
  const std::int64_t wanted = (static_cast<std::int64_t>(codeSize) + kPageBytes - 1) / kPageBytes;
  const std::int64_t room = limit / kPageBytes;
  return static_cast<std::int32_t>(std::max<std::int64_t>(0, std::min(wanted, room)));
}

// The board ready for a whole-chip loop from address 0: reset, the address loaded, half a
// second for the chip to settle, the bus released, chip and output enable asserted (they stay
// so for the whole loop).
inline void startWholeChipScan(Board& board, Platform& platform) {
  board.Reset();
  board.address.LinearAddress = 0;
  board.address.Endereco2Adr();
  board.SETADR();
  platform.Sleep(500);
  board.REG4OFF();
  board.CEOEON();
}

// The bank/page/byte loop that reads, blank-checks and verifies a parallel chip. Chip and
// output enable stay asserted throughout; only register 2 changes per byte, register 1 per page
// and register 3 per 64 KiB bank, and `onPage` runs once per page (the progress bar). The loop
// variables are the board's own: AddrHigh, AddrMid and the Reg2 shadow. `onByte(board)` sees
// the byte in DataByte and returns false to leave all three loops at once; the registers then
// still address the byte that stopped it. Returns true when every page was visited.
template <typename OnPage, typename OnByte>
bool scanWholeChip(Board& board, std::int32_t pageCount, OnPage onPage, OnByte onByte) {
  auto& address = board.address;
  const std::int32_t lastBank = pageCount > 0 ? (pageCount - 1) / kBankPages : -1;
  for (address.AddrHigh = 0; address.AddrHigh <= lastBank; ++address.AddrHigh) {
    board.Reg3 = static_cast<std::int16_t>((board.Reg3 & 0xF0) |
                                           board.maps.Reg3AddressMap[address.AddrHigh & 0xFF] |
                                           address.Reg3Extra);
    board.SetReg3();
    const std::int32_t pagesHere = std::min(kBankPages, pageCount - address.AddrHigh * kBankPages);
    for (address.AddrMid = 0; address.AddrMid < pagesHere; ++address.AddrMid) {
      board.Reg1 =
          static_cast<std::int16_t>(board.maps.Reg1AddressMap[address.AddrMid] | address.Reg1Extra);
      board.SetReg1();
      onPage();
      for (board.Reg2 = 0; board.Reg2 <= 255; ++board.Reg2) {
        board.SetReg2();
        board.GetNibbles();
        if (!onByte(board)) return false;
      }
    }
  }
  return true;
}

// The chip address the loop stands at: AddrHigh x 65536 + AddrMid x 256 + Reg2.
inline std::int32_t scanAddress(const Board& board) {
  return board.address.AddrHigh * 65536 + board.address.AddrMid * 256 + board.Reg2;
}

}  // namespace burnlab
