#include "panel/event_sounds.h"

#include <array>
#include <utility>

namespace burnlab {

std::string EventSounds::waveFileFor(const std::string& eventWord) {
  static const std::array<std::pair<const char*, const char*>, 5> kSounds{{
      {"INIT", "init.wav"},
      {"ERROR", "error.wav"},
      {"DONE", "done.wav"},
      {"SLIDE", "slide.wav"},
      {"OK", "ok.wav"},
  }};
  for (const auto& [word, file] : kSounds) {
    if (eventWord == word) return file;
  }
  return "error.wav";
}

void EventSounds::PlayEventSound(const std::string& eventWord) {
  platform_.playSound(platform_.resourceFolder() / waveFileFor(eventWord));
}

}  // namespace burnlab
