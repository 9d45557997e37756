#pragma once

#include <iostream>

#include "shell/dialogs.h"

namespace burnlab {

// Dialogs on a terminal: messages go to standard error; questions take the scripted answer,
// since a script has nobody to ask; nothing is typed in or chosen from a file dialog.
class CliDialogs final : public Dialogs {
 public:
  explicit CliDialogs(bool answerYes) : answerYes_(answerYes) {}

  void message(const std::string& text, const std::string& title, Icon) override {
    std::cerr << (title.empty() ? "" : title + ": ") << text << '\n';
  }
  bool askOkCancel(const std::string&, const std::string&) override { return answerYes_; }
  std::optional<std::string> input(const std::string&, const std::string&,
                                   const std::string& defaultText) override {
    return defaultText;
  }
  std::optional<std::filesystem::path> openFileName(const std::string&,
                                                    const std::string&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> saveFileName(const std::string&, const std::string&,
                                                    const std::string&) override {
    return std::nullopt;
  }

 private:
  bool answerYes_;
};

}  // namespace burnlab
