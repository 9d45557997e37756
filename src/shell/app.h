#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "buffers/buffer_commands.h"
#include "buffers/buffers.h"
#include "buffers/hex_display.h"
#include "devices/device_selection.h"
#include "devices/programming_options.h"
#include "link/board.h"
#include "link/board_indicators.h"
#include "link/port_io.h"
#include "ops/blank_check.h"
#include "ops/board_self_test.h"
#include "ops/device_compare.h"
#include "ops/device_programming.h"
#include "ops/device_reading.h"
#include "ops/device_verify.h"
#include "ops/erase_chip.h"
#include "ops/flash_devices.h"
#include "ops/operation_context.h"
#include "ops/operation_reports.h"
#include "ops/operation_stop.h"
#include "ops/stop_request.h"
#include "ops/two_wire_bus.h"
#include "panel/about_box.h"
#include "panel/dialogs.h"
#include "panel/event_sounds.h"
#include "panel/lamps.h"
#include "panel/panel.h"
#include "panel/platform.h"
#include "panel/selected_device.h"
#include "panel/system_log.h"
#include "panel/view.h"
#include "shell/buffers_for_device.h"
#include "shell/hardware_detection.h"
#include "shell/platform_pace_clock.h"
#include "shell/port_config_file.h"
#include "shell/setup_slots.h"

