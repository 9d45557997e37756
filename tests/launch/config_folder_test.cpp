// Where the program finds its wave files and help document, and where it keeps burnlab6.ini and
// the setup slots: beside itself in a build, under the install prefix and the user's folders
// when installed.
#include "launch/config_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

// A folder for the program (its build folder or install prefix) and the user's folders for the
// life of a test: XDG_CONFIG_HOME and XDG_STATE_HOME under `home`.
struct UserFolders {
  UserFolders() {
    ::setenv("XDG_CONFIG_HOME", (home.path() / "config").c_str(), 1);
    ::setenv("XDG_STATE_HOME", (home.path() / "state").c_str(), 1);
  }
  ~UserFolders() {
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_STATE_HOME");
  }
  TempFolder program, home;
};

void touch(const std::filesystem::path& file) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << "x";
}

TEST(ProgramFolders, ABuildKeepsEverythingBesideItselfAndInTheWorkingFolder) {
  const UserFolders f;
  touch(f.program.path() / "init.wav");
  touch(f.program.path() / "burnlab5.hlp");
  const auto folders = programFolders({}, f.program.path(), true);
  EXPECT_EQ(folders.resources, f.program.path());
  EXPECT_EQ(folders.portConfig, "");  // the program's folder
  EXPECT_EQ(folders.setups, "");      // the working folder
  EXPECT_FALSE(std::filesystem::exists(f.home.path() / "config"));
  // Without its files anywhere, the program looks beside itself.
  EXPECT_EQ(resourceFolder(f.home.path() / "bin"), f.home.path() / "bin");
}

TEST(ProgramFolders, AnInstalledProgramFindsItsFilesUnderThePrefixAndKeepsItsOwnInTheUsers) {
  const UserFolders f;
  touch(f.program.path() / "share" / "burnlab" / "init.wav");
  touch(f.program.path() / "share" / "burnlab" / "burnlab5.hlp");
  std::filesystem::create_directories(f.program.path() / "bin");
  const auto folders = programFolders({}, f.program.path() / "bin", false);
  EXPECT_EQ(folders.resources, f.program.path() / "share" / "burnlab");
  EXPECT_EQ(folders.portConfig, f.home.path() / "config" / "burnlab");
  EXPECT_EQ(folders.setups, f.home.path() / "config" / "burnlab");
  EXPECT_TRUE(std::filesystem::is_directory(f.home.path() / "config" / "burnlab"));
}

TEST(ProgramFolders, ASimulatedBoardKeepsItsOwnPortFileUnderTheUsersState) {
  const UserFolders f;
  ProgramOptions simulated;
  simulated.simulate = true;
  for (const bool writable : {true, false}) {
    const auto folders = programFolders(simulated, f.program.path(), writable);
    EXPECT_EQ(folders.portConfig, f.home.path() / "state" / "burnlab" / "simulated");
    EXPECT_TRUE(std::filesystem::is_directory(folders.portConfig));
  }
  // Without the variables, the folders under the home directory.
  ::unsetenv("XDG_STATE_HOME");
  const char* before = std::getenv("HOME");
  const std::string previousHome = before ? before : "";
  ::setenv("HOME", f.home.path().c_str(), 1);
  EXPECT_EQ(programFolders(simulated, f.program.path(), true).portConfig,
            f.home.path() / ".local" / "state" / "burnlab" / "simulated");
  ::setenv("HOME", previousHome.c_str(), 1);
}

}  // namespace
}  // namespace burnlab::testing
