#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace burnlab {

// The modal dialogs the core asks for. Tests script the answers.
class Dialogs {
 public:
  virtual ~Dialogs() = default;

  enum class Icon { None, Information, Exclamation, Critical, Question };

  virtual void message(const std::string& text, const std::string& title, Icon icon) = 0;
  // A question with the question icon, OK and Cancel, Cancel the default. True for OK (or
  // Yes), false for Cancel (or No).
  virtual bool askOkCancel(const std::string& text, const std::string& title) = 0;
  // The entered text, or nothing when cancelled.
  virtual std::optional<std::string> input(const std::string& prompt, const std::string& title,
                                           const std::string& defaultText) = 0;
  // A file chosen in the file dialog, or nothing when cancelled. `filter` lists the choices as
  // "Description|pattern|Description|pattern".
  virtual std::optional<std::filesystem::path> openFileName(const std::string& title,
                                                            const std::string& filter) = 0;
  virtual std::optional<std::filesystem::path> saveFileName(const std::string& title,
                                                            const std::string& filter,
                                                            const std::string& suggested) = 0;
};

}  // namespace burnlab
