#include "shell/hardware_detection.h"

#include <array>
#include <optional>

#include "link/hex_text.h"
#include "link/lpt_addresses.h"
#include "panel/colors.h"

namespace burnlab {
namespace {

// The LPTSelection options, by index.
struct PortOption {
  std::int16_t base;
  const char* text;
};
constexpr std::array<PortOption, 3> kPortOptions{
    {{0x378, "378h"}, {0x278, "278h"}, {0x3BC, "3BCh"}}};

bool isOption(int index) {
  return index >= 0 && index < static_cast<int>(kPortOptions.size());
}

bool isBoardModel(std::int16_t model) {
  return model == 4 || model == 5 || model == 6;
}

// A model-5 or -6 board blinks its activity LED when it is reported found.
constexpr int kActivityPulseMs = 200;

}  // namespace

std::optional<int> lptOptionOf(std::int16_t base) {
  for (std::size_t index = 0; index < kPortOptions.size(); ++index) {
    if (kPortOptions[index].base == base) return static_cast<int>(index);
  }
  return std::nullopt;
}

void HardwareDetection::TestHardware_button_Click() {
  // A port another program held earlier may be free now: the search tries it again.
  board_.port().retryUnavailablePorts();
  HardwareFoundPort = 0;
  board_.Model = 0;
  panel_.BurnlabHardwareFound.foreColor = kYellow;
  panel_.BurnlabHardwareFound.caption = "NO HARDWARE FOUND";
  const std::int16_t remembered = board_.PortBase;
  for (const auto base : kLptBases) {
    board_.setPortBase(static_cast<std::int16_t>(base));
    CheckHardware(board_, HardwareFoundPort, *this);
  }
  board_.setPortBase(remembered);
  ReportHardware();
}

void HardwareDetection::ReportHardware() {
  if (HardwareFoundPort < 1) return;
  panel_.Ready_label.foreColor = kWhite;
  board_.setPortBase(HardwareFoundPort);
  if (const auto option = lptOptionOf(board_.PortBase)) selectLPTOption(*option);
  if (isBoardModel(board_.Model)) reportFoundModel();
  board_.Reset();
}

void HardwareDetection::reportFoundModel() {
  const auto model = std::to_string(board_.Model);
  const auto port = hexText(board_.PortBase);
  log_.LogLine("BURNLAB-" + model + " Device was FOUND at Port: " + port);
  panel_.BurnlabHardwareFound.caption = "MODEL " + model + " - PC port " + port + "h";
  panel_.BurnlabHardwareFound.foreColor = kWindowText;
  configFile_.write(board_.PortBase, board_.Model);
  board_.SetupPortModel();
  if (board_.Model == 4) return;
  board_.ActivityLineOn();
  platform_.Sleep(kActivityPulseMs);
  board_.ActivityLineOff();
}

void HardwareDetection::ReadPortConfig() {
  board_.setPortBase(0);
  const auto config = configFile_.read();
  if (!config) return;
  if (config->ioPort) board_.setPortBase(*config->ioPort);
  if (config->model) board_.Model = *config->model;
  // A file without both keys, or with one of them twice, names no board: the port it may have
  // set stays, but nothing is reported.
  if (!config->complete()) return;
  // The file only says where a board was found last time. It is believed once the board
  // answers there, to the probe the search uses, as the model it answers as; a board switched
  // off or taken away, or a model that no board is, leaves start-up to search as if there
  // were no file (which stays as it is for the next start).
  if (!isBoardModel(board_.Model) || !boardAnswersAt(board_.PortBase)) {
    board_.Model = 0;
    board_.setPortBase(0);
    return;
  }
  HardwareFoundPort = board_.PortBase;
  ReportHardware();
}

bool HardwareDetection::boardAnswersAt(std::int16_t base) {
  if (!lptOptionOf(base)) return false;
  board_.Model = 0;
  std::int16_t answered = 0;
  CheckHardware(board_, answered, *this);
  return answered == base;
}

void HardwareDetection::LPTSelection_Click(int /*index*/) {
  for (std::size_t index = 0; index < kPortOptions.size(); ++index) {
    if (!panel_.LPTSelection[index].checked) continue;
    const auto& option = kPortOptions[index];
    panel_.PortSelected.text = option.text;
    log_.LogLine(std::string("Port Selection changed to ") + option.text);
    board_.setPortBase(option.base);
  }
}

void HardwareDetection::clickLPTOption(int index) {
  if (!isOption(index)) return;
  markSelected(index);
  LPTSelection_Click(index);
}

void HardwareDetection::selectLPTOption(int index) {
  if (isOption(index) && markSelected(index)) LPTSelection_Click(index);
}

bool HardwareDetection::markSelected(int index) {
  const bool changed = !panel_.LPTSelection[index].checked;
  for (std::size_t option = 0; option < panel_.LPTSelection.size(); ++option) {
    panel_.LPTSelection[option].checked = static_cast<int>(option) == index;
  }
  return changed;
}

void HardwareDetection::forceModel(std::int16_t model) {
  board_.Model = model;
  const auto digit = std::to_string(model);
  log_.LogLine("BURNLAB-" + digit + " Device was FORCED by Operator");
  panel_.BurnlabHardwareFound.caption = "Operator Forced Model " + digit;
  panel_.BurnlabHardwareFound.foreColor = kPink;
  panel_.Ready_label.foreColor = kPink;
  board_.SetupPortModel();
  board_.Reset();
}

void HardwareDetection::Timer1_Timer() {
  panel_.Timer1.enabled = false;
}

}  // namespace burnlab
