#include "panel/panel.h"

#include <functional>
#include <utility>

#include "panel/branding.h"

namespace burnlab {
namespace {

Control makeControl(std::string name, std::string caption, std::string toolTip = {}) {
  Control control;
  control.name = std::move(name);
  control.caption = std::move(caption);
  control.toolTip = std::move(toolTip);
  return control;
}

Control makeDisabled(std::string name, std::string caption, std::string toolTip) {
  Control control = makeControl(std::move(name), std::move(caption), std::move(toolTip));
  control.enabled = false;
  return control;
}

Control makeLamp(std::string name, std::string caption) {
  Control lamp = makeControl(std::move(name), std::move(caption));
  lamp.foreColor = kGreyText;
  return lamp;
}

Control makeHidden(std::string name, std::string caption) {
  Control control = makeControl(std::move(name), std::move(caption));
  control.visible = false;
  return control;
}

template <std::size_t N>
std::array<Control, N> makeArray(const std::string& name,
                                 const std::array<const char*, N>& captions, int firstIndex = 0) {
  std::array<Control, N> controls;
  for (std::size_t i = 0; i < N; ++i) {
    controls[i] = makeControl(name + "(" + std::to_string(firstIndex + static_cast<int>(i)) + ")",
                              captions[i]);
  }
  return controls;
}

Control makeToolButton(int index, std::string key, std::string toolTip) {
  Control button = makeControl("tbToolBar(" + std::to_string(index) + ")", key, std::move(toolTip));
  button.key = std::move(key);
  return button;
}

}  // namespace

Panel::Panel()
    : frmMain(makeControl(
          "frmMain", std::string("BURNLAB-6 Eprom Programmer - Orvane - ") + kMakerWebAddress)),
      Frame2(makeControl("Frame2", "Select Device")),
      Device(makeControl("Device", "")),
      PleaseSelect(makeControl("PleaseSelect", "Please  Select Device")),
      Frame4(makeControl("Frame4", "LPT Port Selection")),
      LPTSelection(makeArray<3>("LPTSelection", {"378h", "278h", "3BCh"})),
      PortSelected(makeControl("PortSelected", "")),
      Frame5(makeHidden("Frame5", "Optional Auto Operations")),
      CheckBlankPriorProgramming(
          makeHidden("CheckBlankPriorProgramming", "Check Blank Before Programming")),
      VerifyAfterProgramming(
          makeHidden("VerifyAfterProgramming", "Verify Device After Programming")),
      FrameVoltageSelection(
          makeHidden("FrameVoltageSelection", "Select Device Programming Voltage")),
      Voltage_button(makeArray<4>("Voltage_button", {"5V", "12.5V", "21V", "25V"})),
      Frame10(makeControl("Frame10", "Hi / Low Byte Programming",
                          "All Bytes, Even Bytes or Odd Bytes")),
      HiLow_button(makeArray<3>("HiLow_button", {"Both", "Hi Byte", "Low Byte"})),
      Label4(makeControl("Label4", "Program Speed")),
      Slider1(makeControl("Slider1", "", "Slow Down or Speed Up Programming Speed")),
      lblProgramPulse(makeControl("lblProgramPulse", "", "The Program Pulse at this Speed")),
      Frame8(makeControl("Frame8", "")),
      CheckCode(makeControl("CheckCode", "Code")),
      CheckData(makeControl("CheckData", "Data")),
      Frame7(makeControl("Frame7", "")),
      Read_button(makeControl("Read_button", "Read", "Read Whole Device to Buffer")),
      Blank_button(makeControl("Blank_button", "Blank Chk", "Check Device for Blank (Erased)")),
      Verify_button(makeControl("Verify_button", "Verify", "Verify (Compare) Device with File")),
      Program_button(makeControl("Program_button", "Program", "Program Device with Buffer Data")),
      Display_button(
          makeControl("Display_button", "Display", "Display Device's contents on Screen")),
      Erase_button(makeControl("Erase_button", "Erase Buffer", "Erase Buffer to all \"FF\"")),
      EraseFlash_button(makeControl("EraseFlash_button", "Erase Chip", "Erase Flash or Eeprom")),
      Show_button(makeControl("Show_button", "Show Data")),
      TestHardware_button(
          makeControl("TestHardware_button", "TestPort", "Test Communication LPT port")),
      Command1(makeControl("Command1", "Command1")),
      Stop_button(makeDisabled("Stop_button", "Stop", "Stop the Running Command (Esc)")),
      Frame9(makeControl("Frame9", "Burnlab Hardware Found")),
      BurnlabHardwareFound(makeControl("BurnlabHardwareFound", "NO HARDWARE FOUND")),
      Error_label(makeLamp("Error_label", "ERROR")),
      Program_label(makeLamp("Program_label", "Program")),
      DataFlow_label(makeLamp("DataFlow_label", "DataFlow")),
      Ready_label(makeLamp("Ready_label", "HwReady")),
      Shape2(makeControl("Shape2", "")),
      Line1(makeControl("Line1", "")),
      ProgressBar1(makeControl("ProgressBar1", "")),
      sbStatusBar{makeControl("sbStatusBar(1)", "Status"), makeControl("sbStatusBar(2)", ""),
                  makeControl("sbStatusBar(3)", "")},
      Timer1(makeControl("Timer1", "")),
      tbToolBar{makeToolButton(1, "OpenCode", "Open File into Code Buffer"),
                makeToolButton(2, "SaveCode", "Save Code Buffer Into File"),
                makeControl("tbToolBar(3)", "-"),
                makeToolButton(4, "OpenData", "Open File into Data Buffer"),
                makeToolButton(5, "SaveData", "Save Data Buffer into File")},
      FileNameCodeLabel(makeControl("FileNameCodeLabel", "File Name (Code):")),
      FileNameCodeText(makeControl("FileNameCodeText", "Click To Select a File")),
      FileNameCodeSize(makeControl("FileNameCodeSize", "(0 Bytes)")),
      FileNameDataLabel(makeControl("FileNameDataLabel", "File Name (Data):")),
      FileNameDataText(makeControl("FileNameDataText", "Click To Select a File")),
      FileNameDataSize(makeControl("FileNameDataSize", "(0 Bytes)")),
      Frame3(makeControl("Frame3", "File Hex Display")),
      BufferDisplay(makeControl("BufferDisplay", "", "Double Click to Save to Burnlab.Buf file")),
      VScroll1(makeControl("VScroll1", "")),
      Frame6(makeControl("Frame6", "System Log")),
      SystemLog(makeControl("SystemLog", "", "Double Click to Save to Burnlab.Log file")),
      mnuFile(makeControl("mnuFile", "&File")),
      mnuFileOpenCode(makeControl("mnuFileOpenCode", "&Open Code...")),
      mnuFileSaveCode(makeControl("mnuFileSaveCode", "&Save Code")),
      mnuFileSaveCodeAs(makeControl("mnuFileSaveCodeAs", "Save Code &As...")),
      mnuCommandBar3(makeControl("mnuCommandBar3", "-")),
      mnuFileOpenData(makeControl("mnuFileOpenData", "Open Data...")),
      mnuFileSaveData(makeControl("mnuFileSaveData", "Save Data")),
      mnuFileSaveDataAs(makeControl("mnuFileSaveDataAs", "Save Data As...")),
      mnuCommandBar4(makeControl("mnuCommandBar4", "-")),
      mnuFileClose(makeControl("mnuFileClose", "&Close")),
      mnuFileExit(makeControl("mnuFileExit", "E&xit")),
      mnuTools(makeControl("mnuTools", "&Tools")),
      mnuToolsOptions(makeControl("mnuToolsOptions", "&Options...")),
      menuCommand(makeControl("menuCommand", "&Command")),
      menuBlankCheck(makeControl("menuBlankCheck", "Blank Check Device for Erased")),
      menuProgramCode(makeControl("menuProgramCode", "Program Device Code")),
      menuReadCode(makeControl("menuReadCode", "Read Device Code")),
      menuVerifyCode(makeControl("menuVerifyCode", "Verify Device Code")),
      menuProgramData(makeControl("menuProgramData", "Program Device Data")),
      menuReadData(makeControl("menuReadData", "Read Device Data")),
      menuVerifyData(makeControl("menuVerifyData", "Verify Device Data")),
      menuCommandBar0(makeControl("menuCommandBar0", "-")),
      menuDisplayCode(makeControl("menuDisplayCode", "Display Device CODE")),
      menuDisplayData(makeControl("menuDisplayData", "Display Device DATA")),
      menuCommandBar2(makeControl("menuCommandBar2", "-")),
      menuEraseCode(makeControl("menuEraseCode", "Erase CODE Buffer (\"FF\")")),
      menuEraseData(makeControl("menuEraseData", "Erase DATA Buffer (\"FF\")")),
      menuEraseFlash(makeControl("menuEraseFlash", "Erase Device Flash Memory")),
      menuTestHardware(makeControl("menuTestHardware", "Test LPT Ports")),
      menuFlashShowCodeID(makeControl("menuFlashShowCodeID", "Show Flash Code ID#")),
      menuProtectEeprom(makeControl("menuProtectEeprom", "Protect X28C256 After Programming",
                                    "Switch the chip's data protection on after it is programmed")),
      Setup(makeControl("Setup", "&Setup")),
      LoadSetup(makeControl("LoadSetup", "&Load Setup")),
      LoadSetup1(makeControl("LoadSetup1", "Load Setup #&1")),
      LoadSetup2(makeControl("LoadSetup2", "Load Setup #&2")),
      LoadSetup3(makeControl("LoadSetup3", "Load Setup #&3")),
      LoadSetup4(makeControl("LoadSetup4", "Load Setup #&4")),
      SaveSetup(makeControl("SaveSetup", "&Save Setup")),
      SaveSetup1(makeControl("SaveSetup1", "Save Setup #&1")),
      SaveSetup2(makeControl("SaveSetup2", "Save Setup #&2")),
      SaveSetup3(makeControl("SaveSetup3", "Save Setup #&3")),
      SaveSetup4(makeControl("SaveSetup4", "Save Setup #&4")),
      ForceBurnlab4(makeControl("ForceBurnlab4", "Force Set BURNLAB-4")),
      ForceBurnlab5(makeControl("ForceBurnlab5", "Force Set BURNLAB-5")),
      ForceBurnlab6(makeControl("ForceBurnlab6", "Force Set BURNLAB-6")),
      LoopFlashTest(makeControl("LoopFlashTest", "LoopFlashTest")),
      ResetFlash(makeControl("ResetFlash", "ResetFlash")),
      mnuDevices(makeControl("mnuDevices", "&Devices")),
      menuAllowUntested(makeControl(
          "menuAllowUntested", "Allow Untested Flash Devices",
          "List the flash chips that work on the simulated board but were never tried on real "
          "hardware, and let them be chosen")),
      mnuHelp(makeControl("mnuHelp", "&Help")),
      mnuHelpContents(makeControl("mnuHelpContents", "&Contents")),
      mnuHelpSearchForHelpOn(makeControl("mnuHelpSearchForHelpOn", "&Search For Help On...")),
      mnuHelpBar0(makeControl("mnuHelpBar0", "-")),
      mnuHelpAbout(makeControl("mnuHelpAbout", "&About")) {
  Device.text = "Please Select Device on this List";
  Voltage_button[1].toolTip = "Most CMOS actual Eproms use this Programming Voltage.";
  for (std::size_t high : {2u, 3u}) {
    Voltage_button[high].toolTip =
        "Carefull. Few Eproms Use This Programming Voltage.  Can damage wrong eproms.";
  }
  LPTSelection[1].checked = true;
  HiLow_button[0].checked = true;
  Slider1.min = 1;
  Slider1.max = 20;
  Slider1.value = 18;
  ProgressBar1.max = 100;
  sbStatusBar[0].text = "Status";
  Timer1.enabled = false;
}

std::vector<const Control*> Panel::controls() const {
  std::vector<const Control*> all{&frmMain, &Frame2, &Device, &PleaseSelect, &Frame4};
  for (const auto& option : LPTSelection) all.push_back(&option);
  for (const Control* control : {&PortSelected, &Frame5, &CheckBlankPriorProgramming,
                                 &VerifyAfterProgramming, &FrameVoltageSelection}) {
    all.push_back(control);
  }
  for (const auto& option : Voltage_button) all.push_back(&option);
  all.push_back(&Frame10);
  for (const auto& option : HiLow_button) all.push_back(&option);
  for (const Control* control : {&Label4,
                                 &Slider1,
                                 &lblProgramPulse,
                                 &Frame8,
                                 &CheckCode,
                                 &CheckData,
                                 &Frame7,
                                 &Read_button,
                                 &Blank_button,
                                 &Verify_button,
                                 &Program_button,
                                 &Display_button,
                                 &Erase_button,
                                 &EraseFlash_button,
                                 &Show_button,
                                 &TestHardware_button,
                                 &Command1,
                                 &Stop_button,
                                 &Frame9,
                                 &BurnlabHardwareFound,
                                 &Error_label,
                                 &Program_label,
                                 &DataFlow_label,
                                 &Ready_label,
                                 &Shape2,
                                 &Line1,
                                 &ProgressBar1}) {
    all.push_back(control);
  }
  for (const auto& panel : sbStatusBar) all.push_back(&panel);
  all.push_back(&Timer1);
  for (const auto& button : tbToolBar) all.push_back(&button);
  for (const Control* control : {&FileNameCodeLabel, &FileNameCodeText, &FileNameCodeSize,
                                 &FileNameDataLabel, &FileNameDataText, &FileNameDataSize, &Frame3,
                                 &BufferDisplay, &VScroll1, &Frame6, &SystemLog}) {
    all.push_back(control);
  }
  // Menus depth first, in the order the menu bar shows them.
  std::function<void(const MenuEntry&)> addMenu = [&](const MenuEntry& entry) {
    if (entry.control) all.push_back(&(this->*entry.control));
    for (const auto& child : entry.entries) addMenu(child);
  };
  for (const auto& menu : menuBar()) addMenu(menu);
  return all;
}

std::vector<Control*> Panel::controls() {
  std::vector<Control*> all;
  for (const Control* control : std::as_const(*this).controls()) {
    all.push_back(const_cast<Control*>(control));
  }
  return all;
}

Control* Panel::find(const std::string& name) {
  for (Control* control : controls()) {
    if (control->name == name) return control;
  }
  return nullptr;
}

const std::vector<MenuEntry>& menuBar() {
  using P = Panel;
  static const std::vector<MenuEntry> bar{
      {&P::mnuFile,
       {{&P::mnuFileOpenCode},
        {&P::mnuFileSaveCode},
        {&P::mnuFileSaveCodeAs},
        {&P::mnuCommandBar3},
        {&P::mnuFileOpenData},
        {&P::mnuFileSaveData},
        {&P::mnuFileSaveDataAs},
        {&P::mnuCommandBar4},
        {&P::mnuFileClose},
        {&P::mnuFileExit}}},
      {&P::mnuTools, {{&P::mnuToolsOptions}}},
      {&P::menuCommand,
       {{&P::menuBlankCheck},
        {},
        {&P::menuProgramCode},
        {&P::menuReadCode},
        {&P::menuVerifyCode},
        {},
        {&P::menuProgramData},
        {&P::menuReadData},
        {&P::menuVerifyData},
        {&P::menuCommandBar0},
        {&P::menuDisplayCode},
        {&P::menuDisplayData},
        {&P::menuCommandBar2},
        {&P::menuEraseCode},
        {&P::menuEraseData},
        {&P::menuEraseFlash},
        {&P::menuProtectEeprom},
        {},
        {&P::menuTestHardware},
        {},
        {&P::menuFlashShowCodeID}}},
      {&P::Setup,
       {{&P::LoadSetup, {{&P::LoadSetup1}, {&P::LoadSetup2}, {&P::LoadSetup3}, {&P::LoadSetup4}}},
        {},
        {&P::SaveSetup, {{&P::SaveSetup1}, {&P::SaveSetup2}, {&P::SaveSetup3}, {&P::SaveSetup4}}},
        {},
        {&P::ForceBurnlab4},
        {&P::ForceBurnlab5},
        {&P::ForceBurnlab6},
        {},
        {&P::LoopFlashTest},
        {&P::ResetFlash}}},
      {&P::mnuDevices,
       {{&P::menuAllowUntested}}},
      {&P::mnuHelp,
       {{&P::mnuHelpContents},
        {&P::mnuHelpSearchForHelpOn},
        {&P::mnuHelpBar0},
        {&P::mnuHelpAbout}}},
  };
  return bar;
}

}  // namespace burnlab
