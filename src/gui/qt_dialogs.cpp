#include "gui/qt_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

#include "gui/core_text.h"

namespace burnlab {
namespace {

QMessageBox::Icon qtIcon(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::Information:
      return QMessageBox::Information;
    case Dialogs::Icon::Exclamation:
      return QMessageBox::Warning;
    case Dialogs::Icon::Critical:
      return QMessageBox::Critical;
    case Dialogs::Icon::Question:
      return QMessageBox::Question;
    case Dialogs::Icon::None:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QString qtFileFilter(const std::string& filter) {
  // A description that already shows its patterns, "All Files (*.*)", shows them once.
  static const QRegularExpression kShownPatterns(R"(\s*\([^()]*\)\s*$)");
  const auto parts = fromCore(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns = parts[i + 1].split(';', Qt::SkipEmptyParts);
    // "*.*" means every file, but here it would pass over the names without a dot.
    for (auto& pattern : patterns) {
      if (pattern.trimmed() == "*.*") pattern = "*";
    }
    entries << QString(parts[i]).remove(kShownPatterns) + " (" + patterns.join(' ') + ")";
  }
  return entries.join(";;");
}

void QtDialogs::message(const std::string& text, const std::string& title, Icon icon) {
  QMessageBox box(qtIcon(icon), fromCore(title), fromCore(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool QtDialogs::askOkCancel(const std::string& text, const std::string& title) {
  // A question that guards a device command: Cancel is the default, so that Enter does not
  // start it.
  return QMessageBox::question(parent_, fromCore(title), fromCore(text),
                               QMessageBox::Ok | QMessageBox::Cancel,
                               QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<std::string> QtDialogs::input(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText) {
  bool accepted = false;
  const auto text = QInputDialog::getText(parent_, fromCore(title), fromCore(prompt),
                                          QLineEdit::Normal, fromCore(defaultText), &accepted);
  if (!accepted) return std::nullopt;
  return toCore(text);
}

std::optional<std::filesystem::path> QtDialogs::openFileName(const std::string& title,
                                                             const std::string& filter) {
  const auto name =
      QFileDialog::getOpenFileName(parent_, fromCore(title), {}, qtFileFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return std::filesystem::path(name.toStdString());
}

std::optional<std::filesystem::path> QtDialogs::saveFileName(const std::string& title,
                                                             const std::string& filter,
                                                             const std::string& suggested) {
  const auto name = QFileDialog::getSaveFileName(parent_, fromCore(title), fromCore(suggested),
                                                 qtFileFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return std::filesystem::path(name.toStdString());
}

}  // namespace burnlab
