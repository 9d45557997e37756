#include "panel/about_box.h"

#include "panel/branding.h"
#include "panel/dialogs.h"
#include "panel/platform.h"

namespace burnlab {
namespace {

Control makeControl(std::string name, std::string caption) {
  Control control;
  control.name = std::move(name);
  control.caption = std::move(caption);
  return control;
}

}  // namespace

AboutBox::AboutBox()
    : frmAbout(makeControl("frmAbout", std::string("About ") + kMakerName + " " + kProgramTitle)),
      picIcon(makeControl("picIcon", "")),
      lblTitle(makeControl("lblTitle", "Application Title")),
      lblVersion(makeControl("lblVersion", "Version")),
      lblDescription(makeControl(
          "lblDescription",
          std::string("Eprom, Flash and Eeprom memory programming software to be used with "
                      "BURNLAB-4/5/6 Hardware board, available at ") +
              kMakerWebAddress)),
      Label1(makeControl("Label1", std::string("WINDOWS BETA VERSION.   Please report any bugs or "
                                               "suggestions via email to ") +
                                       kSupportMailAddress)),
      lblDisclaimer(makeControl(
          "lblDisclaimer",
          "Warning: This software should run perfectly under "
          "Win98/Win98SE/WinME/Win2000/WinXP/WinNT, but in case of problems under Win2000/XP it "
          "may require USERPORT utility.")),
      cmdOK(makeControl("cmdOK", "OK")),
      cmdSysInfo(makeControl("cmdSysInfo", "&System Info...")) {}

void AboutBox::Form_Load() {
  lblVersion.caption = "Version " + std::to_string(kVersionMajor) + "." +
                       std::to_string(kVersionMinor) + "." + std::to_string(kVersionRevision);
  lblTitle.caption = kProgramTitle;
}

const std::vector<std::string>& systemInfoTools() {
  static const std::vector<std::string> tools{"hardinfo2",           "hardinfo",
                                              "kinfocenter",         "gnome-system-monitor",
                                              "mate-system-monitor", "lshw-gtk"};
  return tools;
}

void AboutBox::cmdSysInfo_Click(Platform& platform, Dialogs& dialogs) {
  for (const auto& tool : systemInfoTools()) {
    const auto program = platform.findProgram(tool);
    if (!program) continue;
    // A tool that is found but will not start ends the search, as an error does.
    if (platform.startProgram(*program)) return;
    break;
  }
  dialogs.message("System Information Is Unavailable At This Time", kProgramTitle,
                  Dialogs::Icon::None);
}

}  // namespace burnlab
