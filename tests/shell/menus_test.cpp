// The Help entries and the About window; the window tests click Tools > Options and Exit.
#include <gtest/gtest.h>

#include "panel/branding.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

constexpr const char* kNoHelp =
    "Unable to display Help Contents. There is no Help associated with this project.";

TEST(HelpMenu, OpensTheHelpFileBesideTheProgramOrSaysThereIsNone) {
  SimulatedApp f;
  f.app.click("mnuHelpContents");
  f.app.click("mnuHelpSearchForHelpOn");
  ASSERT_EQ(f.view.helpShown.size(), 2u);
  EXPECT_EQ(f.view.helpShown[0].file, std::filesystem::path("/opt/burnlab/burnlab5.hlp"));
  EXPECT_EQ(f.view.helpShown[0].command, HelpCommand::Contents);
  EXPECT_EQ(f.view.helpShown[1].command, HelpCommand::PartialKey);
  EXPECT_EQ(f.view.helpShown[1].keyword, "");
  EXPECT_TRUE(f.dialogs.shown.empty());
  // A help window that cannot show the file says why.
  f.view.helpError = "Cannot open the help file /opt/burnlab/burnlab5.hlp.";
  f.app.mnuHelpContents_Click();
  ASSERT_EQ(f.dialogs.shown.size(), 1u);
  EXPECT_EQ(f.dialogs.shown[0].text, *f.view.helpError);

  // Without a help file both entries give the same message.
  f.app.helpFileName.clear();
  f.app.mnuHelpContents_Click();
  f.app.mnuHelpSearchForHelpOn_Click();
  ASSERT_EQ(f.dialogs.shown.size(), 3u);
  for (std::size_t i = 1; i < 3; ++i) {
    EXPECT_EQ(f.dialogs.shown[i].text, kNoHelp);
    EXPECT_EQ(f.dialogs.shown[i].title, f.app.panel.frmMain.caption);
    EXPECT_EQ(f.dialogs.icons[i], Dialogs::Icon::Information);
  }
  EXPECT_EQ(f.view.helpShown.size(), 3u);  // the window was not asked again
}

TEST(AboutWindow, LoadsOnceWithTheVersionLineAndTheTitleAndStartsSystemInfo) {
  SimulatedApp f;
  f.app.click("mnuHelpAbout");
  f.app.click("mnuHelpAbout");
  EXPECT_EQ(f.view.aboutShown, (std::vector<std::string>{"Version 1.0.54", "Version 1.0.54"}));
  ASSERT_TRUE(f.app.frmAbout.has_value());
  EXPECT_EQ(f.app.frmAbout->lblTitle.caption, kProgramTitle);
  EXPECT_EQ(f.app.frmAbout->lblVersion.caption, std::string("Version ") + kProgramVersion);
  EXPECT_EQ(f.app.frmAbout->cmdSysInfo.caption, "&System Info...");
  EXPECT_EQ(f.app.frmAbout->lblDescription.caption,
            "Eprom, Flash and Eeprom memory programming software to be used with BURNLAB-4/5/6 "
            "Hardware board, available at www.orvane.com");

  // System Info starts the first tool found on the path, or says that none is available.
  f.app.cmdSysInfo_Click();  // no tool at all
  f.platform.programsOnPath = {{"hardinfo", "/usr/bin/hardinfo"}};
  f.platform.failingPrograms = {"/usr/bin/hardinfo"};
  f.app.cmdSysInfo_Click();  // one that will not start
  ASSERT_EQ(f.dialogs.shown.size(), 2u);
  for (const auto& shown : f.dialogs.shown) {
    EXPECT_EQ(shown.text, "System Information Is Unavailable At This Time");
  }
  EXPECT_TRUE(f.platform.startedPrograms.empty());

  f.platform.programsOnPath = {{"kinfocenter", "/usr/bin/kinfocenter"},
                               {"lshw-gtk", "/usr/bin/lshw-gtk"}};
  f.app.cmdSysInfo_Click();
  EXPECT_EQ(f.platform.startedPrograms,
            (std::vector<std::filesystem::path>{"/usr/bin/kinfocenter"}));
  EXPECT_EQ(f.dialogs.shown.size(), 2u);

  f.app.frmAbout_Unload();
  EXPECT_FALSE(f.app.frmAbout.has_value());
}

}  // namespace
}  // namespace burnlab::testing
