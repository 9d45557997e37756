#pragma once

#include <QPlainTextEdit>

namespace burnlab {

// The system log's text box. Its newest line stays wholly in view: after text is added, and
// when the box changes size and its lines wrap anew, as long as it was showing the end before.
class LogView final : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit LogView(QWidget* parent);

  // Puts the caret after the last character and scrolls the last line wholly into view.
  void showEnd();

 protected:
  void resizeEvent(QResizeEvent* event) override;
};

}  // namespace burnlab
