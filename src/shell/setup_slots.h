#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "buffers/buffer_commands.h"
#include "buffers/buffers.h"
#include "devices/device_selection.h"
#include "panel/dialogs.h"
#include "panel/panel.h"
#include "panel/platform.h"
#include "panel/system_log.h"

namespace burnlab {

// What a restore's changes to the window run, as the same change made in the window would. The
// App implements it. Each choose... chooses an option of its group; its click runs when it was
// not chosen before.
class SetupEvents : public VoltageChooser {
 public:
  virtual void chooseDevice(std::int32_t listIndex) = 0;  // runs device selection
  virtual void chooseLPTOption(int index) = 0;
  virtual void chooseHiLow(int index) = 0;
  virtual void sliderChanged() = 0;  // Slider1's value was changed
};

// The four setup slots: the operator's working configuration (code file, device, voltage,
// automatic blank check and verify, port, byte lane, speed, code/data choice) saved under a name
// in BLSetup1.INI .. BLSetup4.INI in the setup folder (the working folder, or the user's
// configuration folder for an installed program), and restored from there.
class SetupSlots {
 public:
  struct Parts {
    Panel& panel;
    Buffers& buffers;
    SystemLog& log;
    Dialogs& dialogs;
    Platform& platform;
    BufferCommands& bufferCommands;
    SetupEvents& events;
  };
  explicit SetupSlots(Parts parts) : p_(std::move(parts)) {}

  // The "&Setup" menu opens: each Load entry whose slot has a file shows the slot's name.
  void Setup_Click();

  // Asks for a name and writes the current configuration into slot file `fileName`.
  void SaveSetupRot(const std::string& fileName);
  // Restores the configuration of slot file `fileName`, line by line in file order, then loads
  // its code file. False when the slot could not be read (nothing changed then) or its code file
  // was refused.
  bool LoadSetupRot(const std::string& fileName);

  // Slot 1..4.
  void saveSlot(int slot);
  bool loadSlot(int slot);

 private:
  std::string setupText(const std::string& name) const;
  void applyLine(std::string_view line);
  bool restoreCodeFile();
  void reportFileProblem(const std::string& logLine, const std::string& message,
                         const std::string& title);

  Parts p_;
  // The code file a restore names; set by its "sFILE = " line.
  std::filesystem::path restoredCodeFile_;
};

}  // namespace burnlab
