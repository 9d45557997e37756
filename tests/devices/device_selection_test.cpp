// Choosing a device: every selectable row, the refusal of unsupported rows, the log lines and
// what the board and the window are left with.
#include <gtest/gtest.h>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

struct Expected {
  const char* part;
  const char* code;
  std::int32_t size;
  std::int32_t shortFactor, mediumFactor, longFactor;
  const char* voltagesEnabled;  // "5V", "12.5V" or "12.5V 21V 25V"
  int voltageChosen;
  bool eraseChip;
  bool blankCheck;
};

const Expected kSelectable[] = {
    {"2732A", "P1", 4096, 50, 20000, 100000, "12.5V 21V 25V", 1, false, true},
    {"2732B", "P1", 4096, 50, 20000, 100000, "12.5V", 1, false, true},
    {"2732", "P1", 4096, 50, 20000, 100000, "12.5V 21V 25V", 1, false, true},
    {"27C32", "P1", 4096, 50, 20000, 100000, "12.5V 21V 25V", 1, false, true},
    {"2764", "P2", 8192, 50, 20000, 100000, "12.5V 21V 25V", 1, false, true},
    {"27C64", "P2", 8192, 50, 20000, 100000, "12.5V", 1, false, true},
    {"27128", "P3", 16384, 5, 100, 500, "12.5V 21V 25V", 1, false, true},
    {"27C128", "P3", 16384, 5, 100, 500, "12.5V", 1, false, true},
    {"27256", "P4", 32768, 5, 100, 500, "12.5V 21V 25V", 1, false, true},
    {"27C256", "P4", 32768, 5, 100, 500, "12.5V", 1, false, true},
    {"27C512", "P5", 65536, 5, 100, 500, "12.5V", 1, false, true},
    {"27C1001", "P6", 131072, 5, 100, 500, "12.5V", 1, false, true},
    {"27C010", "P6", 131072, 5, 100, 500, "12.5V", 1, false, true},
    {"27C2001", "P7", 262144, 5, 100, 500, "12.5V", 1, false, true},
    {"27C020", "P7", 262144, 5, 100, 500, "12.5V", 1, false, true},
    {"27C4001", "P8", 524288, 5, 100, 500, "12.5V", 1, false, true},
    {"27C040", "P8", 524288, 5, 100, 500, "12.5V", 1, false, true},
    {"27C801", "P9", 1048576, 2, 50, 250, "12.5V", 1, false, true},
    {"27C080", "P9", 1048576, 2, 50, 250, "12.5V", 1, false, true},
    {"X28C256", "EN", 32768, 5, 100, 500, "5V", 0, true, true},
    {"24C08", "SA", 1024, 5, 100, 500, "5V", 0, true, false},
    {"24C16", "SB", 2048, 5, 100, 500, "5V", 0, true, false},
    {"24C32", "SC", 4096, 5, 100, 500, "5V", 0, true, false},
};

std::string enabledVoltages(const Panel& panel) {
  std::string enabled;
  for (const auto& option : panel.Voltage_button) {
    if (!option.enabled) continue;
    if (!enabled.empty()) enabled += " ";
    enabled += option.caption;
  }
  return enabled;
}

int chosenVoltage(const Panel& panel) {
  for (int i = 0; i < 4; ++i) {
    if (panel.Voltage_button[i].checked) return i;
  }
  return -1;
}

