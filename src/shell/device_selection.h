#pragma once

#include <functional>

#include "buffers/buffers.h"
#include "shell/event_sounds.h"
#include "shell/hex_display.h"
#include "shell/lamps.h"
#include "shell/panel.h"
#include "shell/programming_options.h"
#include "shell/selected_device.h"
#include "shell/system_log.h"

namespace burnlab {

class Board;
struct CatalogueRow;

// Choosing a device from the Device list: the catalogue row becomes the selected device, the
// board's address maps, delay factors and chip lines follow it, and the window offers what the
// device allows.
class DeviceSelection {
 public:
  struct Parts {
    Panel& panel;
    Board& board;
    Buffers& buffers;
    SelectedDevice& device;
    SystemLog& log;
    Lamps& lamps;
    EventSounds& sounds;
    HexDisplay& display;
    ProgrammingOptions& options;
  };
  explicit DeviceSelection(Parts parts) : p_(parts) {}

  // The Device list: one entry per catalogue row, "N/A - " in front of the unsupported ones.
  void fillDeviceList();

  // Runs when the list position is set, by the operator or the program.
  void Device_Click();

  // Chooses a voltage option as a click on it would (the window's option-group rule).
  std::function<void(int)> chooseVoltage;
  // The AT29C256's identification cycle, run when that row is chosen.
  std::function<void()> FlashIdCycle;

 private:
  void showPrompt();
  void takeRow(const CatalogueRow& row);
  void chipLinesToIdle();
  void enableDeviceCommands();
  void setBufferControls();
  void suggestVoltage();
  void enableLoadedBufferCommands();
  void report();

  Parts p_;
};

}  // namespace burnlab
