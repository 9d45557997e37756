#pragma once
// burnlab-cli run as a program by the tests: how it ended and what it printed on each stream.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <string_view>
#include <vector>

#include "support/temp_folder.h"

namespace burnlab::testing {

// What a run of burnlab-cli printed, its two streams apart, and how it ended.
struct CliRun {
  int status = -1;
  std::string out;       // standard output
  std::string messages;  // standard error
  // Everything it printed, standard output first: for a look for a line wherever it went.
  std::string output() const { return out + messages; }
};

// A run that hangs is ended after this long (status 124) instead of holding up the tests.
inline constexpr int kCliTimeoutSeconds = 60;

// Runs `cli` with `arguments`, its user state (where a simulated board keeps burnlab6.ini) in
// `folder`.
inline CliRun runCli(const std::string& cli, const std::string& arguments,
                     const std::filesystem::path& folder) {
  const TempFolder streams;
  const auto errors = streams.path() / "stderr.txt";
  const std::string command = "XDG_STATE_HOME='" + folder.string() + "' timeout " +
                              std::to_string(kCliTimeoutSeconds) + " " + cli + " " + arguments +
                              " 2>'" + errors.string() + "'";
  CliRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    run.out.append(buffer, got);
  }
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  run.messages = readAll(errors);
  return run;
}

// How often `part` stands in `text`.
inline std::size_t countOf(std::string_view text, std::string_view part) {
  std::size_t count = 0;
  for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

// Whether the run printed `text` on either stream.
inline bool printed(const CliRun& run, std::string_view text) {
  return run.output().find(text) != std::string::npos;
}

// Expects `run` of `arguments` to have ended with `status` and printed each of `texts`, and
// shows what it printed where it did not.
inline const CliRun& expectRun(const CliRun& run, const std::string& arguments, int status,
                               std::initializer_list<std::string_view> texts = {}) {
  EXPECT_EQ(run.status, status) << arguments << ":\n" << run.output();
  for (const auto text : texts) {
    EXPECT_TRUE(printed(run, text)) << arguments << ": no \"" << text << "\" in\n" << run.output();
  }
  return run;
}

#ifdef BURNLAB_CLI
// The burnlab-cli built with the tests, its user state in `state`, by default a fresh folder for
// this run alone.
inline CliRun runCli(const std::string& arguments, const std::filesystem::path& state = {}) {
  const TempFolder fresh;
  return runCli(BURNLAB_CLI, arguments, state.empty() ? fresh.path() : state);
}

// Runs burnlab-cli with `arguments` and expects it to end with `status` having printed `texts`.
inline CliRun expectCli(const std::string& arguments, int status,
                        std::initializer_list<std::string_view> texts = {},
                        const std::filesystem::path& state = {}) {
  auto run = runCli(arguments, state);
  expectRun(run, arguments, status, texts);
  return run;
}
#endif

inline std::vector<std::string> lines(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> all;
  for (std::string line; std::getline(in, line);) all.push_back(line);
  return all;
}

inline std::vector<std::string> tail(const std::vector<std::string>& all, std::size_t count) {
  return {all.end() - static_cast<long>(std::min(count, all.size())), all.end()};
}

// `size` bytes that differ from their neighbours, `seed` shifting them.
inline std::string varyingBytes(std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed) & 0xFF);
  return bytes;
}

// Makes `file` hold `varyingBytes(size, seed)`; returns them.
inline std::string writeImage(const std::filesystem::path& file, std::size_t size, unsigned seed) {
  const auto bytes = varyingBytes(size, seed);
  writeAll(file, bytes);
  return bytes;
}

// burnlab-cli running on a pseudo-terminal, as on an operator's terminal: it draws its progress
// bar there, and a test waits for the bar (an event of the run, never a time) before it sends
// a signal. Its two streams arrive together on the terminal.
class CliOnTerminal {
 public:
  CliOnTerminal(const std::string& cli, const std::vector<std::string>& arguments,
                const std::filesystem::path& folder) {
    std::vector<std::string> argv{cli};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    pid_ = ::forkpty(&terminal_, nullptr, nullptr, nullptr);
    if (pid_ == 0) {
      ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
      std::vector<char*> raw;
      for (auto& argument : argv) raw.push_back(argument.data());
      raw.push_back(nullptr);
      ::execv(raw.front(), raw.data());
      ::_exit(127);
    }
  }
  ~CliOnTerminal() {
    if (pid_ > 0 && !ended_) finish();
    if (terminal_ >= 0) ::close(terminal_);
  }
  CliOnTerminal(const CliOnTerminal&) = delete;
  CliOnTerminal& operator=(const CliOnTerminal&) = delete;

  bool started() const { return pid_ > 0; }

  // Reads what the run prints until its progress bar shows `percent` or more; false when the
  // run ended (or went quiet for a minute) first.
  bool waitForProgress(int percent) {
    static const std::regex bar(R"(\] (\d+)%)");
    while (readSome()) {
      for (std::sregex_iterator
               at(printed_.begin() + static_cast<long>(scanned_), printed_.end(), bar),
           end;
           at != end; ++at) {
        if (std::stoi((*at)[1]) >= percent) {
          scanned_ = printed_.size();
          return true;
        }
      }
      // A bar may be cut between two reads: look at its start again next time.
      scanned_ = printed_.size() > 16 ? printed_.size() - 16 : 0;
    }
    return false;
  }

  // Reads what the run prints until it has printed `text`; false when the run ended (or went
  // quiet for a minute) first.
  bool waitForText(std::string_view text) {
    std::size_t at;
    while ((at = printed_.find(text, scanned_)) == std::string::npos) {
      // The text may be cut between two reads: look at its start again next time.
      scanned_ = printed_.size() > text.size() ? printed_.size() - text.size() : 0;
      if (!readSome()) return false;
    }
    scanned_ = at + text.size();
    return true;
  }

  void signal(int number) { ::kill(pid_, number); }

  // Waits for the run to end: its exit status (-1 when a signal ended it) and all it printed.
  CliRun finish() {
    while (readSome()) {
    }
    int raw = 0;
    ::waitpid(pid_, &raw, 0);
    ended_ = true;
    CliRun run;
    run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    run.messages = printed_;
    return run;
  }

 private:
  // Takes what the run printed next; false once it has closed the terminal.
  bool readSome() {
    pollfd wait{terminal_, POLLIN, 0};
    if (::poll(&wait, 1, 60'000) <= 0) return false;
    char buffer[4096];
    const auto got = ::read(terminal_, buffer, sizeof buffer);
    if (got <= 0) return false;  // EIO once the run has ended
    printed_.append(buffer, static_cast<std::size_t>(got));
    return true;
  }

  pid_t pid_ = -1;
  int terminal_ = -1;
  bool ended_ = false;
  std::string printed_;
  std::size_t scanned_ = 0;
};

}  // namespace burnlab::testing
