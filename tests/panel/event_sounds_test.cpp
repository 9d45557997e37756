#include <gtest/gtest.h>

#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

TEST(EventSounds, EachWordPlaysItsFileFromTheProgramFolderAndAnyOtherPlaysError) {
  SimulatedApp f;
  for (const char* word : {"INIT", "OK", "ERROR", "DONE", "SLIDE", "ok", "BEEP", ""}) {
    f.app.sounds.PlayEventSound(word);
  }
  const std::filesystem::path folder = "/opt/burnlab";
  EXPECT_EQ(f.platform.sounds, (std::vector<std::filesystem::path>{
                                   folder / "init.wav", folder / "ok.wav", folder / "error.wav",
                                   folder / "done.wav", folder / "slide.wav", folder / "error.wav",
                                   folder / "error.wav", folder / "error.wav"}));
}

}  // namespace
}  // namespace burnlab::testing
