#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace burnlab::testing {

// What a run of burnlab-cli printed, its two streams apart, and how it ended.
struct CliRun {
  int status = -1;
  std::string out;       // standard output
  std::string messages;  // standard error
};

// Runs `cli` with `arguments`, its user state (where a simulated board keeps burnlab6.ini) in
// `folder`, which also takes its standard error for the while.
inline CliRun runCli(const std::string& cli, const std::string& arguments,
                     const std::filesystem::path& folder) {
  const auto errors = folder / "stderr.txt";
  const std::string command = "XDG_STATE_HOME='" + folder.string() + "' " + cli + " " + arguments +
                              " 2>'" + errors.string() + "'";
  CliRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    run.out.append(buffer, got);
  }
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream in(errors, std::ios::binary);
  run.messages.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return run;
}

}  // namespace burnlab::testing

#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <unistd.h>

#include <regex>
#include <vector>

namespace burnlab::testing {

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
