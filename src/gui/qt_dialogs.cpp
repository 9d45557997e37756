#include "gui/qt_dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>

namespace burnlab {
namespace {

QString latin1(const std::string& text) { return QString::fromLatin1(text); }

QMessageBox::Icon qtIcon(Dialogs::Icon icon) {
  switch (icon) {
    case Dialogs::Icon::Information: return QMessageBox::Information;
    case Dialogs::Icon::Exclamation: return QMessageBox::Warning;
    case Dialogs::Icon::Critical: return QMessageBox::Critical;
    case Dialogs::Icon::Question: return QMessageBox::Question;
    case Dialogs::Icon::None: break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QString qtFileFilter(const std::string& filter) {
  const auto parts = latin1(filter).split('|');
  QStringList entries;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    entries << parts[i] + " (" + QString(parts[i + 1]).replace(';', ' ') + ")";
  }
  return entries.join(";;");
}

void QtDialogs::message(const std::string& text, const std::string& title, Icon icon) {
  QMessageBox box(qtIcon(icon), latin1(title), latin1(text), QMessageBox::Ok, parent_);
  box.exec();
}

bool QtDialogs::askOkCancel(const std::string& text, const std::string& title) {
  return QMessageBox::question(parent_, latin1(title), latin1(text),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

std::optional<std::string> QtDialogs::input(const std::string& prompt, const std::string& title,
                                            const std::string& defaultText) {
  bool accepted = false;
  const auto text = QInputDialog::getText(parent_, latin1(title), latin1(prompt),
                                          QLineEdit::Normal, latin1(defaultText), &accepted);
  if (!accepted) return std::nullopt;
  return text.toLatin1().toStdString();
}

std::optional<std::filesystem::path> QtDialogs::openFileName(const std::string& title,
                                                             const std::string& filter) {
  const auto name =
      QFileDialog::getOpenFileName(parent_, latin1(title), {}, qtFileFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return std::filesystem::path(name.toStdString());
}

std::optional<std::filesystem::path> QtDialogs::saveFileName(const std::string& title,
                                                             const std::string& filter,
                                                             const std::string& suggested) {
  const auto name = QFileDialog::getSaveFileName(parent_, latin1(title), latin1(suggested),
                                                 qtFileFilter(filter));
  if (name.isEmpty()) return std::nullopt;
  return std::filesystem::path(name.toStdString());
}

}  // namespace burnlab
