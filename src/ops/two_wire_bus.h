#pragma once

#include <cstdint>
#include <functional>

namespace burnlab {

class Board;

// The two-wire bus of the serial EEPROMs, bit-banged through the board: SCL is the chip-enable
// line (CEON drives it low, CEOFF lets it rise), SDA out is bit 7 of register 4 while the
// register-4 drive is on, SDA in is bit 7 of the read-back. Each edge is one register write.
class TwoWireBus {
 public:
  using Sleep = std::function<void(int milliseconds)>;
  TwoWireBus(Board& board, Sleep sleep) : board_(board), sleep_(std::move(sleep)) {}

  void StartCondition24CXX();
  void StopCondition24CXX();
  // Clocks ProgramByte out, most significant bit first, then takes the acknowledge.
  void SendByte24CXX();
  // Samples SDA for the acknowledge, up to 200 times 1 ms apart, then gives the ninth clock.
  void GetAck24CXX();
  // Clocks ProgramByte out and samples SDA once: DataByte 00h acknowledged, 80h not.
  void SendBytePoll24CXX();
  // Clocks a byte in, most significant bit first, into DataByte; the caller acknowledges.
  void ReadByte24CXX();
  // The master's acknowledge: SDA low during one clock.
  void acknowledgeByMaster();
  // The board as the serial commands leave it: SCL and OE asserted, address registers zero.
  void leaveIdle();

  std::uint8_t ProgramByte = 0;
  // 0 when the last acknowledge came, else the samples taken without one.
  std::int16_t AckError = 0;

 private:
  void setSda(std::uint8_t level);
  void clockOut();

  Board& board_;
  Sleep sleep_;
};

}  // namespace burnlab
