#include "cli/cli_view.h"

#include <algorithm>
#include <string>

#include "cli/log_lines.h"

namespace burnlab {
namespace {

constexpr int kBarWidth = 40;
// "[", the bar, "] ", "100%".
constexpr int kProgressWidth = kBarWidth + 7;

}  // namespace

void CliView::flushLog() {
  if (!panel_) return;
  const auto& text = panel_->SystemLog.text;
  if (text.size() < logged_) logged_ = 0;  // the log was emptied
  if (!quiet_ && !muted_ && text.size() > logged_) {
    clearProgress();
    messages_ << logLines(text.substr(logged_)) << std::flush;
  }
  logged_ = text.size();
}

void CliView::repaint(const Control& control) {
  flushLog();
  if (control.name == "ProgressBar1") drawProgress(control);
}

void CliView::drawProgress(const Control& bar) {
  if (quiet_ || !terminal_) return;
  if (bar.max <= 0 || bar.value <= 0) return clearProgress();  // the operation has ended
  const int percent =
      static_cast<int>(std::min<long long>(100, 100LL * std::max(0, bar.value) / bar.max));
  if (percent == drawnPercent_) return;
  drawnPercent_ = percent;
  const int filled = std::min(kBarWidth, percent * kBarWidth / 100);
  messages_ << '\r' << '[' << std::string(filled, '#') << std::string(kBarWidth - filled, ' ')
            << "] " << percent << '%' << std::flush;
}

void CliView::clearProgress() {
  if (drawnPercent_ < 0) return;
  messages_ << '\r' << std::string(kProgressWidth, ' ') << '\r' << std::flush;
  drawnPercent_ = -1;
}

}  // namespace burnlab
