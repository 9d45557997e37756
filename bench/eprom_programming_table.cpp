// Does the EPROM routines' pulse algorithm program a datasheet-faithful part, and how long would
// it take on a real port? For each part and speed-slider setting, programs a random sample into
// a simulated chip on a clock that runs as this PC would (its busy-wait loop measured here, a
// microsecond per port access, the program pulses paced at half a microsecond a count, sleeps
// as slept), and prints one table row: whether every byte took, the pulse attempts per byte
// (mean and most), how many bytes needed lengthened pulses, how many pulses were shorter than
// the part's datasheet allows, the projected real-port time of the whole chip (without verify)
// and its ratio to the floor (the chip's bytes times its datasheet pulse).
//
//   burnlab_bench_program [SAMPLE_BYTES [LOOP_NS [SLIDER,...]]]
//
// LOOP_NS 0 (or none) takes this PC's measured busy-wait time; the sliders are 20,19,18,10,1
// unless listed.
//
// The paced waits and the sleeps pass on the fake platform's virtual clock, so they take no
// real time, but the routines' counting loops really run; hence a sample (1024 bytes by
// default, the whole chip when it is as large) at the start of the chip. Its cells are drawn
// independently, so the chip's time is the sample's time per byte times the chip's size, plus
// the fixed waits (the half second before the routine, the 1.5 s VPP settling).
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "devices/device_catalogue.h"
#include "launch/busy_wait_timing.h"
#include "launch/start_up.h"
#include "sim/eprom_types.h"
#include "sim/sim_summary.h"
#include "support/fake_dialogs.h"
#include "support/temp_folder.h"

namespace {

using namespace burnlab;

struct Part {
  const char* chip;         // the simulated part, and the Device list's entry of that name
  bool readsBeforeWriting;  // its routine reads every address once before its pulses
};

constexpr Part kParts[] = {{"2732A", true},    {"2732", true},    {"2764", false},
                           {"27C256", false},  {"27C512", true},  {"27C010", false},
                           {"27C4001", false}, {"27C080", true}};

// The chip's bytes times its datasheet's program pulse: no routine can be quicker.
std::uint64_t floorNs(const char* chip, std::int32_t bytes) {
  for (const auto& type : sim::epromTypes()) {
    if (type.name == chip) return std::uint64_t{type.pulseUs} * 1000 * std::uint64_t(bytes);
  }
  return 0;
}

std::vector<int> slidersOf(const std::string& list) {
  std::vector<int> sliders;
  std::istringstream in(list);
  for (std::string one; std::getline(in, one, ',');) sliders.push_back(std::stoi(one));
  return sliders;
}

// Passes the board's traffic on and counts the status reads made at each address.
class AttemptCounter final : public PortIo {
 public:
  explicit AttemptCounter(PortIo& inner) : inner_(inner) {}
  // The routine's address counter, which tells where each read belongs.
  void follow(const std::int32_t* address) { address_ = address; }
  void PortOut(std::uint16_t port, std::uint8_t value) override { inner_.PortOut(port, value); }
  std::uint8_t PortIn(std::uint16_t port) override {
    if (address_ && static_cast<std::size_t>(*address_) < statusReads.size()) {
      ++statusReads[static_cast<std::size_t>(*address_)];
    }
    return inner_.PortIn(port);
  }
  std::vector<std::uint32_t> statusReads;

