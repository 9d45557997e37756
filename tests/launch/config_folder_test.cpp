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

// The user's folders for the life of a test: XDG_CONFIG_HOME and XDG_STATE_HOME under `home`.
class UserFolders {
 public:
  explicit UserFolders(const std::filesystem::path& home) {
    ::setenv("XDG_CONFIG_HOME", (home / "config").c_str(), 1);
    ::setenv("XDG_STATE_HOME", (home / "state").c_str(), 1);
  }
  ~UserFolders() {
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_STATE_HOME");
  }
};

void touch(const std::filesystem::path& file) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << "x";
}

TEST(ProgramFolders, ABuildKeepsEverythingBesideItselfAndInTheWorkingFolder) {
  TempFolder build, home;
  const UserFolders user(home.path());
  touch(build.path() / "init.wav");
  touch(build.path() / "burnlab5.hlp");
  const auto folders = programFolders({}, build.path(), true);
  EXPECT_EQ(folders.resources, build.path());
  EXPECT_EQ(folders.portConfig, "");  // the program's folder
  EXPECT_EQ(folders.setups, "");      // the working folder
  EXPECT_FALSE(std::filesystem::exists(home.path() / "config"));
}

TEST(ProgramFolders, AnInstalledProgramFindsItsFilesUnderThePrefixAndKeepsItsOwnInTheUsers) {
  TempFolder prefix, home;
  const UserFolders user(home.path());
  touch(prefix.path() / "share" / "burnlab" / "init.wav");
  touch(prefix.path() / "share" / "burnlab" / "burnlab5.hlp");
  std::filesystem::create_directories(prefix.path() / "bin");
  const auto folders = programFolders({}, prefix.path() / "bin", false);
  EXPECT_EQ(folders.resources, prefix.path() / "share" / "burnlab");
  EXPECT_EQ(folders.portConfig, home.path() / "config" / "burnlab");
  EXPECT_EQ(folders.setups, home.path() / "config" / "burnlab");
  EXPECT_TRUE(std::filesystem::is_directory(home.path() / "config" / "burnlab"));
}

TEST(ProgramFolders, ASimulatedBoardKeepsItsOwnPortFileUnderTheUsersState) {
  TempFolder build, home;
  const UserFolders user(home.path());
  ProgramOptions simulated;
  simulated.simulate = true;
  for (const bool writable : {true, false}) {
    const auto folders = programFolders(simulated, build.path(), writable);
    EXPECT_EQ(folders.portConfig, home.path() / "state" / "burnlab" / "simulated");
    EXPECT_TRUE(std::filesystem::is_directory(folders.portConfig));
  }
  // Without the variables, the folders under the home directory.
  ::unsetenv("XDG_STATE_HOME");
  const char* before = std::getenv("HOME");
  const std::string previousHome = before ? before : "";
  ::setenv("HOME", home.path().c_str(), 1);
  EXPECT_EQ(programFolders(simulated, build.path(), true).portConfig,
            home.path() / ".local" / "state" / "burnlab" / "simulated");
  ::setenv("HOME", previousHome.c_str(), 1);
}

TEST(ProgramFolders, WithoutItsFilesAnywhereTheProgramLooksBesideItself) {
  TempFolder nowhere;
  EXPECT_EQ(resourceFolder(nowhere.path() / "bin"), nowhere.path() / "bin");
}

}  // namespace
}  // namespace burnlab::testing
