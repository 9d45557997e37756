#pragma once

#include <QWidget>

#include "panel/dialogs.h"

namespace burnlab {

// The core's dialogs as Qt's message boxes, input box and file dialogs.
class QtDialogs final : public Dialogs {
 public:
  explicit QtDialogs(QWidget* parent = nullptr) : parent_(parent) {}
  void setParent(QWidget* parent) { parent_ = parent; }

  void message(const std::string& text, const std::string& title, Icon icon) override;
  bool askOkCancel(const std::string& text, const std::string& title) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override;
  std::optional<std::filesystem::path> openFileName(const std::string& title,
                                                    const std::string& filter) override;
  std::optional<std::filesystem::path> saveFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& suggested) override;

 private:
  QWidget* parent_;
};

// "Binary|*.bin|All Files (*.*)|*.*" as Qt writes a filter: "Binary (*.bin);;All Files (*)".
// "*.*" stands for every file, with or without a dot in its name.
QString qtFileFilter(const std::string& filter);

}  // namespace burnlab
