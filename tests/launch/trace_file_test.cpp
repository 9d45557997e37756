#include "launch/trace_file.h"

#include <gtest/gtest.h>
#include <signal.h>

#include <fstream>
#include <iterator>

#include "launch/port_stack.h"
#include "launch/program_signals.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

ProgramOptions tracedSimulation(const std::filesystem::path& trace) {
  ProgramOptions options;
  options.simulate = true;
  options.traceFile = trace;
  return options;
}

// The lines `count` writes of data to the simulated board's data register give.
std::string dataLines(int count) {
  std::string lines;
  for (int i = 0; i < count; ++i)
    lines += traceLine("out", 0x378, static_cast<std::uint8_t>(i)) + "\n";
  return lines;
}

TEST(TraceFile, EveryLineReachesTheFileInOrderAcrossManyPieces) {
  TempFolder folder;
  const auto file = folder.path() / "t.txt";
  std::string error;
  auto trace = TraceFile::create(file, error);
  ASSERT_NE(trace, nullptr) << error;
  std::string expected;
  for (int i = 0; i < 20000; ++i) {  // about 240 KB: several pieces
    const auto line = traceLine(i % 2 ? "in" : "out", 0x379, static_cast<std::uint8_t>(i));
    trace->stream() << line << '\n';
    expected += line + "\n";
  }
  EXPECT_EQ(trace->finish(), "");
  EXPECT_EQ(readAll(file), expected);
}

TEST(TraceFile, ACtrlCStillLeavesEveryAccessTracedBeforeIt) {
  TempFolder folder;
  const auto file = folder.path() / "t.txt";
  const auto options = tracedSimulation(file);
  // The run is ended by SIGINT in a child process, as Ctrl-C ends it on a terminal.
  EXPECT_EXIT(
      {
        const ProgramSignals signals(ProgramSignals::Answer::EndTheProgram);
        std::string error;
        auto stack = PortStack::build(options, error);
        for (int i = 0; i < 1000; ++i) stack->port().PortOut(0x378, static_cast<std::uint8_t>(i));
        ::raise(SIGINT);
      },
      ::testing::KilledBySignal(SIGINT), "");
  EXPECT_EQ(readAll(file), dataLines(1000));
}

TEST(TraceFile, AFailedWriteIsToldAtTheEnd) {
  std::string error;
  auto trace = TraceFile::create("/dev/full", error);
  ASSERT_NE(trace, nullptr) << error;
  for (int i = 0; i < 100; ++i) trace->stream() << traceLine("out", 0x378, 0) << '\n';
  EXPECT_EQ(trace->finish(), "No space left on device");

  trace.reset();

  // Through the port stack, as the programs end a run.
  auto stack = PortStack::build(tracedSimulation("/dev/full"), error);
  ASSERT_NE(stack, nullptr) << error;
  stack->port().PortOut(0x378, 0);
  EXPECT_EQ(stack->finishTrace(),
            "the trace file /dev/full could not be written: No space left on device");
}

}  // namespace
}  // namespace burnlab::testing
