#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "panel/help_request.h"
#include "shell/help_document.h"

class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;

namespace burnlab {

// The help window: the help document's contents, its keyword search and the chosen topic.
class HelpWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* owner);

  // Loads the help file and shows it as asked; the reason when it cannot.
  std::optional<std::string> open(const HelpRequest& request);

  void showTopic(std::size_t topic);

 private:
  void fillContents();
  void fillKeywords(const QString& partialKey);

  HelpDocument document_;
  QTabWidget* tabs_ = nullptr;
  QListWidget* contents_ = nullptr;
  QLineEdit* keyword_ = nullptr;
  QListWidget* keywords_ = nullptr;
  QTextBrowser* topic_ = nullptr;
};

}  // namespace burnlab
