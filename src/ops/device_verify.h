#pragma once

#include "ops/operation_context.h"
#include "ops/operation_reports.h"
#include "ops/two_wire_bus.h"

namespace burnlab {

// Verify: compares the chip with the buffer (parallel chips with the byte-lane image) and
// reports the first difference.
class DeviceVerify {
 public:
  DeviceVerify(OperationContext& context, OperationReports& reports, TwoWireBus& bus)
      : c_(context), reports_(reports), bus_(bus) {}

  CommandOutcome Verify_button_Click();
  void VerifyCode();
  void VerifyData();

 private:
  // The scan of a parallel chip; false when it stopped at a mismatch.
  bool verifyParallel();
  // The serial comparison; false when the chip did not acknowledge.
  bool verifySerial();

  OperationContext& c_;
  OperationReports& reports_;
  TwoWireBus& bus_;
};

}  // namespace burnlab
