#include "link/board.h"
#include "link/read_back_tables.h"

namespace burnlab {
namespace {

bool isModel56(std::int16_t model) {
  return model == 5 || model == 6;
}

}  // namespace

void Board::GetNibbles() {
  if (!isModel56(Model) && Model != 4) return;
  // The select value routes a nibble to the status lines; it is read at once, without delay.
  const auto control = static_cast<std::uint16_t>(PortControl);
  const auto status = static_cast<std::uint16_t>(PortStatus);
  port_.PortOut(control, static_cast<std::uint8_t>(ReadSelectLow & 0xFF));
  const std::uint8_t s1 = port_.PortIn(status);
  port_.PortOut(control, static_cast<std::uint8_t>(ReadSelectHigh & 0xFF));
  const std::uint8_t s2 = port_.PortIn(status);
  if (Model == 4) {
    DataByte = Model4ReadDecode[(s1 >> 4) | (s2 & 0xF0)];
  } else {
    DataByte = static_cast<std::uint8_t>(StatusLowNibble[s1] | StatusHighNibble[s2]);
  }
}

void Board::GetNibbles24CXX() {
  if (!isModel56(Model) && Model != 4) return;
  port_.PortOut(static_cast<std::uint16_t>(PortControl),
                static_cast<std::uint8_t>(ReadSelectHigh & 0xFF));
  const std::uint8_t s = port_.PortIn(static_cast<std::uint16_t>(PortStatus));
  DataByte = Model == 4 ? Model4ReadDecode[s & 0xF0] : StatusHighNibble[s];
}

}  // namespace burnlab
