// burnlab-cli run as a program: exit codes, messages and the port trace it leaves.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

struct Run {
  int status = -1;
  std::string output;  // standard output and standard error together
};

// Runs the CLI with its user state (where a simulated board keeps burnlab6.ini) in `state`,
// by default a fresh folder for this run alone.
Run runCli(const std::string& arguments, const std::filesystem::path& state = {}) {
  TempFolder fresh;
  const auto stateHome = state.empty() ? fresh.path() : state;
  const std::string command = "XDG_STATE_HOME='" + stateHome.string() + "' " +
                              std::string(BURNLAB_CLI) + " " + arguments + " 2>&1";
  Run run;
  FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[512];
  while (std::fgets(buffer, sizeof buffer, pipe)) run.output += buffer;
  const int raw = ::pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::vector<std::string> lines(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::vector<std::string> all;
  for (std::string line; std::getline(in, line);) all.push_back(line);
  return all;
}

std::vector<std::string> tail(const std::vector<std::string>& all, std::size_t count) {
  return {all.end() - static_cast<long>(std::min(count, all.size())), all.end()};
}

TEST(Cli, ResetOnTheSimulatedBoardEndsTheTraceWithTheResetSequence) {
  TempFolder folder;
  const auto trace = folder.path() / "t.txt";
  const auto run = runCli("--simulate --trace " + trace.string() + " reset");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(tail(lines(trace), 16),
            (std::vector<std::string>{"out 0378 40", "out 037A 05", "out 037A 04", "out 037A 05",
                                      "out 0378 00", "out 037A 0D", "out 037A 0C", "out 037A 0D",
                                      "out 0378 00", "out 037A 07", "out 037A 06", "out 037A 07",
                                      "out 0378 C4", "out 037A 0F", "out 037A 0E",
                                      "out 037A 0F"}));
}

TEST(Cli, TheOperatorsPortAndModelChooseTheRegistersAndControlValues) {
  TempFolder folder;
  const auto trace = folder.path() / "t.txt";
  const auto run = runCli("--simulate --port 278h --model 4 --trace " + trace.string() + " reset");
  ASSERT_EQ(run.status, 0) << run.output;
  EXPECT_EQ(tail(lines(trace), 4),
            (std::vector<std::string>{"out 0278 C4", "out 027A 00", "out 027A 01",
                                      "out 027A 00"}));
}

TEST(Cli, BadUsageExitsWithStatusTwoAndSaysWhy) {
  EXPECT_EQ(runCli("--port 999h reset").status, 2);
  const auto unknown = runCli("--simulate frobnicate");
  EXPECT_EQ(unknown.status, 2);
  EXPECT_NE(unknown.output.find("unknown command"), std::string::npos);
  const auto help = runCli("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("reset"), std::string::npos);
  EXPECT_NE(help.output.find("--sim-port"), std::string::npos);
}

TEST(Cli, WithoutHardwareItStillRunsAndExplainsWhy) {
  if (std::filesystem::exists("/proc/sys/dev/parport")) GTEST_SKIP() << "this machine has ports";
  const auto run = runCli("reset");
  EXPECT_EQ(run.status, 0) << run.output;
}

TEST(Cli, AnUnwritableTraceFileIsRefused) {
  const auto run = runCli("--simulate --trace /nonexistent/dir/t.txt reset");
  EXPECT_EQ(run.status, 2);  // bad input
  EXPECT_NE(run.output.find("trace file"), std::string::npos);
}

}  // namespace
}  // namespace burnlab::testing

namespace burnlab::testing {
namespace {

bool hasStatusRead(const std::vector<std::string>& trace) {
  for (const auto& line : trace) {
    if (line.rfind("in ", 0) == 0) return true;
  }
  return false;
}

TEST(CliDetect, FindsTheSimulatedBoardAndPrintsTheFoundLine) {
  const auto run = runCli("--simulate --sim-model 5 --sim-port 278h detect");
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find(">  BURNLAB-5 Device was FOUND at Port: 278\n"), std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("Port 378 Not Responding"), std::string::npos) << run.output;
}

TEST(CliDetect, WithNoBoardOnAnyPortExitsWithStatusThree) {
  const auto run = runCli("--simulate=none detect");
  EXPECT_EQ(run.status, 3) << run.output;
  for (const char* port : {"278", "378", "3BC"}) {
    EXPECT_NE(run.output.find(std::string("Port ") + port + " Not Responding"), std::string::npos)
        << run.output;
  }
  EXPECT_EQ(run.output.find("FOUND"), std::string::npos) << run.output;
}

TEST(CliDetect, ASimulatedRunKeepsItsOwnFileAndTheNextStartTakesThePortFromIt) {
  TempFolder state;
  const auto trace = state.path() / "t.txt";
  const auto options = "--simulate --sim-model 4 --sim-port 3BCh --trace " + trace.string();
  ASSERT_EQ(runCli(options + " reset", state.path()).status, 0);
  EXPECT_TRUE(hasStatusRead(lines(trace)));
  const auto file = state.path() / "burnlab" / "simulated" / "burnlab6.ini";
  std::ifstream in(file, std::ios::binary);
  const std::string contents((std::istreambuf_iterator<char>(in)),
                             std::istreambuf_iterator<char>());
  EXPECT_NE(contents.find("\r\nIO_PORT = 3BC\r\nMODEL =  4 \r\n"), std::string::npos) << contents;

  ASSERT_EQ(runCli(options + " reset", state.path()).status, 0);
  EXPECT_FALSE(hasStatusRead(lines(trace)));
}

}  // namespace
}  // namespace burnlab::testing
