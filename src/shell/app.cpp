#include "shell/app.h"

#include <chrono>

#include "devices/command_availability.h"
#include "shell/window_geometry.h"

namespace burnlab {
namespace {

// Where the window remembers the opt-in to the untested flash devices.
constexpr const char* kUntestedSection = "Settings";
constexpr const char* kUntestedKey = "AllowUntested";

}  // namespace

App::App(AppSeams appSeams)
    : seams(appSeams),
      paceClock(seams.platform),
      board(seams.port, *this),
      log(panel, seams.platform, seams.dialogs, [this] { return std::int32_t{board.Model}; }),
      lamps(panel, seams.view, log, *this),
      sounds(seams.platform),
      portConfig(seams.platform, log),
      hardware(panel, board, log, lamps, seams.platform, portConfig),
      hexDisplay(panel, buffers, device, board.address, board.Model, log, sounds, seams.dialogs,
                 seams.platform, *this),
      bufferCommands(
          {panel, buffers, hexDisplay, log, lamps, sounds, seams.dialogs, device, seams.view}),
      options(panel, board, device, log, sounds),
      operations{panel,         board,          buffers,    device,     log,     lamps,      sounds,
                 seams.dialogs, seams.platform, seams.view, hexDisplay, options, stopRequest},
      buffersForDevice(buffers, hexDisplay),
      selection(
          {device, board, options, buffersForDevice, panel, lamps, log, sounds, *this, *this}),
      reports(operations),
      stopping(operations),
      twoWire(board, [this](int ms) { operations.pause(ms); }),
      reading(operations, reports, twoWire),
      blankCheck(operations, reports),
      verify(operations, reports, twoWire),
      compare(operations, reports, twoWire),
      x28c256(operations),
      flash(operations),
      serialWrite(operations, twoWire),
      programming(operations, reports, blankCheck, verify, twoWire, x28c256, serialWrite, flash),
      erasing(operations, reports, programming.run, x28c256, serialWrite, twoWire, flash),
      boardTest(operations,
                [] {
                  return static_cast<std::uint64_t>(
                      std::chrono::duration_cast<std::chrono::nanoseconds>(
                          std::chrono::steady_clock::now().time_since_epoch())
                          .count());
                }),
      setups({panel, buffers, log, seams.dialogs, seams.platform, bufferCommands, *this}) {
  board.paceDelaysWith(paceClock);
  options.initControls();
}

void App::testTheBoard(int chipReads) {
  runEvent([&] { boardTest.run(chipReads); });
}

void App::allowUntestedDevices(bool allow) {
  panel.menuAllowUntested.checked = allow;
  selection.setAllowUntested(allow);
}

void App::menuAllowUntested_Click() {
  const bool allow = !panel.menuAllowUntested.checked;
  allowUntestedDevices(allow);
  seams.platform.setSetting(kUntestedSection, kUntestedKey, allow ? "1" : "0");
}

void App::resetProgressBar() {
  panel.ProgressBar1.max = 100;
  panel.ProgressBar1.value = 0;
}

void App::Form_Load() {
  board.Model = 0;
  panel.placement = loadWindowPlacement(seams.platform);
  placeHexDisplayFrame();
  // The address split's divisors are constants (kMidDivisor, kHighDivisor).
  board.ShortDelayFactor = 5;
  board.MediumDelayFactor = 100;
  board.LongDelayFactor = 500;
  DisableDeviceCommands(panel);
  board.maps.fillIdentity();
  panel.BurnlabHardwareFound.caption = "NO HARDWARE FOUND !!!";
  panel.Ready_label.foreColor = kGreyText;
  hardware.HardwareFoundPort = 0;
  board.setPortBase(0);
  board.InitControlTables();
  hardware.ReadPortConfig();
  if (board.PortBase == 0) hardware.TestHardware_button_Click();
  board.SetupPortModel();
  lamps.DataFlowLampOff();
  lamps.ProgramLampOff();
  lamps.ErrorLampOff();
  log.clear();
  hexDisplay.setScrollMax(0);
  // The catalogue is constant data, built in with the program; the opt-in, once given, is
  // remembered.
  if (seams.platform.setting(kUntestedSection, kUntestedKey) == "1") selection.allowUntested = true;
  panel.menuAllowUntested.checked = selection.allowUntested;
  fillDeviceList();
  board.Reset();
  sounds.PlayEventSound("INIT");
  started_ = true;
  for (const auto& problem : pendingPortProblems_) showPortProblem(problem);
  pendingPortProblems_.clear();
  seams.view.changed();
}

void App::placeHexDisplayFrame() {
  panel.Frame3.top = 72;
  panel.Frame3.width = 481;
  panel.Frame3.height = 241;
}

void App::Form_Unload() {
  board.Reset();
  seams.view.closeOtherWindows();
  frmAbout.reset();
  // A minimised window keeps the placement saved at the last normal exit.
  if (!panel.placement.minimized) saveWindowPlacement(seams.platform, panel.placement);
}

CommandOutcome App::runStoppable(const std::function<CommandOutcome()>& action) {
  return stopping.run(action);
}

void App::reportPortProblem(const std::string& problem) {
  if (!started_) {
    pendingPortProblems_.push_back(problem);
    return;
  }
  showPortProblem(problem);
  seams.view.changed();
}

void App::showPortProblem(const std::string& problem) {
  log.LogLine(problem);
  panel.sbStatusBar[0].text = problem;
}

}  // namespace burnlab
