#include "cli/cli_view.h"

#include <algorithm>
#include <string>

#include "cli/log_lines.h"

namespace burnlab {

void CliView::flushLog() {
  if (!panel_) return;
  const auto& text = panel_->SystemLog.text;
  if (text.size() < logged_) logged_ = 0;  // the log was emptied
  if (!quiet_ && !muted_ && text.size() > logged_) {
    if (drawnPercent_ >= 0) messages_ << '\n';  // leave the progress line
    drawnPercent_ = -1;
    messages_ << logLines(text.substr(logged_)) << std::flush;
  }
  logged_ = text.size();
}

void CliView::repaint(const Control& control) {
  flushLog();
  if (control.name == "ProgressBar1") drawProgress(control);
}

void CliView::drawProgress(const Control& bar) {
  if (quiet_ || !terminal_ || bar.max <= 0) return;
  const int percent =
      static_cast<int>(std::min<long long>(100, 100LL * std::max(0, bar.value) / bar.max));
  if (percent == drawnPercent_) return;
  drawnPercent_ = percent;
  constexpr int kWidth = 40;
  const int filled = std::min(kWidth, percent * kWidth / 100);
  messages_ << '\r' << '[' << std::string(filled, '#') << std::string(kWidth - filled, ' ') << "] "
            << percent << '%' << std::flush;
}

}  // namespace burnlab
