// The platform's program search and start, used by the About window's System Info button.
#include "panel/std_platform.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

TEST(StdPlatform, FindsProgramsOnTheSearchPathOnlyAndStartsOneWithoutWaitingForIt) {
  TempFolder folder;
  const auto tool = folder.path() / "sysinfo-tool";
  std::ofstream(tool) << "#!/bin/sh\ntouch \"$0.ran\"\n";
  std::filesystem::permissions(tool, std::filesystem::perms::owner_all);
  std::ofstream(folder.path() / "not-executable") << "text\n";
  const std::string oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
  ::setenv("PATH", ("/nonexistent::" + folder.path().string()).c_str(), 1);
  StdPlatform platform(folder.path());
  EXPECT_EQ(platform.findProgram("sysinfo-tool"), tool);
  EXPECT_FALSE(platform.findProgram("not-executable").has_value());
  EXPECT_FALSE(platform.findProgram("missing-tool").has_value());
  EXPECT_FALSE(platform.findProgram(tool.string()).has_value());  // names only, no paths
  ::setenv("PATH", oldPath.c_str(), 1);

  ASSERT_TRUE(platform.startProgram(tool));
  const auto ran = folder.path() / "sysinfo-tool.ran";
  for (int i = 0; i < 500 && !std::filesystem::exists(ran); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  EXPECT_TRUE(std::filesystem::exists(ran));
  EXPECT_FALSE(platform.startProgram(folder.path() / "missing"));
}

}  // namespace
}  // namespace burnlab::testing
