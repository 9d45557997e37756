#pragma once

#include <array>
#include <cstdint>

#include "ops/operation_context.h"
#include "ops/operation_reports.h"
#include "ops/two_wire_bus.h"

namespace burnlab {

// Taking data out of the chip: Read copies the whole chip into the code buffer; Display reads
// the page at the scroll position live, and scrolling then reads further pages.
class DeviceReading {
 public:
  DeviceReading(OperationContext& context, OperationReports& reports, TwoWireBus& bus)
      : c_(context), reports_(reports), bus_(bus) {}

  CommandOutcome Read_button_Click();
  void ReadCode();
  void ReadParallelDevice();
  void ReadSerialDevice();
  void ReadData();

  void Display_button_Click();
  void DisplayEprom();

  // Whether the selected device has a routine to read its code, and to display it live: the
  // others get a "Routine Not Ready" box, or nothing at all.
  bool hasReadRoutine() const;
  bool hasDisplayRoutine() const;

  // The page DisplayEprom read last.
  std::array<std::uint8_t, 257> EpromPage{};

 private:
  void startRead();
  void showReadResult();
  void enableBufferCommands();

  OperationContext& c_;
  OperationReports& reports_;
  TwoWireBus& bus_;
};

// The text of a live page: the code page layout, with bytes 20h to 7Ah shown as themselves and
// every other byte as ".".
std::string livePageText(std::span<const std::uint8_t> page, std::int32_t pageIndex);

}  // namespace burnlab
