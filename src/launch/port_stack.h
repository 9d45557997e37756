#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "launch/program_options.h"
#include "launch/trace_file.h"
#include "link/port_address_filter.h"
#include "link/port_io.h"
#include "link/tracing_port.h"
#include "sim/chip_file.h"
#include "sim/sim_board.h"
#include "sim/sim_clock.h"
#include "sim/sim_time.h"

namespace burnlab {

// A layer of the caller's own put directly above the back end, made once the back end is: it
// sees every access the board gets, and passes each on (the programming table counts them).
using PortTap = std::function<std::unique_ptr<PortIo>(PortIo& backEnd)>;

// The chain of port layers the options ask for: the address filter, then the trace (when
// asked for), then the tap (when given), then the back end: the simulated board, a real port,
// or no port at all.
class PortStack {
 public:
  // Builds the stack. `error` is set when the trace file cannot be created, or when the
  // simulated socket names an unknown chip, an unknown fault or an image that cannot be used.
  static std::unique_ptr<PortStack> build(const ProgramOptions& options, std::string& error,
                                          const PortTap& tap = {});

  PortIo& port() { return *filter_; }

  // Ends the trace, when there is one: every access is written out and the file closed.
  // Returns why the trace file is incomplete (for the operator, with the file's name), or
  // nothing when it is whole or there is no trace.
  std::string finishTrace();

  // Why no real port is used, if so; and problems found later by the port layer. Until a
  // receiver is set, problems are kept and handed over when it is.
  void onProblem(std::function<void(const std::string&)> receiver);
  const std::string& notice() const { return notice_; }

  // How the program reaches the port: "ppdev", "direct I/O", "the simulated board"; empty when
  // it reaches none.
  const std::string& backEndName() const { return backEndName_; }

  // The simulated board, when the stack runs on one.
  sim::SimBoard* simulatedBoard() { return simBoard_.get(); }
  sim::SimClock* simulatedClock() { return clock_.get(); }
  // What advances the simulated clock beside the port accesses: busy-wait loops and sleeps.
  // Nothing without a simulated board.
  sim::SimTime* simulatedTime() { return time_.get(); }

  // The file the simulated chip lives in (--sim-chip), when there is one.
  sim::ChipFile* chipFile() { return chipFile_.get(); }
  // Writes the chip kept in its file back to it, as it stands now; why it could not be
  // written, or nothing (also without such a file).
  std::string writeBackChip();

 private:
  PortStack() = default;
  void report(const std::string& problem);

  std::unique_ptr<sim::SimClock> clock_;
  std::unique_ptr<sim::SimTime> time_;
  std::unique_ptr<sim::SimBoard> simBoard_;
  std::unique_ptr<sim::ChipFile> chipFile_;
  std::unique_ptr<PortIo> backEnd_;
  std::unique_ptr<PortIo> tap_;
  std::unique_ptr<TraceFile> traceFile_;
  std::unique_ptr<TracingPort> tracer_;
  std::unique_ptr<PortAddressFilter> filter_;
  std::string notice_;
  std::string backEndName_;
  std::function<void(const std::string&)> receiver_;
  std::vector<std::string> pending_;
};

}  // namespace burnlab
