#include "gui/log_view.h"

#include <QScrollBar>
#include <QTextBlock>

namespace burnlab {

LogView::LogView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
}

void LogView::showEnd() {
  // The last line is laid out first, so that a line that wraps counts with all its rows.
  document()->documentLayout()->blockBoundingRect(document()->lastBlock());
  moveCursor(QTextCursor::End);
  ensureCursorVisible();
  verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

void LogView::resizeEvent(QResizeEvent* event) {
  const auto* bar = verticalScrollBar();
  const bool showingEnd = bar->value() == bar->maximum();
  QPlainTextEdit::resizeEvent(event);
  if (showingEnd) showEnd();
}

}  // namespace burnlab
