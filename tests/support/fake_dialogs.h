#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "panel/dialogs.h"

namespace burnlab::testing {

// Dialogs with scripted answers; every dialog shown is recorded.
class FakeDialogs final : public Dialogs {
 public:
  struct Shown {
    std::string kind;  // "message", "question", "input", "open", "save"
    std::string text;
    std::string title;
  };

  void message(const std::string& text, const std::string& title, Icon icon) override;
  bool askOkCancel(const std::string& text, const std::string& title) override;
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override;
  std::optional<std::filesystem::path> openFileName(const std::string& title,
                                                    const std::string& filter) override;
  std::optional<std::filesystem::path> saveFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string& suggested) override;

  std::vector<Shown> shown;
  std::vector<Icon> icons;
  std::deque<bool> answers;  // for askOkCancel; true when empty
  std::deque<std::optional<std::string>> inputs;
  std::deque<std::optional<std::filesystem::path>> files;
  std::vector<std::string> filters;
};

}  // namespace burnlab::testing
