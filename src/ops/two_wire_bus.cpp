#include "ops/two_wire_bus.h"

#include "link/board.h"

namespace burnlab {
namespace {

constexpr std::uint8_t kSdaHigh = 0x80;
constexpr std::uint8_t kSdaLow = 0x00;
constexpr int kAckSamples = 200;

}  // namespace

void TwoWireBus::setSda(std::uint8_t level) {
  board_.Reg4 = level;
  board_.SetReg4();
}

void TwoWireBus::StartCondition24CXX() {
  // SDA falls while SCL is high, then SCL goes low.
  board_.CEON();
  setSda(kSdaHigh);
  board_.REG4ON();
  board_.CEOFF();
  setSda(kSdaLow);
  board_.CEON();
}

void TwoWireBus::StopCondition24CXX() {
  // SDA rises while SCL is high, then SCL goes low.
  board_.CEON();
  setSda(kSdaLow);
  board_.REG4ON();
  board_.CEOFF();
  setSda(kSdaHigh);
  board_.CEON();
}

void TwoWireBus::clockOut() {
  board_.REG4ON();
  board_.Reg4 = ProgramByte;
  for (int bit = 0; bit < 8; ++bit) {
    // The data is set up while SCL is low and taken on the rising edge.
    board_.SetReg4();
    board_.CEOFF();
    board_.CEON();
    board_.Reg4 = static_cast<std::int16_t>((board_.Reg4 * 2) & 0xFF);
  }
}

void TwoWireBus::SendByte24CXX() {
  clockOut();
  GetAck24CXX();
}

void TwoWireBus::GetAck24CXX() {
  board_.REG4OFF();
  AckError = 0;
  std::uint8_t sda = kSdaHigh;
  do {
    ++AckError;
    board_.GetNibbles24CXX();
    sda = board_.DataByte & kSdaHigh;
    if (sda == 0) {
      AckError = 0;
    } else {
      sleep_(1);
    }
  } while (sda != 0 && AckError < kAckSamples);
  board_.CEOFF();  // the ninth clock
  board_.CEON();
}

void TwoWireBus::SendBytePoll24CXX() {
  clockOut();
  board_.REG4OFF();
  sleep_(1);
  board_.GetNibbles24CXX();
  board_.DataByte &= kSdaHigh;
}

void TwoWireBus::ReadByte24CXX() {
  int value = 0;
  board_.REG4OFF();
  for (int bit = 0; bit < 8; ++bit) {
    board_.CEON();
    board_.CEOFF();
    board_.GetNibbles24CXX();
    value = value * 2 + (board_.DataByte & kSdaHigh) / 128;
  }
  board_.CEON();
  board_.DataByte = static_cast<std::uint8_t>(value);
}

void TwoWireBus::leaveIdle() {
  board_.CEON();
  board_.OEON();
  board_.Reg1 = 0;
  board_.Reg2 = 0;
  board_.SetReg1();
  board_.SetReg2();
}

void TwoWireBus::acknowledgeByMaster() {
  board_.REG4ON();
  board_.CEOFF();
  board_.CEON();
}

}  // namespace burnlab
