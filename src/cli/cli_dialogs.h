#pragma once

#include <iostream>

#include "panel/dialogs.h"

namespace burnlab {

// Dialogs on a terminal: a message box becomes a line on the message stream; a question is
// answered OK only when the command line said --yes, and is refused otherwise; nothing is
// typed in or chosen from a file dialog.
class CliDialogs final : public Dialogs {
 public:
  CliDialogs(bool answerYes, std::ostream& messages = std::cerr)
      : answerYes_(answerYes), messages_(messages) {}

  void message(const std::string& text, const std::string& title, Icon) override {
    messages_ << (title.empty() ? "" : title + ": ") << text << '\n';
  }
  bool askOkCancel(const std::string& text, const std::string& title) override {
    messages_ << (title.empty() ? "" : title + ": ") << text
              << (answerYes_ ? " OK (--yes)\n" : " Cancelled (answer with --yes)\n");
    return answerYes_;
  }
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
  std::ostream& messages_;
};

}  // namespace burnlab
