#include "gui/qt_platform.h"

#include <QFileInfo>
#include <QUrl>

namespace burnlab {
namespace {

QString settingsKey(const std::string& section, const std::string& key) {
  return QString::fromLatin1(section + "/" + key);
}

}  // namespace

QtPlatform::QtPlatform() : StdPlatform(executableFolder()), settings_("Orvane", "Burnlab") {}

void QtPlatform::playSound(const std::filesystem::path& waveFile) {
  const auto name = QString::fromStdString(waveFile.string());
  sound_.stop();
  if (!QFileInfo::exists(name)) return;  // a missing file plays nothing
  sound_.setSource(QUrl::fromLocalFile(name));
  sound_.play();
}

std::optional<std::string> QtPlatform::setting(const std::string& section, const std::string& key) {
  const auto value = settings_.value(settingsKey(section, key));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toLatin1().toStdString();
}

void QtPlatform::setSetting(const std::string& section, const std::string& key,
                            const std::string& value) {
  settings_.setValue(settingsKey(section, key), QString::fromLatin1(value));
}

}  // namespace burnlab
