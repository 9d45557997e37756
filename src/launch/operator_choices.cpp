#include "launch/operator_choices.h"

namespace burnlab {

void applyOperatorChoices(App& app, const ProgramOptions& options) {
  if (options.port) {
    if (const auto option = lptOptionOf(static_cast<std::int16_t>(*options.port))) {
      app.hardware.clickLPTOption(*option);
    }
  }
  if (options.model == 4) app.hardware.ForceBurnlab4_Click();
  if (options.model == 5) app.hardware.ForceBurnlab5_Click();
  if (options.model == 6) app.hardware.ForceBurnlab6_Click();
  if (options.port || options.model) app.seams.view.changed();
}

}  // namespace burnlab
