// The Help, Tools and Exit entries of the menus and the About window.
#include "panel/branding.h"
#include "shell/app.h"

namespace burnlab {

void App::mnuHelpContents_Click() {
  openHelp(HelpCommand::Contents);
}

// Opens the keyword search with an empty keyword.
void App::mnuHelpSearchForHelpOn_Click() {
  openHelp(HelpCommand::PartialKey);
}

void App::openHelp(HelpCommand command) {
  if (helpFileName.empty()) {
    // Both entries give the same text.
    seams.dialogs.message(
        "Unable to display Help Contents. There is no Help associated with this project.",
        panel.frmMain.caption, Dialogs::Icon::Information);
    return;
  }
  const HelpRequest request{seams.platform.resourceFolder() / helpFileName, command, ""};
  if (const auto error = seams.view.showHelp(request)) {
    seams.dialogs.message(*error, kProgramTitle, Dialogs::Icon::None);
  }
}

void App::mnuHelpAbout_Click() {
  if (!frmAbout) {
    frmAbout.emplace();
    frmAbout->Form_Load();
  }
  seams.view.showAbout(*frmAbout);
}

void App::cmdSysInfo_Click() {
  if (frmAbout) frmAbout->cmdSysInfo_Click(seams.platform, seams.dialogs);
}

void App::mnuToolsOptions_Click() {
  seams.dialogs.message("This menu option is not available.", kProgramTitle, Dialogs::Icon::None);
}

// Unsaved changes are not asked about: the window unloads at once and the shutdown runs.
void App::mnuFileExit_Click() {
  seams.view.unload();
}

}  // namespace burnlab
