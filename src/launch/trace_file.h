#pragma once

#include <filesystem>
#include <memory>
#include <ostream>
#include <string>

namespace burnlab {

// The port trace written to a file. Lines are gathered in memory and written out in large
// pieces, so that tracing does not slow the board traffic down; a run ended by Ctrl-C (SIGINT),
// SIGTERM, SIGHUP or SIGQUIT still writes out every whole line traced before the signal, since
// the program's signal owner (ProgramSignals) writes it out before it answers the signal. A
// failed write is kept, and told by finish().
// One trace file at a time per program.
class TraceFile {
 public:
  // Creates or empties the file; nullptr with `error` set when it cannot.
  static std::unique_ptr<TraceFile> create(const std::filesystem::path& file, std::string& error);
  ~TraceFile();
  TraceFile(const TraceFile&) = delete;
  TraceFile& operator=(const TraceFile&) = delete;

  // Where the tracing port writes its lines.
  std::ostream& stream() { return stream_; }
  const std::filesystem::path& path() const { return path_; }

  // Every whole line traced so far goes to the file of the trace that is open, if any.
  // Async-signal-safe.
  static void writeOutForSignal() noexcept;

  // Writes out everything traced and closes the file. Returns why the trace is incomplete (the
  // system's reason of the first failed write), or nothing when every line reached the file.
  std::string finish();

  class LineBuffer;

 private:
  TraceFile(std::filesystem::path path, int fd);

  std::filesystem::path path_;
  std::unique_ptr<LineBuffer> buffer_;
  std::ostream stream_;
};

}  // namespace burnlab
