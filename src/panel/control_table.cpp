#include "panel/control_table.h"

#include <string>

#include "panel/branding.h"
#include "panel/panel.h"

namespace burnlab {
namespace {

using P = Panel;
using K = ControlKind;
using C = ControlClick;

// A control of its own.
ControlRow one(Control Panel::*member, std::string name, ControlKind kind, std::string group,
               std::string caption = {}, std::string toolTip = {},
               ControlClick click = ControlClick::None, int index = 0) {
  ControlRow row;
  row.member = member;
  row.name = std::move(name);
  row.kind = kind;
  row.group = std::move(group);
  row.caption = std::move(caption);
  row.toolTip = std::move(toolTip);
  row.click = click;
  row.index = index;
  return row;
}

template <auto array, std::size_t index>
Control& elementOf(Panel& panel) {
  return (panel.*array)[index];
}

// Element `index` of a control array, named "Name(index)".
template <auto array, std::size_t index>
ControlRow element(const std::string& arrayName, ControlKind kind, std::string group,
                   std::string caption, std::string toolTip = {},
                   ControlClick click = ControlClick::None, int nameIndex = index) {
  ControlRow row =
      one(nullptr, arrayName + "(" + std::to_string(nameIndex) + ")", kind, std::move(group),
          std::move(caption), std::move(toolTip), click, static_cast<int>(index));
  row.element = elementOf<array, index>;
  return row;
}

// A menu entry: a command, a separator line with a name, or a submenu.
ControlRow entry(Control Panel::*member, std::string name, std::string menu, std::string caption,
                 ControlClick click = ControlClick::None, std::string toolTip = {}) {
  const auto kind = caption == "-" ? K::Separator : K::MenuEntry;
  return one(member, std::move(name), kind, std::move(menu), std::move(caption), std::move(toolTip),
             click);
}

ControlRow menu(Control Panel::*member, std::string name, std::string bar, std::string caption) {
  return one(member, std::move(name), K::Menu, std::move(bar), std::move(caption));
}

// A separator line of a menu without a name of its own.
ControlRow gap(std::string menu) {
  ControlRow row;
  row.kind = K::Separator;
  row.group = std::move(menu);
  return row;
}

const char* const kHighVoltage =
    "Carefull. Few Eproms Use This Programming Voltage.  Can damage wrong eproms.";

std::vector<ControlRow> windowRows() {
  return {
      one(&P::frmMain, "frmMain", K::Window, "",
          std::string("BURNLAB-6 Eprom Programmer - Orvane - ") + kMakerWebAddress),
      // Device choice.
      one(&P::Frame2, "Frame2", K::Frame, "", "Select Device"),
      one(&P::Device, "Device", K::List, "Frame2"),
      one(&P::PleaseSelect, "PleaseSelect", K::Label, "Frame2", "Please  Select Device"),
      // Port choice.
      one(&P::Frame4, "Frame4", K::Frame, "", "LPT Port Selection"),
      element<&P::LPTSelection, 0>("LPTSelection", K::OptionButton, "Frame4", "378h", {},
                                   C::ChoosePort),
      element<&P::LPTSelection, 1>("LPTSelection", K::OptionButton, "Frame4", "278h", {},
                                   C::ChoosePort),
      element<&P::LPTSelection, 2>("LPTSelection", K::OptionButton, "Frame4", "3BCh", {},
                                   C::ChoosePort),
      one(&P::PortSelected, "PortSelected", K::TextBox, "Frame4"),
      // Options.
      one(&P::Frame5, "Frame5", K::Frame, "", "Optional Auto Operations"),
      one(&P::CheckBlankPriorProgramming, "CheckBlankPriorProgramming", K::CheckBox, "Frame5",
          "Check Blank Before Programming", {}, C::Toggle),
      one(&P::VerifyAfterProgramming, "VerifyAfterProgramming", K::CheckBox, "Frame5",
          "Verify Device After Programming", {}, C::Toggle),
      one(&P::FrameVoltageSelection, "FrameVoltageSelection", K::Frame, "",
          "Select Device Programming Voltage"),
      element<&P::Voltage_button, 0>("Voltage_button", K::OptionButton, "FrameVoltageSelection",
                                     "5V", {}, C::ChooseVoltage),
      element<&P::Voltage_button, 1>(
          "Voltage_button", K::OptionButton, "FrameVoltageSelection", "12.5V",
          "Most CMOS actual Eproms use this Programming Voltage.", C::ChooseVoltage),
      element<&P::Voltage_button, 2>("Voltage_button", K::OptionButton, "FrameVoltageSelection",
                                     "21V", kHighVoltage, C::ChooseVoltage),
      element<&P::Voltage_button, 3>("Voltage_button", K::OptionButton, "FrameVoltageSelection",
                                     "25V", kHighVoltage, C::ChooseVoltage),
      one(&P::Frame10, "Frame10", K::Frame, "", "Hi / Low Byte Programming",
          "All Bytes, Even Bytes or Odd Bytes"),
      element<&P::HiLow_button, 0>("HiLow_button", K::OptionButton, "Frame10", "Both", {},
                                   C::ChooseByteLane),
      element<&P::HiLow_button, 1>("HiLow_button", K::OptionButton, "Frame10", "Hi Byte", {},
                                   C::ChooseByteLane),
      element<&P::HiLow_button, 2>("HiLow_button", K::OptionButton, "Frame10", "Low Byte", {},
                                   C::ChooseByteLane),
      one(&P::Label4, "Label4", K::Label, "", "Program Speed"),
      one(&P::Slider1, "Slider1", K::Slider, "", "", "Slow Down or Speed Up Programming Speed"),
      one(&P::lblProgramPulse, "lblProgramPulse", K::Label, "", "",
          "The Program Pulse at this Speed"),
      one(&P::Frame8, "Frame8", K::Frame, ""),
      one(&P::CheckCode, "CheckCode", K::CheckBox, "Frame8", "Code", {}, C::Toggle),
      one(&P::CheckData, "CheckData", K::CheckBox, "Frame8", "Data", {}, C::Toggle),
      // Commands.
      one(&P::Frame7, "Frame7", K::Frame, ""),
      one(&P::Read_button, "Read_button", K::CommandButton, "Frame7", "Read",
          "Read Whole Device to Buffer", C::Read),
      one(&P::Blank_button, "Blank_button", K::CommandButton, "Frame7", "Blank Chk",
          "Check Device for Blank (Erased)", C::BlankCheck),
      one(&P::Verify_button, "Verify_button", K::CommandButton, "Frame7", "Verify",
          "Verify (Compare) Device with File", C::Verify),
      one(&P::Program_button, "Program_button", K::CommandButton, "Frame7", "Program",
          "Program Device with Buffer Data", C::Program),
      one(&P::Display_button, "Display_button", K::CommandButton, "Frame7", "Display",
          "Display Device's contents on Screen", C::Display),
      one(&P::Erase_button, "Erase_button", K::CommandButton, "Frame7", "Erase Buffer",
          "Erase Buffer to all \"FF\"", C::EraseBuffer),
      one(&P::EraseFlash_button, "EraseFlash_button", K::CommandButton, "Frame7", "Erase Chip",
          "Erase Flash or Eeprom", C::EraseChip),
      one(&P::Show_button, "Show_button", K::CommandButton, "Frame7", "Show Data", {}, C::ShowData),
      one(&P::TestHardware_button, "TestHardware_button", K::CommandButton, "Frame9", "TestPort",
          "Test Communication LPT port", C::TestPort),
      one(&P::Command1, "Command1", K::CommandButton, "Frame7", "Command1", {}, C::Command1),
      one(&P::Stop_button, "Stop_button", K::CommandButton, "Frame7", "Stop",
          "Stop the Running Command (Esc)", C::Stop),
      // The board found.
      one(&P::Frame9, "Frame9", K::Frame, "", "Burnlab Hardware Found"),
      one(&P::BurnlabHardwareFound, "BurnlabHardwareFound", K::Label, "Frame9",
          "NO HARDWARE FOUND"),
      // Lamps.
      one(&P::Error_label, "Error_label", K::Lamp, "Shape2", "ERROR", {}, C::ClearErrorAlert),
      one(&P::Program_label, "Program_label", K::Lamp, "Shape2", "Program"),
      one(&P::DataFlow_label, "DataFlow_label", K::Lamp, "Shape2", "DataFlow"),
      one(&P::Ready_label, "Ready_label", K::Lamp, "Shape2", "HwReady"),
      // Decoration.
      one(&P::Shape2, "Shape2", K::Shape, ""),
      one(&P::Line1, "Line1", K::Line, ""),
      one(&P::ProgressBar1, "ProgressBar1", K::ProgressBar, ""),
      // Status bar.
      element<&P::sbStatusBar, 0>("sbStatusBar", K::StatusPanel, "", "Status", {}, C::None, 1),
      element<&P::sbStatusBar, 1>("sbStatusBar", K::StatusPanel, "", "", {}, C::None, 2),
      element<&P::sbStatusBar, 2>("sbStatusBar", K::StatusPanel, "", "", {}, C::None, 3),
      one(&P::Timer1, "Timer1", K::Timer, ""),
      // Tool bar.
      element<&P::tbToolBar, 0>("tbToolBar", K::ToolButton, "tbToolBar", "OpenCode",
                                "Open File into Code Buffer", C::ToolButton, 1),
      element<&P::tbToolBar, 1>("tbToolBar", K::ToolButton, "tbToolBar", "SaveCode",
                                "Save Code Buffer Into File", C::ToolButton, 2),
      element<&P::tbToolBar, 2>("tbToolBar", K::Separator, "tbToolBar", "-", {}, C::ToolButton, 3),
      element<&P::tbToolBar, 3>("tbToolBar", K::ToolButton, "tbToolBar", "OpenData",
                                "Open File into Data Buffer", C::ToolButton, 4),
      element<&P::tbToolBar, 4>("tbToolBar", K::ToolButton, "tbToolBar", "SaveData",
                                "Save Data Buffer into File", C::ToolButton, 5),
      // Files.
      one(&P::FileNameCodeLabel, "FileNameCodeLabel", K::Label, "", "File Name (Code):"),
      one(&P::FileNameCodeText, "FileNameCodeText", K::Label, "", "Click To Select a File", {},
          C::ChooseCodeFile),
      one(&P::FileNameCodeSize, "FileNameCodeSize", K::Label, "", "(0 Bytes)"),
      one(&P::FileNameDataLabel, "FileNameDataLabel", K::Label, "", "File Name (Data):"),
      one(&P::FileNameDataText, "FileNameDataText", K::Label, "", "Click To Select a File"),
      one(&P::FileNameDataSize, "FileNameDataSize", K::Label, "", "(0 Bytes)"),
      // The hex display and the system log.
      one(&P::Frame3, "Frame3", K::Frame, "", "File Hex Display"),
      one(&P::BufferDisplay, "BufferDisplay", K::TextBox, "Frame3", "",
          "Double Click to Save to Burnlab.Buf file"),
      one(&P::VScroll1, "VScroll1", K::ScrollBar, "Frame3"),
      one(&P::Frame6, "Frame6", K::Frame, "", "System Log"),
      one(&P::SystemLog, "SystemLog", K::TextBox, "Frame6", "",
          "Double Click to Save to Burnlab.Log file"),
  };
}

// The menus depth first, in the order the menu bar shows them.
std::vector<ControlRow> menuRows() {
  return {
      menu(&P::mnuFile, "mnuFile", "", "&File"),
      entry(&P::mnuFileOpenCode, "mnuFileOpenCode", "mnuFile", "&Open Code...", C::OpenCode),
      entry(&P::mnuFileSaveCode, "mnuFileSaveCode", "mnuFile", "&Save Code", C::SaveCode),
      entry(&P::mnuFileSaveCodeAs, "mnuFileSaveCodeAs", "mnuFile", "Save Code &As...",
            C::SaveCodeAs),
      entry(&P::mnuCommandBar3, "mnuCommandBar3", "mnuFile", "-"),
      entry(&P::mnuFileOpenData, "mnuFileOpenData", "mnuFile", "Open Data...", C::OpenData),
      entry(&P::mnuFileSaveData, "mnuFileSaveData", "mnuFile", "Save Data", C::SaveData),
      entry(&P::mnuFileSaveDataAs, "mnuFileSaveDataAs", "mnuFile", "Save Data As...",
            C::SaveDataAs),
      entry(&P::mnuCommandBar4, "mnuCommandBar4", "mnuFile", "-"),
      entry(&P::mnuFileClose, "mnuFileClose", "mnuFile", "&Close", C::CloseFiles),
      entry(&P::mnuFileExit, "mnuFileExit", "mnuFile", "E&xit", C::Exit),

      menu(&P::mnuTools, "mnuTools", "", "&Tools"),
      entry(&P::mnuToolsOptions, "mnuToolsOptions", "mnuTools", "&Options...", C::ToolsOptions),

      // The Command menu runs the matching button's command.
      menu(&P::menuCommand, "menuCommand", "", "&Command"),
      entry(&P::menuBlankCheck, "menuBlankCheck", "menuCommand", "Blank Check Device for Erased",
            C::BlankCheck),
      gap("menuCommand"),
      entry(&P::menuProgramCode, "menuProgramCode", "menuCommand", "Program Device Code",
            C::Program),
      entry(&P::menuReadCode, "menuReadCode", "menuCommand", "Read Device Code", C::Read),
      entry(&P::menuVerifyCode, "menuVerifyCode", "menuCommand", "Verify Device Code", C::Verify),
      gap("menuCommand"),
      entry(&P::menuProgramData, "menuProgramData", "menuCommand", "Program Device Data",
            C::Program),
      // These two and Display Device DATA have no action of their own: they are only enabled
      // and disabled.
      entry(&P::menuReadData, "menuReadData", "menuCommand", "Read Device Data"),
      entry(&P::menuVerifyData, "menuVerifyData", "menuCommand", "Verify Device Data"),
      entry(&P::menuCommandBar0, "menuCommandBar0", "menuCommand", "-"),
      entry(&P::menuDisplayCode, "menuDisplayCode", "menuCommand", "Display Device CODE",
            C::Display),
      entry(&P::menuDisplayData, "menuDisplayData", "menuCommand", "Display Device DATA"),
      entry(&P::menuCommandBar2, "menuCommandBar2", "menuCommand", "-"),
      entry(&P::menuEraseCode, "menuEraseCode", "menuCommand", "Erase CODE Buffer (\"FF\")",
            C::EraseCodeBuffer),
      entry(&P::menuEraseData, "menuEraseData", "menuCommand", "Erase DATA Buffer (\"FF\")",
            C::EraseDataBuffer),
      entry(&P::menuEraseFlash, "menuEraseFlash", "menuCommand", "Erase Device Flash Memory",
            C::EraseChip),
      // Our own entry: the X28C256's data protection switched on after a successful program.
      entry(&P::menuProtectEeprom, "menuProtectEeprom", "menuCommand",
            "Protect X28C256 After Programming", C::Toggle,
            "Switch the chip's data protection on after it is programmed"),
      gap("menuCommand"),
      entry(&P::menuTestHardware, "menuTestHardware", "menuCommand", "Test LPT Ports",
            C::TestPorts),
      gap("menuCommand"),
      entry(&P::menuFlashShowCodeID, "menuFlashShowCodeID", "menuCommand", "Show Flash Code ID#",
            C::ShowFlashId),

      menu(&P::Setup, "Setup", "", "&Setup"),
      menu(&P::LoadSetup, "LoadSetup", "Setup", "&Load Setup"),
      one(&P::LoadSetup1, "LoadSetup1", K::MenuEntry, "LoadSetup", "Load Setup #&1", {},
          C::LoadSetup, 1),
      one(&P::LoadSetup2, "LoadSetup2", K::MenuEntry, "LoadSetup", "Load Setup #&2", {},
          C::LoadSetup, 2),
      one(&P::LoadSetup3, "LoadSetup3", K::MenuEntry, "LoadSetup", "Load Setup #&3", {},
          C::LoadSetup, 3),
      one(&P::LoadSetup4, "LoadSetup4", K::MenuEntry, "LoadSetup", "Load Setup #&4", {},
          C::LoadSetup, 4),
      gap("Setup"),
      menu(&P::SaveSetup, "SaveSetup", "Setup", "&Save Setup"),
      one(&P::SaveSetup1, "SaveSetup1", K::MenuEntry, "SaveSetup", "Save Setup #&1", {},
          C::SaveSetup, 1),
      one(&P::SaveSetup2, "SaveSetup2", K::MenuEntry, "SaveSetup", "Save Setup #&2", {},
          C::SaveSetup, 2),
      one(&P::SaveSetup3, "SaveSetup3", K::MenuEntry, "SaveSetup", "Save Setup #&3", {},
          C::SaveSetup, 3),
      one(&P::SaveSetup4, "SaveSetup4", K::MenuEntry, "SaveSetup", "Save Setup #&4", {},
          C::SaveSetup, 4),
      gap("Setup"),
      entry(&P::ForceBurnlab4, "ForceBurnlab4", "Setup", "Force Set BURNLAB-4", C::ForceBurnlab4),
      entry(&P::ForceBurnlab5, "ForceBurnlab5", "Setup", "Force Set BURNLAB-5", C::ForceBurnlab5),
      entry(&P::ForceBurnlab6, "ForceBurnlab6", "Setup", "Force Set BURNLAB-6", C::ForceBurnlab6),
      gap("Setup"),
      entry(&P::LoopFlashTest, "LoopFlashTest", "Setup", "LoopFlashTest", C::LoopFlashTest),
      entry(&P::ResetFlash, "ResetFlash", "Setup", "ResetFlash", C::ResetFlash),

      // A menu of our own: the opt-in to the flash chips never tried on real hardware.
      menu(&P::mnuDevices, "mnuDevices", "", "&Devices"),
      entry(&P::menuAllowUntested, "menuAllowUntested", "mnuDevices",
            "Allow Untested Flash Devices", C::AllowUntested,
            "List the flash chips that work on the simulated board but were never tried on real "
            "hardware, and let them be chosen"),

      menu(&P::mnuHelp, "mnuHelp", "", "&Help"),
      entry(&P::mnuHelpContents, "mnuHelpContents", "mnuHelp", "&Contents", C::HelpContents),
      entry(&P::mnuHelpSearchForHelpOn, "mnuHelpSearchForHelpOn", "mnuHelp",
            "&Search For Help On...", C::HelpSearch),
      entry(&P::mnuHelpBar0, "mnuHelpBar0", "mnuHelp", "-"),
      entry(&P::mnuHelpAbout, "mnuHelpAbout", "mnuHelp", "&About", C::About),
  };
}

}  // namespace

Control& ControlRow::in(Panel& panel) const {
  return member ? panel.*member : element(panel);
}

const Control& ControlRow::in(const Panel& panel) const {
  return in(const_cast<Panel&>(panel));
}

const std::vector<ControlRow>& controlTable() {
  static const std::vector<ControlRow> table = [] {
    auto rows = windowRows();
    for (auto& row : menuRows()) rows.push_back(std::move(row));
    return rows;
  }();
  return table;
}

const ControlRow* controlRow(const std::string& name) {
  for (const auto& row : controlTable()) {
    if (row.hasControl() && row.name == name) return &row;
  }
  return nullptr;
}

std::vector<const ControlRow*> controlsIn(const std::string& group) {
  std::vector<const ControlRow*> rows;
  for (const auto& row : controlTable()) {
    if (row.group == group) rows.push_back(&row);
  }
  return rows;
}

}  // namespace burnlab
