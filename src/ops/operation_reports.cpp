#include "ops/operation_reports.h"

#include "link/hex_text.h"

namespace burnlab {
namespace {

const std::string kAsterisks(50, '*');

}  // namespace

void OperationReports::ReportNotBlank(std::int32_t address) {
  c_.raiseErrorAlert("the device is not blank at " + hexText(address));
  c_.lamps.DataFlowLampOff();
  c_.log.LogLine("Device IS NOT BLANK (ERASED)");
  c_.log.LogLine("Address: " + hexText(address) + " ][ Device Data: " + hexText(c_.board.DataByte));
  c_.log.LogLine("Click on [ERROR] alert to Reset the Situation");
  c_.sounds.PlayEventSound("ERROR");
  // The board stays as the scan left it until the operator clears the alert.
}

void OperationReports::ReportVerifyMismatch(std::int32_t address) {
  VerifyFailed = 1;
  c_.raiseErrorAlert("the device does not verify at " + hexText(address));
  c_.lamps.DataFlowLampOff();
  c_.log.LogLine(kAsterisks);
  c_.log.LogLine("Device Memory DOES NOT VERIFY with Buffer Contents");
  const auto& buffer = c_.buffers.CodeBuffer;
  const int bufferByte =
      address >= 0 && address < static_cast<std::int32_t>(buffer.size()) ? buffer[address] : 0;
  c_.log.LogLine("Address: " + hexText(address) + " ][ Buffer Data: " + hexText(bufferByte) +
                 " ][ Device Data: " + hexText(c_.board.DataByte));
  c_.log.LogLine("Click on [ERROR] Alert to Reset the Situation");
  c_.panel.Verify_button.backColor = kButtonFace;
  c_.sounds.PlayEventSound("ERROR");
  c_.board.Reset();
}

void OperationReports::ReportAckError() {
  c_.raiseErrorAlert("the serial EEPROM does not acknowledge");
  c_.lamps.DataFlowLampOff();
  c_.log.LogLine(kAsterisks);
  c_.log.LogLine("Device 24CXX DOES NOT RESPOND - ACK Error");
  c_.log.LogLine("Check Chip Installation Position on Socket");
  c_.log.LogLine("Click on [ERROR] Alert to Reset the Situation");
  c_.sounds.PlayEventSound("ERROR");
  c_.board.Reset();
}

}  // namespace burnlab
