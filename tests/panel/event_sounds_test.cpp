#include <gtest/gtest.h>

#include "support/app_fixture.h"

namespace burnlab::testing {
namespace {

TEST(EventSounds, EachWordPlaysItsFileFromTheProgramFolderAndAnyOtherPlaysError) {
  AppFixture f;
  for (const char* word : {"INIT", "OK", "ERROR", "DONE", "SLIDE", "ok", "BEEP", ""}) {
    f.app.sounds.PlayEventSound(word);
  }
  const std::filesystem::path folder = "/opt/burnlab";
  EXPECT_EQ(f.platform.sounds,
            (std::vector<std::filesystem::path>{
                folder / "init.wav", folder / "ok.wav", folder / "error.wav", folder / "done.wav",
                folder / "slide.wav", folder / "error.wav", folder / "error.wav",
                folder / "error.wav"}));
}

}  // namespace
}  // namespace burnlab::testing
