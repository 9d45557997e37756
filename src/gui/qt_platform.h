#pragma once

#include <QSettings>
#include <QSoundEffect>

#include "panel/std_platform.h"

namespace burnlab {

// The platform in the window: sounds through Qt Multimedia, played without waiting (a newer
// sound stops the one still playing), and the per-user settings store through QSettings.
class QtPlatform final : public StdPlatform {
 public:
  QtPlatform();

  void playSound(const std::filesystem::path& waveFile) override;
  std::optional<std::string> setting(const std::string& section, const std::string& key) override;
  void setSetting(const std::string& section, const std::string& key,
                  const std::string& value) override;

 private:
  QSettings settings_;
  QSoundEffect sound_;
};

}  // namespace burnlab
