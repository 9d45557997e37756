#pragma once
// burnlab-cli run as a program by the tests: its exit status and what it printed.
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace burnlab::testing {

struct Run {
  int status = -1;
  std::string output;  // standard output and standard error together
};

// Runs the CLI with its user state (where a simulated board keeps burnlab6.ini) in `state`,
// by default a fresh folder for this run alone.
inline Run runCli(const std::string& arguments, const std::filesystem::path& state = {}) {
  TempFolder fresh;
  const auto stateHome = state.empty() ? fresh.path() : state;
  // A run that hangs is ended after a while (status 124) instead of holding up the tests.
  const std::string command = "XDG_STATE_HOME='" + stateHome.string() + "' timeout 20 " +
                              std::string(BURNLAB_CLI) + " " + arguments + " 2>&1";
  Run run;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) run.output += buffer;
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

inline std::vector<std::string> lines(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> all;
  for (std::string line; std::getline(in, line);) all.push_back(line);
  return all;
}

inline std::vector<std::string> tail(const std::vector<std::string>& all, std::size_t count) {
  return {all.end() - static_cast<long>(std::min(count, all.size())), all.end()};
}

// A file of `size` bytes that differ from their neighbours, `seed` shifting them; returns them.
inline std::string writeImage(const std::filesystem::path& file, std::size_t size, unsigned seed) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + seed) & 0xFF);
  std::ofstream(file, std::ios::binary) << bytes;
  return bytes;
}

inline std::string readAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace burnlab::testing
