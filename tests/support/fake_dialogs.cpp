#include "support/fake_dialogs.h"

namespace burnlab::testing {
namespace {

template <typename T>
T takeFront(std::deque<T>& queue, T fallback) {
  if (queue.empty()) return fallback;
  T front = queue.front();
  queue.pop_front();
  return front;
}

}  // namespace

void FakeDialogs::message(const std::string& text, const std::string& title, Icon icon) {
  shown.push_back({"message", text, title});
  icons.push_back(icon);
}

bool FakeDialogs::askOkCancel(const std::string& text, const std::string& title) {
  shown.push_back({"question", text, title});
  return takeFront(answers, true);
}

std::optional<std::string> FakeDialogs::input(const std::string& prompt, const std::string& title,
                                              const std::string& defaultText) {
  shown.push_back({"input", prompt, title});
  return takeFront(inputs, std::optional<std::string>(defaultText));
}

std::optional<std::filesystem::path> FakeDialogs::openFileName(const std::string& title,
                                                               const std::string& filter) {
  shown.push_back({"open", "", title});
  filters.push_back(filter);
  return takeFront(files, std::optional<std::filesystem::path>());
}

std::optional<std::filesystem::path> FakeDialogs::saveFileName(const std::string& title,
                                                               const std::string& filter,
                                                               const std::string&) {
  shown.push_back({"save", "", title});
  filters.push_back(filter);
  return takeFront(files, std::optional<std::filesystem::path>());
}

}  // namespace burnlab::testing
