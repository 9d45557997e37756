#pragma once

#include <string>

#include "panel/platform.h"

namespace burnlab {

// The short sounds that mark events, played from wave files in the program's folder.
class EventSounds {
 public:
  explicit EventSounds(Platform& platform) : platform_(platform) {}

  // "INIT", "OK", "ERROR", "DONE" or "SLIDE" (exact case); any other word plays error.wav.
  // Returns at once; a newer sound cuts off an older one.
  void PlayEventSound(const std::string& eventWord);

  // The wave file an event word plays.
  static std::string waveFileFor(const std::string& eventWord);

 private:
  Platform& platform_;
};

}  // namespace burnlab
