#pragma once

#include <cstdint>

#include "ops/operation_context.h"

namespace burnlab {

// The reports of a failed device operation: each raises the error alert and logs its lines.
class OperationReports {
 public:
  explicit OperationReports(OperationContext& context) : c_(context) {}

  void ReportNotBlank(std::int32_t address);
  void ReportVerifyMismatch(std::int32_t address);
  void ReportAckError();

  // Set by ReportVerifyMismatch; cleared when a Verify command starts.
  std::int16_t VerifyFailed = 0;

 private:
  OperationContext& c_;
};

}  // namespace burnlab
