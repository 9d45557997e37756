#include "shell/setup_slots.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstring>

#include "shell/setup_slot_file.h"
#include "shell/setup_values.h"
#include "util/atomic_file.h"

namespace burnlab {
namespace {

constexpr const char* kCrLf = "\r\n";
constexpr const char* kRestoreMark = ">>>>>>>>>>>>";
// The menu caption is the first line from this character on: the text after "SetupName = ".
constexpr std::size_t kCaptionStart = 12;

constexpr std::string_view kNameKey = "SetupName = ";
constexpr std::string_view kFileKey = "sFILE = ";
constexpr std::string_view kDeviceKey = "Device.Index = ";
constexpr std::string_view kBlankKey = "CheckBlankPriorProgramming.Value = ";
constexpr std::string_view kVerifyKey = "VerifyAfterProgramming.Value = ";
constexpr std::string_view kPortTextKey = "PortSelected.Text = ";
constexpr std::string_view kSliderKey = "Slider1.Value = ";
constexpr std::string_view kCheckCodeKey = "CheckCode.Value = ";
constexpr std::string_view kCheckDataKey = "CheckData.Value = ";

// The key of one option of a group: "HiLow_button(2).Value = ". The voltage options are written
// with a lower-case "value", and stored slots rely on it.
std::string optionKey(std::string_view group, int index) {
  const char* property = group == "Voltage_button" ? "value" : "Value";
  return std::string(group) + "(" + std::to_string(index) + ")." + property + " = ";
}

std::string word(bool value) {
  return value ? "True" : "False";
}

std::string checkState(const Control& box) {
  return box.checked ? "1" : "0";
}

bool hasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// A name is one line of the slot file: line breaks in it become blanks.
std::string oneLine(std::string text) {
  for (auto& c : text) {
    if (c == '\r' || c == '\n') c = ' ';
  }
  return text;
}

// The controls a restore sets and what their changes run.
struct RestoreTarget {
  Panel& panel;
  SetupEvents& events;
  std::filesystem::path& codeFile;
};

// Applies one value; false when it is not a value of that key (the line is then skipped).
using ApplyValue = std::function<bool(RestoreTarget&, std::string_view)>;

struct RestoreKey {
  std::string key;
  ApplyValue apply;
};

template <std::size_t N>
ApplyValue option(std::array<Control, N> Panel::*group, int index,
                  void (SetupEvents::*choose)(int)) {
  return [=](RestoreTarget& target, std::string_view value) {
    const auto chosen = parseSetupBoolean(value);
    if (!chosen) return false;
    if (*chosen) {
      (target.events.*choose)(index);
    } else {
      (target.panel.*group)[static_cast<std::size_t>(index)].checked = false;
    }
    return true;
  };
}

ApplyValue checkBox(Control Panel::*box) {
  return [=](RestoreTarget& target, std::string_view value) {
    const auto ticked = parseSetupCheckState(value);
    if (!ticked) return false;
    (target.panel.*box).checked = *ticked;
    return true;
  };
}

bool restoreDevice(RestoreTarget& target, std::string_view value) {
  const auto index = parseSetupInteger<std::int16_t>(value);
  if (!index) return false;
  target.events.chooseDevice(*index);
  return true;
}

// The slider takes only values of its range; a change runs its change handler, so the delay
// counts follow the speed it shows.
bool restoreSlider(RestoreTarget& target, std::string_view value) {
  const auto speed = parseSetupInteger<std::int32_t>(value);
  auto& slider = target.panel.Slider1;
  if (!speed || *speed < slider.min || *speed > slider.max) return false;
  if (*speed == slider.value) return true;
  slider.value = *speed;
  target.events.sliderChanged();
  return true;
}

// The keys a restore understands; every other line is ignored.
const std::vector<RestoreKey>& restoreKeys() {
  static const auto keys = [] {
    std::vector<RestoreKey> table{
        {std::string(kFileKey),
         [](RestoreTarget& target, std::string_view value) {
           target.codeFile = std::string(value);
           return true;
         }},
        {std::string(kDeviceKey), restoreDevice},
        {std::string(kBlankKey), checkBox(&Panel::CheckBlankPriorProgramming)},
        {std::string(kVerifyKey), checkBox(&Panel::VerifyAfterProgramming)},
        {std::string(kPortTextKey),
         [](RestoreTarget& target, std::string_view value) {
           target.panel.PortSelected.text = std::string(value);
           return true;
         }},
        {std::string(kSliderKey), restoreSlider},
        {std::string(kCheckCodeKey), checkBox(&Panel::CheckCode)},
        {std::string(kCheckDataKey), checkBox(&Panel::CheckData)},
    };
    for (int index = 0; index < 4; ++index) {
      table.push_back({optionKey("Voltage_button", index),
                       option(&Panel::Voltage_button, index, &SetupEvents::chooseVoltage)});
    }
    for (int index = 0; index < 3; ++index) {
      table.push_back({optionKey("LPTSelection", index),
                       option(&Panel::LPTSelection, index, &SetupEvents::chooseLPTOption)});
      table.push_back({optionKey("HiLow_button", index),
                       option(&Panel::HiLow_button, index, &SetupEvents::chooseHiLow)});
    }
    return table;
  }();
  return keys;
}

std::array<Control*, kSetupSlotCount> loadEntries(Panel& panel) {
  return {&panel.LoadSetup1, &panel.LoadSetup2, &panel.LoadSetup3, &panel.LoadSetup4};
}

}  // namespace

// ---- The menu ----

void SetupSlots::Setup_Click() {
  const auto entries = loadEntries(p_.panel);
  for (auto* entry : entries) entry->enabled = false;
  const auto folder = p_.platform.setupFolder();
  for (int slot = 1; slot <= kSetupSlotCount; ++slot) {
    const auto file = findSetupSlotFile(folder, setupSlotFileName(slot));
    if (!file) continue;
    // A file that cannot be read cannot be restored either: its entry stays disabled.
    const auto read = readSetupFile(*file);
    if (!read.read()) continue;
    const auto firstLine = read.lines.empty() ? std::string() : read.lines.front();
    auto& entry = *entries[static_cast<std::size_t>(slot - 1)];
    entry.enabled = true;
    entry.caption = firstLine.size() > kCaptionStart ? firstLine.substr(kCaptionStart) : "";
  }
}

// ---- Saving ----

void SetupSlots::saveSlot(int slot) {
  SaveSetupRot(setupSlotFileName(slot));
}

void SetupSlots::SaveSetupRot(const std::string& fileName) {
  const auto answer =
      p_.dialogs.input("Please input a NAME for this Setup", "Saving Name Input", "");
  // Cancelling keeps the slot as it is.
  if (!answer) return;
  auto name = oneLine(*answer);
  // The eighth character of the file name is the slot's digit.
  const auto digit = fileName.substr(std::min<std::size_t>(7, fileName.size()), 1);
  if (name.empty()) name = "No Name Setup " + digit;

  const auto codeFile = p_.buffers.CodeFileName.string();
  if (hasLineBreak(codeFile)) {
    // A slot holds one line per value: such a name would come back as other lines.
    const auto reason = "the code file name " + codeFile + " has a line break in it";
    reportFileProblem("Setup File " + fileName + " not saved: " + reason,
                      "Can't Save Setup File " + fileName + ": " + reason, "Setup Not Saved");
    return;
  }
  const auto written = writeFileAtomically(p_.platform.setupFolder() / fileName, setupText(name));
  if (!written.ok()) {
    reportFileProblem("Setup File " + fileName + " could not be saved: " + written.error,
                      "Can't Save Setup File " + fileName + ": " + written.error,
                      "Setup Not Saved");
    return;
  }
  p_.log.LogLine("Setup Saved as " + fileName + ", named:" + name);
}

// The 19 lines of a slot, in the order stored slots have them.
std::string SetupSlots::setupText(const std::string& name) const {
  const auto& panel = p_.panel;
  std::string text;
  const auto line = [&text](std::string_view key, const std::string& value) {
    text.append(key).append(value).append(kCrLf);
  };
  line(kNameKey, name);
  line(kFileKey, p_.buffers.CodeFileName.string());
  line(kDeviceKey, std::to_string(panel.Device.listIndex));
  for (int i = 0; i < 4; ++i) {
    line(optionKey("Voltage_button", i),
         word(panel.Voltage_button[static_cast<std::size_t>(i)].checked));
  }
  line(kBlankKey, checkState(panel.CheckBlankPriorProgramming));
  line(kVerifyKey, checkState(panel.VerifyAfterProgramming));
  for (int i = 0; i < 3; ++i) {
    line(optionKey("LPTSelection", i),
         word(panel.LPTSelection[static_cast<std::size_t>(i)].checked));
  }
  line(kPortTextKey, panel.PortSelected.text);
  for (int i = 0; i < 3; ++i) {
    line(optionKey("HiLow_button", i),
         word(panel.HiLow_button[static_cast<std::size_t>(i)].checked));
  }
  line(kSliderKey, std::to_string(panel.Slider1.value));
  line(kCheckCodeKey, checkState(panel.CheckCode));
  line(kCheckDataKey, checkState(panel.CheckData));
  return text;
}

// ---- Restoring ----

bool SetupSlots::loadSlot(int slot) {
  return LoadSetupRot(setupSlotFileName(slot));
}

bool SetupSlots::LoadSetupRot(const std::string& fileName) {
  // The whole file is read before anything changes, so that a slot that cannot be read leaves
  // the current setup as it is.
  const auto file = findSetupSlotFile(p_.platform.setupFolder(), fileName);
  const auto read = file ? readSetupFile(*file) : SetupFileRead{{}, std::strerror(ENOENT)};
  if (!read.read()) {
    reportFileProblem("Setup File " + fileName + " could not be read: " + read.error,
                      "Can't Read Setup File " + fileName + ": " + read.error,
                      "Setup Not Restored");
    return false;
  }
  p_.log.LogLine(kRestoreMark);
  p_.log.LogLine("RESTORING SETUP FROM " + fileName);
  restoredCodeFile_ = p_.buffers.CodeFileName;
  for (const auto& line : read.lines) applyLine(line);
  p_.panel.FrameVoltageSelection.visible = true;
  p_.panel.Frame5.visible = true;
  // Loading the code file ticks Code and clears Data, whatever the slot chose before it.
  const bool codeFileLoaded = restoreCodeFile();
  p_.log.LogLine("SETUP RESTORED FROM " + fileName);
  p_.log.LogLine(kRestoreMark);
  return codeFileLoaded;
}

void SetupSlots::applyLine(std::string_view line) {
  RestoreTarget target{p_.panel, p_.events, restoredCodeFile_};
  for (const auto& [key, apply] : restoreKeys()) {
    if (!line.starts_with(key)) continue;
    const auto value = line.substr(key.size());
    if (!apply(target, value)) {
      p_.log.LogLine("Setup Line Skipped - bad value for " + key.substr(0, key.size() - 3) +
                     ": \"" + std::string(value) + "\"");
    }
    return;
  }
}

// The code file the slot names is loaded as ReadBinaryFile loads it (the lamps and the display
// source stay as they are); one that is refused leaves the code buffer and its name as they
// were. A slot with an empty file name leaves no file named, and an empty label.
bool SetupSlots::restoreCodeFile() {
  if (restoredCodeFile_.empty()) {
    p_.buffers.CodeFileName.clear();
    p_.panel.FileNameCodeText.caption = "";
    return true;
  }
  return p_.bufferCommands.loadCodeFile(restoredCodeFile_);
}

void SetupSlots::reportFileProblem(const std::string& logLine, const std::string& message,
                                   const std::string& title) {
  p_.log.LogLine(logLine);
  p_.dialogs.message(message, title, Dialogs::Icon::Exclamation);
}

}  // namespace burnlab