 private:
  PortIo& inner_;
  const std::int32_t* address_ = nullptr;
};

struct Row {
  bool ok = false;
  double meanAttempts = 0;
  std::uint32_t mostAttempts = 0;
  std::uint32_t lengthened = 0;   // bytes that needed more than 55 pulses
  std::uint64_t shortPulses = 0;  // pulses shorter than the datasheet's minimum, in the sample
  std::size_t sample = 0;         // bytes programmed: the sample asked for, at most the chip
  std::uint64_t sampleNs = 0;     // the routine's time on the sample
  std::uint64_t fixedNs = 0;      // the waits that do not grow with the chip
  std::int32_t chipSize = 0;
  std::string failure;
};

bool contains(const std::string& text, const char* part) {
  return text.find(part) != std::string::npos;
}

// The program as the CLI starts it with --simulate=CHIP --sim-no-wait: waits pass on the
// simulated clock only, and the counter sits between the program and the simulated board.
struct ProgramOnSimulatedBoard {
  testing::FakeDialogs dialogs;
  NoView view;
  AttemptCounter* port = nullptr;
  std::unique_ptr<StartUp> startUp;
};

std::unique_ptr<ProgramOnSimulatedBoard> startOn(const char* chip, double loopNs,
                                                 const std::filesystem::path& folder) {
  ProgramOptions options;
  options.simulate = true;
  options.simSocket = chip;
  options.simLoopNs = loopNs;
  options.simNoWait = true;
  auto program = std::make_unique<ProgramOnSimulatedBoard>();
  const auto tap = [raw = program.get()](PortIo& board) {
    auto counter = std::make_unique<AttemptCounter>(board);
    raw->port = counter.get();
    return std::unique_ptr<PortIo>(std::move(counter));
  };
  std::string error;
  program->startUp = StartUp::build(
      options, ProgramSignals::Answer::StopTheCommand,
      {std::make_unique<StdPlatform>(folder), program->dialogs, program->view},
      {folder, folder, folder}, error, tap);
  if (!program->startUp) {
    std::fprintf(stderr, "burnlab_bench_program: %s\n", error.c_str());
    std::exit(2);
  }
  return program;
}

Row programSample(const Part& part, int slider, std::size_t asked, double loopNs,
                  const std::filesystem::path& folder) {
  const auto program = startOn(part.chip, loopNs, folder);
  auto& app = program->startUp->app();
  auto& board = *program->startUp->stack().simulatedBoard();
  auto& clock = *program->startUp->stack().simulatedClock();
  auto& port = *program->port;
  auto& platform = app.seams.platform;
  app.Form_Load();
  const int position = DeviceCatalogue::positionOf(part.chip).value();
  app.setDeviceListIndex(position);
  app.valueChosen("Slider1", slider);

  Row row;
  row.chipSize = app.device.DeviceSize;
  const std::size_t sample = std::min(asked, static_cast<std::size_t>(row.chipSize));
  row.sample = sample;
  std::mt19937 random(static_cast<unsigned>(position));
  for (std::size_t a = 0; a < sample; ++a) {
    app.buffers.CodeBuffer[a] = static_cast<std::uint8_t>(random());
  }
  auto& image = app.options.image;
  app.options.BuildProgramImage(app.buffers.codeImage());
  image.ProgramSize = static_cast<std::int32_t>(sample);
  port.statusReads.assign(sample, 0);
  port.follow(&app.board.address.LinearAddress);

  // As the dispatcher starts a routine: the board reset, address 0 loaded, half a second.
  const auto start = clock.nowNs();
  app.board.address.LinearAddress = 0;
  app.board.address.Endereco2Adr();
  app.board.Reset();
  app.board.SETADR();
  platform.Sleep(500);
  const auto routineStart = clock.nowNs();
  const auto logged = app.panel.SystemLog.text.size();
  const auto eventsBefore = board.counters().events;
  app.programming.run.ProgramFailed = 0;
  app.programming.routineFor(app.device.Routines.program)();
  const auto end = clock.nowNs();
  const auto shortKind = static_cast<std::size_t>(sim::SimEventKind::ShortProgramPulse);
  const auto shortPulses = board.counters().events[shortKind] - eventsBefore[shortKind];
  port.follow(nullptr);
  app.board.Reset();

  row.ok = app.programming.run.ProgramFailed == 0;
  row.shortPulses = shortPulses;
  if (!row.ok) {
    const auto text = app.panel.SystemLog.text.substr(logged);
    const auto line = text.find("*** Address:");
    row.failure = text.substr(line + 4, text.find('\r', line) - line - 4);
  }
  const bool settles = contains(app.panel.SystemLog.text.substr(logged), "Wait 1500ms");
  row.fixedNs = (routineStart - start) + (settles ? 1'500'000'000ull : 0);
  row.sampleNs = end - routineStart - (settles ? 1'500'000'000ull : 0);
  std::uint64_t attempts = 0, pulsed = 0;
  for (std::size_t a = 0; a < sample; ++a) {
    // Each attempt reads the byte back once; the routines that read first add one read.
    const std::uint32_t readBacks = port.statusReads[a] / 2;
    const std::uint32_t before = part.readsBeforeWriting ? 1 : 0;
    if (readBacks <= before) continue;  // skipped, or not reached after a failure
    const std::uint32_t reads = readBacks - before;
    attempts += reads;
    ++pulsed;
    row.mostAttempts = std::max(row.mostAttempts, reads);
    if (reads > 55) ++row.lengthened;
  }
  row.meanAttempts = pulsed ? static_cast<double>(attempts) / static_cast<double>(pulsed) : 0;
  return row;
}

}  // namespace

int main(int argc, char** argv) {
  const std::size_t sample = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1024;
  const double givenNs = argc > 2 ? std::strtod(argv[2], nullptr) : 0.0;
  const double loopNs = givenNs > 0 ? givenNs : measuredBusyWaitNs();
  const auto sliders = slidersOf(argc > 3 ? argv[3] : "20,19,18,10,1");
  const testing::TempFolder folder;  // burnlab6.ini and the setups of the runs
  std::printf("busy-wait loop %.3f ns an iteration, 1 us a port access; sample %zu random bytes\n",
              loopNs, sample);
  std::printf("%-8s %6s %8s  %-4s %8s %6s %11s %8s %14s %7s  %s\n", "part", "slider", "bytes", "ok",
              "attempts", "most", "lengthened", "short", "projected", "floor", "first failure");
  for (const auto& part : kParts) {
    for (const int slider : sliders) {
      const auto row = programSample(part, slider, sample, loopNs, folder.path());
      const double perByte = static_cast<double>(row.sampleNs) / static_cast<double>(row.sample);
      const auto chipNs = static_cast<std::uint64_t>(perByte * row.chipSize) + row.fixedNs;
      const auto floor = floorNs(part.chip, row.chipSize);
      char ratio[16] = "-";
      if (row.ok && floor) {
        std::snprintf(ratio, sizeof ratio, "%.2fx",
                      static_cast<double>(chipNs) / static_cast<double>(floor));
      }
      std::printf("%-8s %6d %8zu  %-4s %8.2f %6u %11u %8llu %14s %7s  %s\n", part.chip, slider,
                  row.sample, row.ok ? "yes" : "NO", row.meanAttempts, row.mostAttempts,
                  row.lengthened, static_cast<unsigned long long>(row.shortPulses),
                  row.ok ? sim::durationText(chipNs).c_str() : "-", ratio, row.failure.c_str());
      std::fflush(stdout);
    }
  }
  return 0;
}
