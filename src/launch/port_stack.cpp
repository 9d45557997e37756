#include "launch/port_stack.h"

#include <cmath>

#include "launch/busy_wait_timing.h"
#include "link/direct_port.h"
#include "link/hardware_port.h"
#include "link/null_port.h"
#include "sim/board_faults.h"
#include "sim/socket_choice.h"

namespace burnlab {
namespace {

constexpr const char* kChipFileNeedsChip =
    "--sim-chip keeps a simulated chip: it needs --simulate=CHIP[,FAULT...]";

}  // namespace

std::unique_ptr<PortStack> PortStack::build(const ProgramOptions& options, std::string& error,
                                            const PortTap& tap) {
  std::unique_ptr<PortStack> stack(new PortStack());
  PortIo* backEnd = nullptr;
  if (!options.simulate && !options.simBoard.empty()) {
    error = "--sim-board needs --simulate";
    return nullptr;
  }
  if (options.simulate) {
    auto socket = sim::parseSocketChoice(options.simSocket);
    if (!socket.error.empty()) {
      error = socket.error;
      return nullptr;
    }
    if (!options.simChipFile.empty() && socket.choice.kind != sim::SocketChoice::Kind::Chip) {
      error = kChipFileNeedsChip;
      return nullptr;
    }
    if (socket.choice.kind == sim::SocketChoice::Kind::NoBoard) {
      stack->backEnd_ = std::make_unique<NullPort>();
      backEnd = stack->backEnd_.get();
    } else {
      // The clock is the time a real PC would take: its own busy-wait speed unless given.
      const double loopNs = options.simLoopNs ? *options.simLoopNs : measuredBusyWaitNs();
      stack->clock_ = std::make_unique<sim::VirtualClock>();
      stack->time_ = std::make_unique<sim::SimTime>(
          *stack->clock_, static_cast<std::uint64_t>(std::llround(loopNs * 1000)));
      stack->simBoard_ =
          std::make_unique<sim::SimBoard>(options.simModel, options.simPort, *stack->clock_);
      stack->simBoard_->setAccessNs(options.simAccessNs);
      const auto faults = sim::parseBoardFaults(options.simBoard);
      if (!faults.error.empty()) {
        error = faults.error;
        return nullptr;
      }
      stack->simBoard_->setFaults(faults.faults);
      socket.choice.options.seed = options.simSeed;
      if (!options.simChipFile.empty()) {
        stack->chipFile_ = sim::ChipFile::open(options.simChipFile, socket.choice, error);
        if (!stack->chipFile_) return nullptr;
        stack->simBoard_->insert(stack->chipFile_->chip());
      } else if (socket.choice.kind == sim::SocketChoice::Kind::Chip) {
        auto chip = sim::buildSocketChip(socket.choice, error);
        if (!chip) return nullptr;
        stack->simBoard_->insert(std::move(chip));
      }
      backEnd = stack->simBoard_.get();
      stack->backEndName_ = "the simulated board";
    }
  } else if (!options.simChipFile.empty()) {
    error = kChipFileNeedsChip;
    return nullptr;
  } else {
    HardwarePortRequest request;
    request.direct = options.direct;
    request.parportDevice = options.parportDevice;
    auto* raw = stack.get();
    auto hardware =
        openHardwarePort(request, [raw](const std::string& problem) { raw->report(problem); });
    stack->backEnd_ = std::move(hardware.port);
    if (dynamic_cast<PpdevPort*>(stack->backEnd_.get())) stack->backEndName_ = "ppdev";
    if (dynamic_cast<DirectPort*>(stack->backEnd_.get())) stack->backEndName_ = "direct I/O";
    stack->notice_ = hardware.notice;
    if (!hardware.notice.empty()) stack->pending_.push_back(hardware.notice);
    backEnd = stack->backEnd_.get();
  }

  if (tap) {
    stack->tap_ = tap(*backEnd);
    backEnd = stack->tap_.get();
  }
  if (!options.traceFile.empty()) {
    stack->traceFile_ = TraceFile::create(options.traceFile, error);
    if (!stack->traceFile_) return nullptr;
    stack->tracer_ = std::make_unique<TracingPort>(*backEnd, stack->traceFile_->stream());
    backEnd = stack->tracer_.get();
  }
  stack->filter_ = std::make_unique<PortAddressFilter>(*backEnd);
  return stack;
}

std::string PortStack::finishTrace() {
  if (!traceFile_) return {};
  const auto failure = traceFile_->finish();
  if (failure.empty()) return {};
  return "the trace file " + traceFile_->path().string() + " could not be written: " + failure;
}

std::string PortStack::writeBackChip() {
  if (!chipFile_) return {};
  return chipFile_->writeBack(clock_->nowNs());
}

void PortStack::onProblem(std::function<void(const std::string&)> receiver) {
  receiver_ = std::move(receiver);
  for (const auto& problem : pending_) receiver_(problem);
  pending_.clear();
}

void PortStack::report(const std::string& problem) {
  if (receiver_)
    receiver_(problem);
  else
    pending_.push_back(problem);
}

}  // namespace burnlab
