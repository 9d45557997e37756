#pragma once

#include "ops/operation_context.h"
#include "ops/operation_reports.h"

namespace burnlab {

// Blank Chk: is every byte of the chip FFh? The scan stops at the first byte that is not.
class BlankCheck {
 public:
  BlankCheck(OperationContext& context, OperationReports& reports)
      : c_(context), reports_(reports) {}

  CommandOutcome Blank_button_Click();
  void BlankCheckCode();
  // Whether the selected device has a blank check of its code: the others get the "Missing
  // Routine" box instead.
  bool hasCodeRoutine() const { return c_.device.Routines.blankCheck != BlankCheckRoutine::None; }
  void BlankCheckParallel();
  void BlankCheckData();

 private:
  OperationContext& c_;
  OperationReports& reports_;
};

}  // namespace burnlab
