#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "panel/control.h"

namespace burnlab {

// Where the main window stands on the screen, in twips (1/1440 inch), as the settings store
// keeps it.
struct WindowPlacement {
  double left = 100;
  double top = 100;
  double width = 100;
  double height = 6500;
  bool minimized = false;  // reported by the view before the window unloads
};

// The main window as data: one field per control, named after it. The Qt window draws it; the
// core's handlers change it. Names, captions and tool tips start as the control table
// (panel/control_table.cpp) designs them, states at their design-time values. A control array is
// a std::array; its elements are named "Name(index)".
struct Panel {
  Panel();

  // The window itself: its caption is the title bar.
  Control frmMain;
  WindowPlacement placement;

  // Device choice.
  Control Frame2;
  Control Device;  // drop-down list; its text line holds the prompt while nothing is chosen
  Control PleaseSelect;

  // Port choice: index 0 "378h", 1 "278h", 2 "3BCh".
  Control Frame4;
  std::array<Control, 3> LPTSelection;
  Control PortSelected;

  // Options.
  Control Frame5;
  Control CheckBlankPriorProgramming;
  Control VerifyAfterProgramming;
  Control FrameVoltageSelection;
  std::array<Control, 4> Voltage_button;  // "5V", "12.5V", "21V", "25V"
  Control Frame10;
  std::array<Control, 3> HiLow_button;  // "Both", "Hi Byte", "Low Byte"
  Control Label4;
  Control Slider1;
  // Our own: the program pulse the selected device gets at the slider's position.
  Control lblProgramPulse;
  Control Frame8;
  Control CheckCode;
  Control CheckData;

  // Commands.
  Control Frame7;
  Control Read_button;
  Control Blank_button;
  Control Verify_button;
  Control Program_button;
  Control Display_button;
  Control Erase_button;
  Control EraseFlash_button;
  Control Show_button;
  Control TestHardware_button;
  Control Command1;
  // Our own: stops the running device command; offered only while one runs (OperationStop).
  Control Stop_button;

  // The board found.
  Control Frame9;
  Control BurnlabHardwareFound;

  // Lamps: labels whose fore colour is the lamp state.
  Control Error_label;
  Control Program_label;
  Control DataFlow_label;
  Control Ready_label;

  // Decoration.
  Control Shape2;
  Control Line1;

  Control ProgressBar1;
  // Status bar: the text panel, then the date and time panels.
  std::array<Control, 3> sbStatusBar;
  // Enabled and interval (value, in milliseconds); it ticks Timer1_Timer.
  Control Timer1;

  // Tool bar, buttons 1 to 5 left to right: OpenCode, SaveCode, a separator, OpenData,
  // SaveData.
  std::array<Control, 5> tbToolBar;

  // Files.
  Control FileNameCodeLabel;
  Control FileNameCodeText;
  Control FileNameCodeSize;
  Control FileNameDataLabel;
  Control FileNameDataText;
  Control FileNameDataSize;

  // The hex display and its page scroll bar.
  Control Frame3;
  Control BufferDisplay;
  Control VScroll1;

  // The system log.
  Control Frame6;
  Control SystemLog;

  // Menu "&File".
  Control mnuFile;
  Control mnuFileOpenCode;
  Control mnuFileSaveCode;
  Control mnuFileSaveCodeAs;
  Control mnuCommandBar3;
  Control mnuFileOpenData;
  Control mnuFileSaveData;
  Control mnuFileSaveDataAs;
  Control mnuCommandBar4;
  Control mnuFileClose;
  Control mnuFileExit;

  // Menu "&Tools".
  Control mnuTools;
  Control mnuToolsOptions;

  // Menu "&Command".
  Control menuCommand;
  Control menuBlankCheck;
  Control menuProgramCode;
  Control menuReadCode;
  Control menuVerifyCode;
  Control menuProgramData;
  Control menuReadData;
  Control menuVerifyData;
  Control menuCommandBar0;
  Control menuDisplayCode;
  Control menuDisplayData;
  Control menuCommandBar2;
  Control menuEraseCode;
  Control menuEraseData;
  Control menuEraseFlash;
  Control menuTestHardware;
  Control menuFlashShowCodeID;
  // Our own entry: the X28C256's data protection switched on after a successful program.
  Control menuProtectEeprom;

  // Menu "&Setup".
  Control Setup;
  Control LoadSetup;
  Control LoadSetup1, LoadSetup2, LoadSetup3, LoadSetup4;
  Control SaveSetup;
  Control SaveSetup1, SaveSetup2, SaveSetup3, SaveSetup4;
  Control ForceBurnlab4, ForceBurnlab5, ForceBurnlab6;
  Control LoopFlashTest;
  Control ResetFlash;

  // A menu of our own: the opt-in to the flash chips never tried on real hardware.
  Control mnuDevices;
  Control menuAllowUntested;

  // Menu "&Help".
  Control mnuHelp;
  Control mnuHelpContents;
  Control mnuHelpSearchForHelpOn;
  Control mnuHelpBar0;
  Control mnuHelpAbout;

  // Every control, in the control table's order (menus last). The view draws them by name.
  std::vector<Control*> controls();
  std::vector<const Control*> controls() const;
  // The control of that name, e.g. "Voltage_button(2)"; nullptr when there is none.
  Control* find(const std::string& name);
};

// A menu entry that is a separator line ("-").
inline bool isSeparator(const Control& entry) {
  return entry.caption == "-";
}

}  // namespace burnlab
