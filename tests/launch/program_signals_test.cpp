// The terminal's one owner of SIGINT, SIGTERM and SIGHUP: the trace written out, then the stop
// asked, and a signal of start-up kept for the command.
#include <gtest/gtest.h>

#include "launch/program_signals.h"
#include "launch/trace_file.h"
#include "support/cli_run.h"

namespace burnlab::testing {
namespace {

TEST(ProgramSignals, ASignalWritesTheTraceOutAndAsksTheCommandToStopEvenOneNotYetBegun) {
  TempFolder folder;
  const auto file = folder.path() / "trace.txt";
  const ProgramSignals signals(ProgramSignals::Answer::StopTheCommand);
  std::string error;
  const auto trace = TraceFile::create(file, error);
  ASSERT_NE(trace, nullptr) << error;
  trace->stream() << "out 0378 9F\nout 037A";  // a whole line, and the start of the next

  ::raise(SIGHUP);  // during start-up: no command to ask yet, and the process goes on
  EXPECT_EQ(lines(file), std::vector<std::string>{"out 0378 9F"});

  StopRequest request;
  {
    const ProgramSignals::Asking asking(request);
    EXPECT_EQ(request.reason(), SIGHUP);  // kept for the command
    request.clear();
    ::raise(SIGINT);
    EXPECT_EQ(request.reason(), SIGINT);
  }
  request.clear();
  ::raise(SIGTERM);  // no longer asked of it
  EXPECT_FALSE(request.requested());
  EXPECT_EQ(trace->finish(), "");
  EXPECT_EQ(lines(file), (std::vector<std::string>{"out 0378 9F", "out 037A"}));
}

}  // namespace
}  // namespace burnlab::testing
