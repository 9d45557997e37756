#pragma once

#include <functional>

#include "ops/operation_context.h"

namespace burnlab {

struct CatalogueRow;

// Choosing a device from the Device list: the catalogue row becomes the selected device, the
// board's address maps, delay factors and chip lines follow it, and the window offers what the
// device allows.
class DeviceSelection {
 public:
  explicit DeviceSelection(OperationContext& context) : p_(context) {}

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

  OperationContext& p_;
};

}  // namespace burnlab
