#include "link/board.h"

namespace burnlab {
namespace {

constexpr std::int16_t kCeBit = 0x80;     // Reg3: CE, active low
constexpr std::int16_t kReg4Bit = 0x40;   // Reg3: REG4 line, active low
constexpr std::int16_t kVpp24Bit = 0x80;  // Reg0: programming voltage on the VPP24 line
constexpr std::int16_t kOeBit = 0x40;     // Reg0: OE, active low
constexpr std::int16_t kActivityBit = 0x08;

std::uint8_t lowByte(std::int16_t value) {
  return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

void Board::setPortBase(std::int16_t base) {
  PortBase = base;
  PortStatus = static_cast<std::int16_t>(base + 1);
  PortControl = static_cast<std::int16_t>(base + 2);
}

void Board::InitControlTables() {
  // Bit 0 strobes, bits 3..1 select the register; models 5 and 6 see every line inverted.
  model4_.idle = {0x0A, 0x02, 0x08, 0x00, 0x0E};
  model4_.strobe = {0x0B, 0x03, 0x09, 0x01, 0x0F};
  model4_.readSelectLow = 0;
  model4_.readSelectHigh = 4;
  model56_.idle = {0x05, 0x0D, 0x07, 0x0F, 0x01};
  model56_.strobe = {0x04, 0x0C, 0x06, 0x0E, 0x00};
  model56_.readSelectLow = 5;
  model56_.readSelectHigh = 1;
}

void Board::SetupPortModel() {
  setPortBase(PortBase);
  const ControlValues* values = nullptr;
  if (Model == 4) values = &model4_;
  if (Model == 5 || Model == 6) values = &model56_;
  if (!values) return;  // no model: the select values keep what they held
  CtrlIdle = values->idle;
  CtrlStrobe = values->strobe;
  ReadSelectLow = values->readSelectLow;
  ReadSelectHigh = values->readSelectHigh;
}

void Board::writeRegister(int index, std::int16_t value) {
  const auto base = static_cast<std::uint16_t>(PortBase);
  const auto control = static_cast<std::uint16_t>(PortControl);
  port_.PortOut(base, lowByte(value));
  DelayShort();
  port_.PortOut(control, lowByte(CtrlIdle[index]));
  DelayShort();
  // The strobe pulse lasts exactly two consecutive port writes.
  port_.PortOut(control, lowByte(CtrlStrobe[index]));
  port_.PortOut(control, lowByte(CtrlIdle[index]));
}

void Board::CEON() {
  Reg3 &= ~kCeBit;
  SetReg3();
}

void Board::CEOFF() {
  Reg3 |= kCeBit;
  SetReg3();
}

void Board::OEON() {
  Reg0 &= ~(kVpp24Bit | kOeBit);
  SetReg0();
}

void Board::OEOFF() {
  Reg0 |= kOeBit;
  SetReg0();
}

void Board::CEOEON() {
  Reg3 &= ~kCeBit;
  Reg0 &= ~(kVpp24Bit | kOeBit);
  SetReg3();
  SetReg0();
}

void Board::CEOEOFF() {
  Reg3 |= kCeBit;
  Reg0 |= kOeBit;
  SetReg3();
  SetReg0();
}

void Board::REG4ON() {
  Reg3 &= ~kReg4Bit;
  SetReg3();
}

void Board::REG4OFF() {
  Reg3 |= kReg4Bit;
  SetReg3();
}

void Board::VPP24_ON() {
  Reg0 |= kVpp24Bit | kOeBit;
  SetReg0();
}

void Board::VPP24_OFF() {
  Reg0 &= ~(kVpp24Bit | kOeBit);
  SetReg0();
}

void Board::ActivityLineOn() {
  Reg0 |= kActivityBit;
  SetReg0();
}

void Board::ActivityLineOff() {
  Reg0 &= ~kActivityBit;
  SetReg0();
}

void Board::BlinkProgramLamp() {
  indicators_.toggleProgramLamp();
  Reg0 ^= kActivityBit;
  SetReg0();
}

void Board::Reset() {
  Reg0 = 0x40;  // OE released, VPP24 off, activity line 0
  SetReg0();
  address.LinearAddress = 0;
  address.Endereco2Adr();
  Reg1 = static_cast<std::int16_t>(address.AddrMid | address.Reg1Extra);  // no address map here
  SetReg1();
  Reg2 = static_cast<std::int16_t>(address.AddrLow);
  SetReg2();
  Reg3 = static_cast<std::int16_t>(address.Reg3Extra | 0xC4);  // CE and REG4 released, bit 2 high
  SetReg3();
  indicators_.resetProgressBar();
  EraseMode = 0;
}

}  // namespace burnlab