TEST(DeviceSelection, EverySelectableRowSetsItsDeviceAndItsControls) {
  for (const auto& e : kSelectable) {
    SimulatedApp f({.start = true, .slider = {}});
    f.choose(e.part);
    const auto& panel = f.app.panel;
    const auto& board = f.app.board;
    SCOPED_TRACE(panel.Device.items[rowOf(e.part)]);
    EXPECT_EQ(f.app.device.DeviceCode, e.code);
    EXPECT_EQ(f.app.buffers.CodeSize, e.size);
    EXPECT_EQ(f.app.device.DeviceSize, e.size);
    EXPECT_EQ(board.ShortDelayFactor, e.shortFactor);
    EXPECT_EQ(board.MediumDelayFactor, e.mediumFactor);
    EXPECT_EQ(board.LongDelayFactor, e.longFactor);
    EXPECT_EQ(enabledVoltages(panel), e.voltagesEnabled);
    EXPECT_EQ(chosenVoltage(panel), e.voltageChosen);
    EXPECT_EQ(panel.EraseFlash_button.enabled, e.eraseChip);
    EXPECT_EQ(panel.menuEraseFlash.enabled, e.eraseChip);
    EXPECT_EQ(panel.Blank_button.enabled, e.blankCheck);
    EXPECT_TRUE(panel.Read_button.enabled);
    EXPECT_TRUE(panel.Display_button.enabled);
    EXPECT_FALSE(panel.Program_button.enabled);  // nothing loaded yet
    EXPECT_EQ(panel.VScroll1.max, e.size / 256 - 1);
    EXPECT_FALSE(panel.PleaseSelect.visible);
    EXPECT_TRUE(panel.FrameVoltageSelection.visible);
    EXPECT_EQ(panel.Show_button.caption, "Show Code");
    EXPECT_EQ(f.platform.sounds.back().filename(), "done.wav");
    // The delay counts follow the new factors at the slider's start position 18.
    EXPECT_EQ(board.ShortDelayCount, 2 * e.shortFactor + 2);
  }
}

TEST(DeviceSelection, OnlyTheX28C256OffersToProtectItselfAndTheChoiceOutlivesOtherDevices) {
  SimulatedApp f({.start = true, .slider = {}});
  auto& entry = f.app.panel.menuProtectEeprom;
  f.choose("X28C256");
  EXPECT_TRUE(entry.enabled);
  f.app.click("menuProtectEeprom");
  EXPECT_TRUE(entry.checked);
  f.choose("24C16");
  EXPECT_FALSE(entry.enabled);
  f.app.click("menuProtectEeprom");  // a disabled entry takes no clicks
  f.choose("X28C256");
  EXPECT_TRUE(entry.checked);
  f.app.click("menuProtectEeprom");
  EXPECT_FALSE(entry.checked);
}

TEST(DeviceSelection, Eprom27C256LogsVoltageSelectionAndSizeInOrder) {
  SimulatedApp f({.start = true, .slider = {}});
  f.choose("27C256");
  EXPECT_EQ(f.app.panel.SystemLog.text,
            "\r\n12:34:56>  Most Common Programming Voltage Selected: 12.5 Volts!!!"
            "\r\n12:34:56>  Device Eprom 27C256 was Selected"
            "\r\n12:34:56>  Device Size is: 32768 Bytes, Initial VPP suggested: 12.5V");
  EXPECT_EQ(f.app.device.ProgVoltage, 12);
  EXPECT_EQ(f.app.board.address.Reg1Extra, 128);
  EXPECT_EQ(f.app.board.address.Reg3Extra, 2);
}

TEST(DeviceSelection, ASerialEepromLeavesClockAndDataAssertedAndLogsNoVoltage) {
  SimulatedApp f({.start = true, .slider = {}});
  f.port.clear();
  f.choose("24C08");
  EXPECT_EQ(f.app.board.Reg3 & 0x80, 0);  // CE (the clock line) asserted
  EXPECT_EQ(f.app.board.Reg0 & 0x40, 0);  // OE asserted
  EXPECT_EQ(f.port.lines.size(), 16u);    // CEOFF, OEOFF, CEON, OEON
  EXPECT_EQ(f.app.panel.SystemLog.text.find("Voltage"), std::string::npos);
  EXPECT_NE(f.app.panel.SystemLog.text.find("1024 Bytes, Initial VPP suggested: 5V"),
            std::string::npos);
}

TEST(DeviceSelection, TheX28C256MapsAddressBitFourteenOntoRegisterOneBitSeven) {
  SimulatedApp f({.start = true, .slider = {}});
  f.choose("X28C256");
  EXPECT_EQ(f.app.board.maps.Reg1AddressMap[63], 63);
  EXPECT_EQ(f.app.board.maps.Reg1AddressMap[64], 128);
  EXPECT_EQ(f.app.board.maps.Reg1AddressMap[127], 191);
  EXPECT_EQ(f.app.board.address.Reg1Extra, 64);
  f.choose("27C256");
  EXPECT_EQ(f.app.board.maps.Reg1AddressMap[64], 64);
}

