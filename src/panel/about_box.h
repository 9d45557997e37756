#pragma once

#include <string>
#include <vector>

#include "panel/control.h"

namespace burnlab {

class Platform;
class Dialogs;

// The About window as data: its caption, labels and two buttons.
struct AboutBox {
  AboutBox();

  // Sets the version line and the title, as the window loads.
  void Form_Load();
  // Starts the first system-information tool found on the search path; without one, says
  // that none is available.
  void cmdSysInfo_Click(Platform& platform, Dialogs& dialogs);

  Control frmAbout;
  Control picIcon;
  Control lblTitle;
  Control lblVersion;
  Control lblDescription;
  Control Label1;
  Control lblDisclaimer;
  Control cmdOK;
  Control cmdSysInfo;
};

// The system-information tools tried by "System Info...", in order.
const std::vector<std::string>& systemInfoTools();

}  // namespace burnlab
