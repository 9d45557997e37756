#include "ops/flash_command.h"

#include "link/board.h"

namespace burnlab {
namespace {

constexpr std::int16_t kWriteEnable = 0x04;  // register 3 bit 2, active low

// Register 3 during a command cycle: the board drives the data bus (bit 6 clear), the high
// address lines are zero, and chip enable (bit 7) and write enable (bit 2) are each asserted
// by clearing them.
constexpr std::uint8_t kIdle = 0x84;
constexpr std::uint8_t kChipEnabled = 0x04;
constexpr std::uint8_t kChipAndWriteEnabled = 0x00;

}  // namespace

void FlashCommandCycles::writeDirect(int index, std::uint8_t value) {
  auto& board = c_.board;
  auto& port = board.port();
  port.PortOut(static_cast<std::uint16_t>(board.PortBase), value);
  const auto control = static_cast<std::uint16_t>(board.PortControl);
  port.PortOut(control,
               static_cast<std::uint8_t>(board.CtrlStrobe[static_cast<std::size_t>(index)]));
  port.PortOut(control, static_cast<std::uint8_t>(board.CtrlIdle[static_cast<std::size_t>(index)]));
}

void FlashCommandCycles::writeCycle(std::uint8_t data, std::uint8_t addressHigh,
                                    std::uint8_t addressLow) {
  writeDirect(4, data);
  writeDirect(1, addressHigh);
  writeDirect(2, addressLow);
  // The chip latches the address on the later falling edge of CE and WE, and the data on the
  // first rising edge.
  writeDirect(3, kChipEnabled);
  writeDirect(3, kChipAndWriteEnabled);
  writeDirect(3, kChipEnabled);
  writeDirect(3, kIdle);
}

void FlashCommandCycles::SendFlashCommand() {
  if (c_.device.Routines.identify == IdentifyRoutine::AT29C256Commands) {
    at29c256_.SendCommandAT29C256(static_cast<std::uint8_t>(FlashCommand));
    return;
  }
  c_.board.OEOFF();
  writeDirect(3, kIdle);
  // 0555h and 02AAh, or 5555h and 2AAAh for the earlier revisions (the later ones take those as
  // well: they decode A0..A10 only).
  const std::uint8_t first = earlierUnlock ? 0x55 : 0x05;
  const std::uint8_t second = earlierUnlock ? 0x2A : 0x02;
  writeCycle(0xAA, first, 0x55);
  writeCycle(0x55, second, 0xAA);
  writeCycle(static_cast<std::uint8_t>(FlashCommand & 0xFF), first, 0x55);
}

void FlashCommandCycles::FlashWriteEnableOn() {
  auto& board = c_.board;
  const auto& address = board.address;
  board.Reg3 = static_cast<std::int16_t>(
      (board.Reg3 | board.maps.Reg3AddressMap[address.AddrHigh & 0xFF] | address.Reg3Extra) &
      ~kWriteEnable & 0xFF);
  board.SetReg3();
}

void FlashCommandCycles::FlashWriteEnableOff() {
  auto& board = c_.board;
  const auto& address = board.address;
  board.Reg3 =
      static_cast<std::int16_t>(board.Reg3 | board.maps.Reg3AddressMap[address.AddrHigh & 0xFF] |
                                address.Reg3Extra | kWriteEnable);
  board.SetReg3();
}

void FlashCommandCycles::ResetFlash_Click() {
  auto& board = c_.board;
  board.CEOFF();
  board.OEOFF();
  board.Reg4 = 0xF0;
  board.SetReg4();
  FlashWriteEnableOn();
  board.CEON();
  board.CEOFF();
  FlashWriteEnableOff();
}

}  // namespace burnlab
