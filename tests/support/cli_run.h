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
