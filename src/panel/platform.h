#pragma once

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <optional>
#include <string>

namespace burnlab {

// The world outside the window that the core uses: time, sleeping, sound, files' folders and
// the per-user settings store. Tests use a virtual clock and an in-memory store.
class Platform {
 public:
  virtual ~Platform() = default;

  // A real pause; on a virtual clock it only advances the time.
  virtual void Sleep(int milliseconds) = 0;
  // Monotonic time in nanoseconds from an arbitrary start, for the delays that must last a
  // real time (the program pulses). On a virtual clock it moves only with sleeps and spins.
  virtual std::uint64_t monotonicNs() = 0;
  // Busy-waits until monotonicNs() reaches `deadlineNs`: no sleeping and no window events, as
  // in every delay loop. On a virtual clock it advances the time at once.
  virtual void spinUntilNs(std::uint64_t deadlineNs) = 0;
  // Time of day (hours, minutes, seconds) and the date, in the platform's short formats.
  virtual std::string timeText() = 0;
  virtual std::string dateText() = 0;
  // The local date and time now, for texts with a format of their own (file stamps).
  virtual std::tm localTime() = 0;

  // The program's folder (burnlab6.ini).
  virtual std::filesystem::path programFolder() = 0;
  // The current working directory (BURNLAB.LOG, BURNLAB.BUF).
  virtual std::filesystem::path workingFolder() = 0;
  // Where the wave files and the help document are: the program's folder, unless the program
  // was installed with them elsewhere.
  virtual std::filesystem::path resourceFolder() = 0;
  // Where the setup slots are kept: the working folder, unless the program keeps them in the
  // user's configuration folder.
  virtual std::filesystem::path setupFolder() = 0;

  // Starts playing a wave file and returns at once; a newer sound cuts off an older one. A
  // missing file or sound device plays nothing.
  virtual void playSound(const std::filesystem::path& waveFile) = 0;

  // The full name of a program found on the search path (PATH), if any.
  virtual std::optional<std::filesystem::path> findProgram(const std::string& name) = 0;
  // Starts a program in a window of its own without waiting for it; false when it could not
  // be started.
  virtual bool startProgram(const std::filesystem::path& program) = 0;

  // Per-user settings store: text values by section and key.
  virtual std::optional<std::string> setting(const std::string& section,
                                             const std::string& key) = 0;
  virtual void setSetting(const std::string& section, const std::string& key,
                          const std::string& value) = 0;
};

}  // namespace burnlab