namespace burnlab {

// The seams through which the program meets the world.
struct AppSeams {
  PortIo& port;
  Platform& platform;
  Dialogs& dialogs;
  View& view;
};

// Owns one of each part of the program and wires them together. A test builds a fresh App on
// a simulated board, a virtual clock and scripted dialogs, and throws it away afterwards.
class App final : private BoardIndicators,
                  private BoardReset,
                  private FlashIdentifier,
                  private ChipPageReader,
                  private SetupEvents {
 public:
  explicit App(AppSeams seams);

  // Start-up, as the main window loads.
  void Form_Load();
  // Shutdown, as the main window unloads.
  void Form_Unload();

  // A port problem found by the port layer: shown once in the log and the status bar. Until
  // start-up has run it waits, since start-up empties the log, so that the operator sees it.
  void reportPortProblem(const std::string& problem);

  // Operator actions as the window hands them over, by the control's name ("Read_button",
  // "LPTSelection(1)", "tbToolBar(4)", "mnuHelpAbout"). A click on an option button chooses
  // it, a click on a check box toggles it, and each runs the handler the control has.
  void click(const std::string& control);
  void doubleClick(const std::string& control);
  // A menu is being opened ("Setup" fills its Load entries).
  void menuOpened(const std::string& menu);
  // The operator set a value: the Device list position, Slider1 or VScroll1.
  void valueChosen(const std::string& control, std::int32_t value);
  // The status bar's date and time panels show the present moment.
  void showClock();

  // Runs an operator action or a device command (OperationStop::run) and returns its outcome.
  // When a stop request ends it, the board is reset, the run's lamps go dark, the bar empties
  // and the outcome is Stopped; the request stays set, so that the caller decides what the stop
  // means (the terminal exits, the window's events log it and clear it).
  CommandOutcome runStoppable(const std::function<CommandOutcome()>& action);

  // Changes made by the program that a window toolkit answers with an event, as it would.
  // Setting the Device list position runs Device_Click.
  void setDeviceListIndex(std::int32_t index);
  // Choosing an option clears the others of its group and, when it was not chosen before,
  // runs the group's click handler. (The port options: hardware.selectLPTOption.)
  void chooseVoltage_button(int index);
  void chooseHiLow_button(int index);

  // Handlers of the window's events that other parts of the program answer. Each one does
  // nothing until its part is built; start-up and the menus already call them in their place.
  // The device commands return what they came to.
  void Device_Click();
  void Voltage_button_Click(int index);
  void Slider1_Change();
  CommandOutcome Read_button_Click();
  CommandOutcome Blank_button_Click();
  CommandOutcome Verify_button_Click();
  CommandOutcome Program_button_Click();
  void Display_button_Click();
  CommandOutcome EraseFlash_button_Click();
  void Command1_Click();
  CommandOutcome menuFlashShowCodeID_Click();
  void LoopFlashTest_Click();
  void ResetFlash_Click();
  // Our own entry: the opt-in to the flash chips never tried on real hardware, toggled and
  // remembered in the settings store.
  void menuAllowUntested_Click();
  // The opt-in as a command line or the settings store gives it: the entry ticked and the
  // Device list filled to match.
  void allowUntestedDevices(bool allow);
  void Setup_Click();
  void SaveSetup1_Click();
  void SaveSetup2_Click();
  void SaveSetup3_Click();
  void SaveSetup4_Click();
  void LoadSetup1_Click();
  void LoadSetup2_Click();
  void LoadSetup3_Click();
  void LoadSetup4_Click();

  // Compare Device with Buffer, a command of our own beside the system's menus: every
  // difference logged, the first hundred listed. It can run whenever Verify can.
  void compareDeviceWithBuffer();
  bool canCompareDeviceWithBuffer() const;

  // Setup > Test the Board..., a command of our own: the board checks its own read-back path,
  // its port and the chip in the socket (`chipReads` reads; 0: none). A stop ends it with the
  // board reset; boardTest.report() says what it found.
  void testTheBoard(int chipReads);

  // Menus, help and About.
  void mnuHelpContents_Click();
  void mnuHelpSearchForHelpOn_Click();
  void mnuHelpAbout_Click();
  void mnuToolsOptions_Click();
  void mnuFileExit_Click();
  // The About window's buttons; it unloads by "OK" or its close box.
  void cmdSysInfo_Click();
  void frmAbout_Unload() { frmAbout.reset(); }

  // The help file, in the program's folder; empty: the program has no help.
  std::string helpFileName = "burnlab5.hlp";
  // The About window while it is loaded.
  std::optional<AboutBox> frmAbout;

  AppSeams seams;
  Panel panel;
  PlatformPaceClock paceClock;  // the board's program pulses keep the platform's time
  Board board;
  SystemLog log;
  Lamps lamps;
  EventSounds sounds;
  PortConfigFile portConfig;   // burnlab6.ini
  HardwareDetection hardware;  // the board search, port choice and forced models
  SelectedDevice device;       // filled by device selection; empty: no device chosen
  Buffers buffers;
  HexDisplay hexDisplay;
  BufferCommands bufferCommands;
  ProgrammingOptions options;         // voltage, byte lane, speed; the program image
  StopRequest stopRequest;            // asks the running device command to end
  OperationContext operations;        // what the device commands work with
  BuffersForDevice buffersForDevice;  // the buffers as a device choice sees them
  DeviceSelection selection;          // the Device list and Device_Click
  OperationReports reports;           // not blank, mismatch, no acknowledge
  OperationStop stopping;             // Stop: the way out of a running command
  TwoWireBus twoWire;                 // the serial EEPROMs' bus
  DeviceReading reading;              // Read and the live Display
  BlankCheck blankCheck;
  DeviceVerify verify;
  DeviceCompare compare;          // every difference between the chip and the buffer
  X28C256Eeprom x28c256;          // its page writes and data protection
  FlashDevices flash;             // the flash chips' identification, programming and erase
  SerialEepromWrite serialWrite;  // the serial EEPROMs' page writes
  DeviceProgramming programming;
  EraseChip erasing;        // Erase Chip
  BoardSelfTest boardTest;  // Test the Board
  SetupSlots setups;        // the four setup slots of the Setup menu

 private:
  void toggleProgramLamp() override { lamps.toggleProgramLamp(); }
  void resetProgressBar() override;
  // What the rooms below ask of the App, through their small interfaces.
  void resetBoard() override { board.Reset(); }
  void FlashIdCycle() override { flash.identification.FlashIdCycle(); }
  void DisplayEprom() override { reading.DisplayEprom(); }
  void chooseVoltage(int index) override { chooseVoltage_button(index); }
  void chooseDevice(std::int32_t listIndex) override { setDeviceListIndex(listIndex); }
  void chooseLPTOption(int index) override { hardware.selectLPTOption(index); }
  void chooseHiLow(int index) override { chooseHiLow_button(index); }
  void sliderChanged() override { Slider1_Change(); }
  void showPortProblem(const std::string& problem);
  void dispatchClick(const std::string& control);
  // An event handler that a stop request may end: the request is spent with the event.
  void runEvent(const std::function<void()>& handler);
  void openHelp(HelpCommand command);

  void placeHexDisplayFrame();

  // Start-up steps that other parts of the program fill in as they are built.
  void fillDeviceList();

  bool started_ = false;  // start-up has run: port problems show at once from now on
  std::vector<std::string> pendingPortProblems_;
};

}  // namespace burnlab
