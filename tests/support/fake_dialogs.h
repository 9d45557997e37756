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

  void message(const std::string& text, const std::string& title, Icon icon) override {
    shown.push_back({"message", text, title});
    icons.push_back(icon);
  }
  bool askOkCancel(const std::string& text, const std::string& title) override {
    shown.push_back({"question", text, title});
    return takeFront(answers, true);
  }
  std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                   const std::string& defaultText) override {
    shown.push_back({"input", prompt, title});
    return takeFront(inputs, std::optional<std::string>(defaultText));
  }
  std::optional<std::filesystem::path> openFileName(const std::string& title,
                                                    const std::string& filter) override {
    return fileName("open", title, filter);
  }
  std::optional<std::filesystem::path> saveFileName(const std::string& title,
                                                    const std::string& filter,
                                                    const std::string&) override {
    return fileName("save", title, filter);
  }

  std::vector<Shown> shown;
  std::vector<Icon> icons;
  std::deque<bool> answers;  // for askOkCancel; true when empty
  std::deque<std::optional<std::string>> inputs;
  std::deque<std::optional<std::filesystem::path>> files;
  std::vector<std::string> filters;

 private:
  // The next scripted answer, or `fallback` when the script has run out.
  template <typename T>
  static T takeFront(std::deque<T>& queue, T fallback) {
    if (queue.empty()) return fallback;
    T front = queue.front();
    queue.pop_front();
    return front;
  }
  std::optional<std::filesystem::path> fileName(const char* kind, const std::string& title,
                                                const std::string& filter) {
    shown.push_back({kind, "", title});
    filters.push_back(filter);
    return takeFront(files, std::optional<std::filesystem::path>());
  }
};

}  // namespace burnlab::testing
