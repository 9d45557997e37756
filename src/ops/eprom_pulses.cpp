#include "ops/eprom_pulses.h"

#include "devices/program_speed.h"

namespace burnlab {
namespace {

constexpr std::int16_t kPgm2764Bit = 0x40;   // Reg1 bit 6: socket pin 29, PGM of 2764/27128
constexpr std::int16_t kPgm27010Bit = 0x04;  // Reg3 bit 2: socket pin 31, PGM of 27C010/020

}  // namespace

void EpromPulses::presentByte() {
  auto& board = c_.board;
  board.REG4ON();
  board.Reg4 = run_.ProgramByte;
  board.SetReg4();
}

void EpromPulses::releaseBus() {
  // The board stops driving the bus before the chip turns its outputs on: a line the byte pulls
  // low that the chip drives high would be fought over until the read-back released it.
  c_.board.REG4OFF();
}

void EpromPulses::programDelay(bool lengthened) {
  c_.board.DelayMedium();
  if (lengthened) c_.board.DelayLong();
}

void EpromPulses::verifyWithOutputsOn() {
  auto& board = c_.board;
  board.DelayLoop20();
  releaseBus();
  board.OEON();
  run_.ReadBackByte();
  board.OEOFF();
}

void EpromPulses::endOeVppPulseAndVerify() {
  auto& board = c_.board;
  board.CEOFF();
  board.VPP24_OFF();
  releaseBus();
  board.CEON();
  board.DelayLoop20();
  run_.ReadBackByte();
}

void EpromPulses::pulse2732(bool) {
  auto& board = c_.board;
  board.Reg4 = run_.ProgramByte;
  board.SetReg4();
  board.CEOFF();  // a second attempt finds the outputs on: off before the board drives the byte
  board.REG4ON();
  board.VPP24_ON();  // VPP on the OE/VPP pin, which also releases OE
  board.CEON();
  c_.pause(k2732PulseMs);
  endOeVppPulseAndVerify();
}

void EpromPulses::pulse2764_128(bool lengthened) {
  auto& board = c_.board;
  presentByte();
  board.Reg1 &= ~kPgm2764Bit;
  board.SetReg1();
  programDelay(lengthened);
  board.Reg1 |= kPgm2764Bit;
  board.SetReg1();
  verifyWithOutputsOn();
}

void EpromPulses::pulse27256_040(bool lengthened) {
  auto& board = c_.board;
  presentByte();
  board.CEOEOFF();
  board.CEON();
  programDelay(lengthened);
  board.CEOFF();
  verifyWithOutputsOn();
}

void EpromPulses::pulse27080(bool lengthened) {
  auto& board = c_.board;
  board.Reg4 = run_.ProgramByte;
  board.SetReg4();
  // VPP onto OE/VPP first: it turns the outputs off (a second attempt finds them on) before the
  // board drives the byte.
  board.VPP24_ON();
  board.REG4ON();
  board.CEON();
  programDelay(lengthened);
  endOeVppPulseAndVerify();
}

void EpromPulses::pulse27010_020(bool lengthened) {
  auto& board = c_.board;
  presentByte();
  board.Reg3 &= ~kPgm27010Bit;
  board.SetReg3();
  programDelay(lengthened);
  board.Reg3 |= kPgm27010Bit;
  board.SetReg3();
  verifyWithOutputsOn();
}

}  // namespace burnlab
