#pragma once

#include <string>

#include "buffers/buffers.h"
#include "link/device_address.h"
#include "panel/dialogs.h"
#include "panel/event_sounds.h"
#include "panel/panel.h"
#include "panel/platform.h"
#include "panel/selected_device.h"
#include "panel/system_log.h"

namespace burnlab {

// Redraws the chip page at the scroll position: the device read, which lies above the buffers.
// The shell implements it.
class ChipPageReader {
 public:
  virtual ~ChipPageReader() = default;
  virtual void DisplayEprom() = 0;
};

// The hex/ASCII page in BufferDisplay: which buffer it shows, the page VScroll1 selects, and
// saving the shown page to BURNLAB.BUF. Every redraw renders the one page in view and points the
// device address at its first byte. The board's model, for the saved file, is read as it is then.
class HexDisplay {
 public:
  HexDisplay(Panel& panel, const Buffers& buffers, const SelectedDevice& device,
             DeviceAddress& address, const std::int16_t& model, SystemLog& log, EventSounds& sounds,
             Dialogs& dialogs, Platform& platform, ChipPageReader& chipPage)
      : panel_(panel),
        buffers_(buffers),
        device_(device),
        address_(address),
        model_(model),
        log_(log),
        sounds_(sounds),
        dialogs_(dialogs),
        platform_(platform),
        chipPage_(chipPage) {}

  // What a scroll redraws: "Read" the buffer page, "DisplayEprom" a page read from the chip
  // (by the device read), empty (at start-up) nothing.
  std::string DisplaySource;

  // The buffer page: the data page while a microcontroller shows its data view, else the code
  // page.
  void DisplayPageMemory();
  void DisplayCodeMemory();
  void DisplayDataMemory();

  // Switches a microcontroller between its code and data views and returns to page 0.
  void Show_button_Click();

  // Moves VScroll1 as the operator or the program does: the value stays within the range, and
  // VScroll1_Change runs only when it really changed.
  void setScrollValue(std::int32_t value);
  // A new maximum; a value above it moves down with it, which is a change of the value.
  void setScrollMax(std::int32_t maximum);
  void VScroll1_Change();

  // Saves the shown page to BURNLAB.BUF in the working folder.
  void BufferDisplay_DblClick();
  // The file's contents for the shown page: four header lines, the page, CR LF.
  std::string bufferFileContents();

 private:
  // Sets LinearAddress to the first address of the page and splits it.
  void pointAddressAt(std::int32_t firstAddress);
  // The highest value VScroll1 accepts: its maximum, or its minimum while the maximum is below.
  std::int32_t highestScrollValue() const;

  Panel& panel_;
  const Buffers& buffers_;
  const SelectedDevice& device_;
  DeviceAddress& address_;
  const std::int16_t& model_;
  SystemLog& log_;
  EventSounds& sounds_;
  Dialogs& dialogs_;
  Platform& platform_;
  ChipPageReader& chipPage_;
};

}  // namespace burnlab
