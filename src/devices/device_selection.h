#pragma once

#include "devices/device_buffers.h"
#include "devices/programming_options.h"
#include "link/board.h"
#include "panel/event_sounds.h"
#include "panel/lamps.h"
#include "panel/panel.h"
#include "panel/selected_device.h"
#include "panel/system_log.h"

namespace burnlab {

struct CatalogueRow;

// Chooses a voltage option as a click on it would (the window's option-group rule). The shell
// implements it; device selection and the setup slots choose through it.
class VoltageChooser {
 public:
  virtual ~VoltageChooser() = default;
  virtual void chooseVoltage(int index) = 0;
};

// The AT29C256's identification cycle, run when that row is chosen. The shell implements it
// with the flash commands, which lie above the devices.
class FlashIdentifier {
 public:
  virtual ~FlashIdentifier() = default;
  virtual void FlashIdCycle() = 0;
};

// The parts of the program a device choice changes: the board follows the device, the code
// buffer and the page scroll take its size, and the window offers what it allows.
struct DeviceSelectionParts {
  // What follows the device.
  SelectedDevice& device;
  Board& board;
  ProgrammingOptions& options;  // the delay counts
  // What takes its size.
  DeviceBuffers& buffers;
  // The window and its reports.
  Panel& panel;
  Lamps& lamps;
  SystemLog& log;
  EventSounds& sounds;
  // What a choice runs above the devices.
  VoltageChooser& voltage;
  FlashIdentifier& flashId;
};

// Choosing a device from the Device list: the catalogue row becomes the selected device, the
// board's address maps, delay factors and chip lines follow it, and the window offers what the
// device allows.
class DeviceSelection {
 public:
  explicit DeviceSelection(DeviceSelectionParts parts) : p_(parts) {}

  // The Device list: one entry per catalogue row, "N/A - " in front of the unsupported ones.
  void fillDeviceList();

  // The operator's opt-in: the flash rows that work on the simulated board but were never tried
  // on real hardware are listed without "N/A - " and may be chosen. Turning it off while one of
  // them is chosen leaves no device chosen.
  bool allowUntested = false;
  void setAllowUntested(bool allow);

  // Runs when the list position is set, by the operator or the program.
  void Device_Click();

 private:
  void showPrompt();
  void takeRow(const CatalogueRow& row);
  void chipLinesToIdle();
  void setBufferControls();
  void suggestVoltage();
  void enableLoadedBufferCommands();
  void report();

  DeviceSelectionParts p_;
};

}  // namespace burnlab
