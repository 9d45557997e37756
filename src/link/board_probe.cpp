#include "link/board_probe.h"

#include "link/hex_text.h"

namespace burnlab {
namespace {

// Both status reads of a probe keep bits 6..4: an answering board shows them all 0 after data
// 00h and all 1 after data FFh.
constexpr int kAnswerBits = 0x70;
constexpr int kAnswered = 0x70;

// The raw accesses of a probe: every write is one port access, nothing goes through the shadows.
class RawPort {
 public:
  explicit RawPort(Board& board) : board_(board) {}
  void data(std::uint8_t value) { board_.port().PortOut(address(board_.PortBase), value); }
  void control(std::uint8_t value) { board_.port().PortOut(address(board_.PortControl), value); }
  int answerBits() { return board_.port().PortIn(address(board_.PortStatus)) & kAnswerBits; }

 private:
  static std::uint16_t address(std::int16_t value) { return static_cast<std::uint16_t>(value); }
  Board& board_;
};

// Answers on models 5 and 6: latches 9Fh into register 3 (REG4 line asserted), then drives the
// socket bus through register 4 with 00h and FFh and reads the low nibble each time.
int probeA(Board& board) {
  RawPort raw(board);
  raw.data(0x9F);
  raw.control(0x0E);
  raw.control(0x00);
  raw.data(0x00);
  raw.control(0x06);
  board.WaitSettlingTime();
  int answer = raw.answerBits() * 256;
  raw.control(0x00);
  raw.data(0xFF);
  raw.control(0x06);
  board.WaitSettlingTime();
  answer += raw.answerBits();
  return answer;
}

// Answers on model 4, with model 4's control values whatever the current model.
int probeB(Board& board) {
  RawPort raw(board);
  raw.control(9);  // register 2 strobe
  raw.data(0xBF);
  raw.control(1);  // register 3 strobe
  raw.control(9);
  raw.data(0x00);
  raw.control(15);  // register 4 strobe
  raw.control(9);
  board.WaitSettlingTime();
  int answer = raw.answerBits() * 256;
  raw.data(0xFF);
  raw.control(15);
  raw.control(9);
  board.WaitSettlingTime();
  answer += raw.answerBits();
  raw.control(8);  // register 2 idle
  return answer;
}

// Model 6 pulls data line D4 low while register 3 bit 5 is set and the REG4 line released: with
// it raised the bus reads EFh, with it lowered FFh. Model 5 reads FFh both times. Register 3
// also carries the chip's CE line (bit 7, active low), and the search never sets register 0's
// OE line: a chip in the socket whose OE happens to be asserted (as a board just switched on
// may hold it, or as a failed blank check leaves it) would drive the bus too and make a model 6
// look like a model 5. So both values keep CE released (bit 7 set): the socket stays quiet.
constexpr std::uint8_t kIdentifyRaised = 0xE0;   // CE and REG4 released, bit 5 set
constexpr std::uint8_t kIdentifyLowered = 0xC0;  // CE and REG4 released, bit 5 clear

bool answersAsModel6(Board& board) {
  // The read needs the model-5/6 read-select values. They are set up here, before the board's
  // model is set up, so that a first search does not read with the values of no model at all
  // (and report a model-6 board as model 5).
  board.ReadSelectLow = board.model56Values().readSelectLow;
  board.ReadSelectHigh = board.model56Values().readSelectHigh;
  RawPort raw(board);
  raw.data(kIdentifyRaised);
  raw.control(0x0E);
  raw.control(0x00);
  board.GetNibbles();
  const auto first = board.DataByte;
  raw.data(kIdentifyLowered);
  raw.control(0x0E);
  raw.control(0x00);
  board.GetNibbles();
  return first == 0xEF && board.DataByte == 0xFF;
}

}  // namespace

void CheckHardware(Board& board, std::int16_t& HardwareFoundPort, ProbeDisplay& display) {
  board.setPortBase(board.PortBase);
  display.DataFlowLampOn();
  const int a = probeA(board);
  const int b = probeB(board);
  display.DataFlowLampOff();
  if (a == kAnswered) {
    board.Model = 5;
    HardwareFoundPort = board.PortBase;
  }
  if (b == kAnswered) {
    HardwareFoundPort = board.PortBase;
    board.Model = 4;
  }
  // Also runs on the ports probed after a model-5 board was found earlier in the same search.
  if (board.Model == 5 && answersAsModel6(board)) board.Model = 6;
  if (a != kAnswered && b != kAnswered) {
    display.LogLine("Port " + hexText(board.PortBase) + " Not Responding");
  }
}

}  // namespace burnlab
