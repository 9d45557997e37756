#pragma once

#include <array>
#include <cstdint>

#include "link/address_maps.h"
#include "link/board_indicators.h"
#include "link/busy_wait.h"
#include "link/device_address.h"
#include "link/port_io.h"

namespace burnlab {

// Register-select values of one board model: control-register value per board register with
// the write strobe inactive and active, and the two read-back nibble selects.
struct ControlValues {
  std::array<std::int16_t, 5> idle{};
  std::array<std::int16_t, 5> strobe{};
  std::int16_t readSelectLow = 0;
  std::int16_t readSelectHigh = 0;
};

// The programmer board as the program sees it: five write-only registers behind the parallel
// port, kept as shadows, the per-model register write protocol, the named line operations, the
// idle state and the busy-wait delays.
class Board {
 public:
  Board(PortIo& port, BoardIndicators& indicators) : port_(port), indicators_(indicators) {}

  // Port and model.
  std::int16_t PortBase = 0;     // 0x278, 0x378, 0x3BC; 0 = no port known
  std::int16_t PortStatus = 0;   // PortBase + 1
  std::int16_t PortControl = 0;  // PortBase + 2
  std::int16_t Model = 0;        // 0 none, 4, 5, 6

  // Register shadows: the last value written to each board register (0..255).
  std::int16_t Reg0 = 0, Reg1 = 0, Reg2 = 0, Reg3 = 0, Reg4 = 0;

  // The current model's register-select values, copied by SetupPortModel.
  std::array<std::int16_t, 5> CtrlIdle{};
  std::array<std::int16_t, 5> CtrlStrobe{};
  std::int16_t ReadSelectLow = 0;
  std::int16_t ReadSelectHigh = 0;

  // Delay bounds, set from the speed slider, and the per-device factors they derive from.
  std::int32_t ShortDelayCount = 0, MediumDelayCount = 0, LongDelayCount = 0;
  std::int32_t ShortDelayFactor = 5, MediumDelayFactor = 100, LongDelayFactor = 500;

  // 1 while Erase Chip runs: the serial-EEPROM writers send FFh instead of buffer data.
  std::int16_t EraseMode = 0;

  DeviceAddress address;
  AddressMaps maps;

  // The byte last read back from the socket's data bus.
  std::uint8_t DataByte = 0;

  // Sets PortBase and recomputes PortStatus and PortControl with it.
  void setPortBase(std::int16_t base);

  void InitControlTables();
  void SetupPortModel();

  void SetReg0() { writeRegister(0, Reg0); }
  void SetReg1() { writeRegister(1, Reg1); }
  void SetReg2() { writeRegister(2, Reg2); }
  void SetReg3() { writeRegister(3, Reg3); }
  void SetReg4() { writeRegister(4, Reg4); }

  void CEON();
  void CEOFF();
  void OEON();
  void OEOFF();
  void CEOEON();
  void CEOEOFF();
  void REG4ON();
  void REG4OFF();
  void VPP24_ON();
  void VPP24_OFF();
  void ActivityLineOn();
  void ActivityLineOff();
  void BlinkProgramLamp();
  void Reset();

  // Address loading (address_loading.cpp). SETADR and SETADR_FLASH load the current address
  // through the maps into registers 1, 2 and 3, always writing all three; SETADR_XICOR loads
  // it without maps and writes only the registers whose value changes. address.IncADR()
  // advances the address without writing.
  void SETADR();
  void SETADR_FLASH();
  void SETADR_XICOR();

  // Read-back (read_back.cpp): one data byte from two status reads, or only the high nibble
  // (the serial EEPROM's data line), into DataByte. Model 0 reads nothing.
  void GetNibbles();
  void GetNibbles24CXX();

  // Half a microsecond of a program pulse per count of DelayMedium and DelayLong: the time one
  // loop iteration took on the PCs the delay factors were chosen for, so that the speed
  // slider's default gives the datasheets' 100 us (50 us for the 27C080 class).
  static constexpr std::uint64_t kPulseNsPerCount = 500;
  // The longest a command cycle's DelayLoop300 may take: four of them come in each cycle, and
  // the X28C256 and AT29C256 close their byte load when no byte comes within 100 us (150 us).
  static constexpr std::uint64_t kCommandLoopMaxNs = 10'000;

  // The plain counting loops: they only space port accesses, each of which takes about a
  // microsecond on a real port.
  void DelayShort() { delay_.run(ShortDelayCount); }
  void DelayLoop20() { delay_.run(20); }
  void DelayLoop10() { delay_.run(10); }
  void DelayLoop100() { delay_.run(100); }
  void DelayLoop10000() { delay_.run(10000); }
  void WaitSettlingTime() { delay_.run(ShortDelayFactor * 100); }
  // The program pulses: their counts' iterations, then busy-waiting until the count x 0.5 us
  // have passed, so that a pulse lasts its width on any PC.
  void DelayMedium() { delay_.runPaced(MediumDelayCount, kPulseNsPerCount); }
  void DelayLong() { delay_.runPaced(LongDelayCount, kPulseNsPerCount); }
  // The page writers' command-cycle loop: 300 iterations, but never more than 10 us.
  void DelayLoop300() { delay_.runBounded(300, kCommandLoopMaxNs); }

  // The delay loops' counter: total iterations run, and the value the last loop left.
  const BusyWait& delays() const { return delay_; }
  // Tells `observer` of every delay loop from now on (a simulated board's clock).
  void observeDelays(BusyWaitObserver* observer) { delay_.observe(observer); }
  // The clock the program pulses and the bounded loops read (the machine's steady clock until
  // told otherwise). It must outlive the board.
  void paceDelaysWith(PaceClock& clock) { delay_.paceWith(clock); }

  // The two constant tables filled by InitControlTables, per model family.
  const ControlValues& model4Values() const { return model4_; }
  const ControlValues& model56Values() const { return model56_; }

  PortIo& port() { return port_; }

 private:
  void writeRegister(int index, std::int16_t value);

  PortIo& port_;
  BoardIndicators& indicators_;
  BusyWait delay_;
  ControlValues model4_;
  ControlValues model56_;
};

}  // namespace burnlab
