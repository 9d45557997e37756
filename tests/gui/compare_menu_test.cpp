// The window with a HEX file opened into its hex view, and the Compare menu of our own that
// lists every difference between the chip and the buffer in the log.
#include "gui/compare_menu.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QPlainTextEdit>

#include "buffers/intel_hex.h"
#include "gui/simulated_window.h"
#include "sim/chip_catalogue.h"
#include "support/record_reference.h"

namespace burnlab::testing {
namespace {

// The window on a simulated board with a 27C256 in its socket, and the Compare menu.
struct CompareWindow : SimulatedWindow {
  CompareWindow() : SimulatedWindow(false) {
    platform.simClock = &clock;
    std::string error;
    chip = sim::ChipCatalogue::make("Eprom 27C256", {}, error);
    board.insert(chip);
    menu = addCompareMenu(window, app);
    app.Form_Load();
  }
  QAction* entry() { return menu->findChild<QAction*>("mnuCompareDevice"); }
  bool entryEnabled() {
    emit menu->aboutToShow();
    return entry()->isEnabled();
  }
  QString shown(const char* control) { return view<QPlainTextEdit>(control)->toPlainText(); }

  std::shared_ptr<sim::MemoryChip> chip;
  QMenu* menu = nullptr;
};

TEST(CompareWindow, OpenCodeOfAHexFileShowsItsBytesAndCompareListsTheChipsDifferences) {
  CompareWindow f;
  EXPECT_FALSE(f.entryEnabled()) << "nothing to compare before a device and a file";

  // The chip's first 64 bytes in a HEX file, two of them changed.
  std::vector<std::uint8_t> image(64);
  for (std::uint8_t a = 0; a < 64; ++a) {
    f.chip->setCell(a, a);
    image[a] = a;
  }
  image[0x21] = 0xAB;
  image[0x3F] = 0xCD;
  const auto hex = f.files.path() / "prog.hex";
  writeFile(hex, encodeIntelHex(image));

  f.choose("27C256");
  f.dialogs.files.push_back(hex);
  f.view<QAction>("mnuFileOpenCode")->trigger();
  EXPECT_TRUE(f.shown("BufferDisplay").startsWith("\n000000| 00010203 04050607 08090A0B 0C0D0E0F"))
      << f.shown("BufferDisplay").toStdString();
  EXPECT_TRUE(f.shown("BufferDisplay").contains("000020| 20AB2223 "));
  EXPECT_TRUE(f.shown("SystemLog").contains("Intel HEX file, CRC-32 "));

  ASSERT_TRUE(f.entryEnabled());
  // The command is an operator action like the window's own: the simulator's report hears it.
  std::vector<bool> told;
  f.window.onOperatorAction([&told](bool finished) { told.push_back(finished); });
  f.entry()->trigger();
  EXPECT_EQ(told, (std::vector<bool>{false, true}));
  const auto log = f.shown("SystemLog");
  EXPECT_TRUE(log.contains("Compare Device with Buffer Started... Wait"));
  EXPECT_TRUE(log.contains("Address 000021: File AB, Device 21"));
  EXPECT_TRUE(log.contains("Address 00003F: File CD, Device 3F"));
  EXPECT_TRUE(log.endsWith("2 differences in 64 bytes compared")) << log.toStdString();
  EXPECT_EQ(f.app.buffers.CodeBuffer[0x21], 0xAB) << "the buffer stays as it was";
}

}  // namespace
}  // namespace burnlab::testing