TEST(DeviceSelection, AnUnsupportedRowAfterAValidDeviceKeepsThatDeviceAndLogsNothing) {
  SimulatedApp f({.start = true, .slider = {}});
  f.choose("27C256");
  const auto log = f.app.panel.SystemLog.text;
  f.port.clear();
  f.choose("AT29C256");
  EXPECT_EQ(f.app.panel.Device.listIndex, -1);
  EXPECT_EQ(f.app.panel.Device.text, "Please Select Device on this List");
  EXPECT_EQ(f.app.device.DeviceCode, "P4");
  EXPECT_EQ(f.app.buffers.CodeSize, 32768);
  EXPECT_TRUE(f.app.panel.Read_button.enabled);
  EXPECT_EQ(f.app.panel.SystemLog.text, log);
  EXPECT_TRUE(f.port.lines.empty());
}

TEST(DeviceSelection, ALoadedCodeImageKeepsItsCommandsAcrossTheSelection) {
  SimulatedApp f({.start = true, .slider = {}});
  f.app.buffers.CodeLoaded = 1;
  f.choose("27C080");
  EXPECT_TRUE(f.app.panel.Program_button.enabled);
  EXPECT_TRUE(f.app.panel.Verify_button.enabled);
  EXPECT_TRUE(f.app.panel.Erase_button.enabled);
  EXPECT_TRUE(f.app.panel.menuProgramCode.enabled);
  EXPECT_EQ(f.app.panel.VScroll1.max, 4095);
}

TEST(ProgrammingOptions, HighVoltagesWarnAndFiveVoltsKeepsTheLastVoltage) {
  SimulatedApp f({.start = true, .slider = {}});
  f.choose("27256");
  f.app.chooseVoltage_button(3);
  EXPECT_EQ(f.app.device.ProgVoltage, 25);
  EXPECT_NE(f.app.panel.SystemLog.text.find(
                "BE CAREFULL!!! You just Selected Programming Voltage as 25 Volts!!!"),
            std::string::npos);
  f.app.Voltage_button_Click(0);
  EXPECT_EQ(f.app.device.ProgVoltage, 25);
}

TEST(ProgrammingOptions, TheSliderLogsRecomputesAndPlaysTheSlideSound) {
  SimulatedApp f({.start = true, .slider = {}});
  f.choose("27C256");
  f.app.valueChosen("Slider1", 9);
  EXPECT_EQ(f.app.board.LongDelayCount, 5502);
  EXPECT_EQ(f.app.board.MediumDelayCount, 1102);
  EXPECT_EQ(f.app.board.ShortDelayCount, 1102);
  EXPECT_NE(f.app.panel.SystemLog.text.find("Program Speed Slider set to: 9"), std::string::npos);
  EXPECT_EQ(f.platform.sounds.back().filename(), "slide.wav");
}

// The program pulse each class of device gets, on the platform's clock: 0.5 us a count, so
// the default slider gives the datasheets' widths and the fastest setting 1 us pulses.
TEST(ProgrammingOptions, TheSliderSetsProgramPulsesOfAFixedWidthPerDeviceClass) {
  struct Case {
    const char* part;
    std::int32_t slider;
    std::uint64_t mediumNs, longNs;
  };
  const Case cases[] = {
      {"27C256", 18, 101'000, 501'000},      {"27C256", 20, 1'000, 1'000},
      {"27C256", 1, 951'000, 4'751'000},     {"27C801", 18, 51'000, 251'000},
      {"27C801", 20, 1'000, 1'000},          {"27C801", 1, 476'000, 2'376'000},
      {"2764", 18, 20'001'000, 100'001'000}, {"2764", 20, 1'000, 1'000},
      {"2764", 1, 190'001'000, 950'001'000},
  };
  for (const auto& c : cases) {
    SimulatedApp f({.start = true, .slider = {}});
    f.choose(c.part);
    f.app.valueChosen("Slider1", c.slider);
    SCOPED_TRACE(f.app.panel.Device.items[rowOf(c.part)] + " at " + std::to_string(c.slider));
    const auto ran = f.app.board.delays().iterations();
    f.app.board.DelayMedium();
    EXPECT_EQ(f.platform.lastSpinNs, c.mediumNs);
    EXPECT_EQ(f.app.board.delays().iterations() - ran,
              static_cast<std::uint64_t>(f.app.board.MediumDelayCount));
    f.app.board.DelayLong();
    EXPECT_EQ(f.platform.lastSpinNs, c.longNs);
  }
}

}  // namespace
}  // namespace burnlab::testing
