#include "ops/device_verify.h"

#include <algorithm>

#include "ops/serial_eeprom_read.h"
#include "ops/whole_chip_scan.h"
#include "panel/branding.h"

namespace burnlab {

CommandOutcome DeviceVerify::Verify_button_Click() {
  c_.checkStop();  // a stop asked before it began: nothing is written
  const int alerts = c_.errorAlerts;
  reports_.VerifyFailed = 0;
  if (c_.panel.CheckCode.checked) VerifyCode();
  if (c_.panel.CheckData.checked) VerifyData();
  return c_.outcomeSince(alerts);
}

void DeviceVerify::VerifyData() {
  c_.dialogs.message("Please Write AT90S2313 VerifyData Routine", kProgramTitle,
                     Dialogs::Icon::None);
}

void DeviceVerify::VerifyCode() {
  c_.panel.Verify_button.backColor = k3DHighlight;  // marks the run
  c_.view.repaint(c_.panel.Verify_button);
  c_.lamps.DataFlowLampOn();
  c_.log.LogLine("Verify Function Started... Wait");
  const bool serial = c_.device.Routines.twoWire();
  if (!serial && !verifyParallel()) {
    return;  // the mismatch report has restored the button and reset the board
  }
  const bool answered = !serial || verifySerial();
  if (answered && reports_.VerifyFailed == 0) {
    c_.lamps.DataFlowLampOff();
    c_.log.LogLine("Device Contents MATCHES with Buffer Contents");
    c_.sounds.PlayEventSound("OK");
    c_.board.Reset();
  }
  c_.endProgress();
  c_.panel.Verify_button.backColor = kButtonFace;
}

bool DeviceVerify::verifySerial() {
  auto& buffers = c_.buffers;
  c_.setProgress(0, buffers.CodeSize);
  SerialEepromRead reader(c_.board, bus_, [this](int ms) { c_.pause(ms); });
  const auto mismatch = reader.Verify24CXX(c_.device.Routines.read, buffers.CodeBuffer,
                                           buffers.CodeSize, [this] { c_.advanceProgress(16); });
  if (mismatch) reports_.ReportVerifyMismatch(*mismatch);
  // A chip that does not answer has not matched: report it instead of a success.
  if (bus_.AckError != 0) {
    reports_.ReportAckError();
    return false;
  }
  return true;
}

bool DeviceVerify::verifyParallel() {
  c_.options.BuildProgramImage(c_.buffers.codeImage());
  const auto& image = c_.options.image;
  auto& board = c_.board;
  c_.setProgressValue(0);
  startWholeChipScan(c_.board, c_.platform);
  c_.setProgress(0, c_.buffers.CodeSize / 256);
  // With one byte lane only ProgramSize bytes of the image are meaningful. With both lanes the
  // image is the code buffer up to the device size, and a longer code file is compared on with
  // the buffer's own bytes (the chip's address lines wrap there). The scan never runs past the
  // end of the image.
  const bool singleLane = c_.options.chosenLane() != ByteLane::Both;
  const std::int32_t compared =
      singleLane ? std::min(c_.buffers.CodeSize, image.ProgramSize) : c_.buffers.CodeSize;
  const auto pages = scanPageCount(compared, static_cast<std::int32_t>(image.bytes.size()));
  const std::int32_t last = singleLane ? image.ProgramSize : pages * 256;
  const auto* code = c_.buffers.CodeBuffer.data();
  const auto expected = [&image, code](std::int32_t address) {
    return address < image.ProgramSize ? image.bytes[static_cast<std::size_t>(address)]
                                       : code[address];
  };
  std::int32_t mismatch = -1;
  scanWholeChip(
      board, pages, [this] { c_.advanceProgress(1); },
      [&](Board& b) {
        auto& address = b.address.LinearAddress;
        if (address < last && b.DataByte != expected(address)) {
          mismatch = address;
          return false;
        }
        ++address;
        return true;
      });
  if (mismatch < 0) return true;
  reports_.ReportVerifyMismatch(mismatch);
  return false;
}

}  // namespace burnlab
