#pragma once

#include <gtest/gtest.h>

#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "shell/app.h"
#include "sim/sim_board.h"
#include "sim/sim_clock.h"
#include "sim/sim_time.h"
#include "sim/socket_choice.h"
#include "support/app_fixture.h"
#include "support/catalogue_rows.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/temp_folder.h"

namespace burnlab::testing {

// Catalogue rows of the flash devices.
inline const int kRowAT29C256 = rowOf("AT29C256");
inline const int kRowA29040 = rowOf("A29040");
inline const int kRowAM29F010 = rowOf("AM29F010");
inline const int kRowAM29F020 = rowOf("AM29F020");
inline const int kRowAM29F040 = rowOf("AM29F040");
inline const int kRowEN29F040 = rowOf("EN29F040");

// A started App straight on a simulated model-6 board (no recording: a flash chip is large)
// with the chip `socket` names ("AM29F040", "AM29F040,protect=3") in its socket, the untested
// devices allowed, the device of `row` chosen and the slider at its fastest. The clock runs as
// on a PC whose busy-wait loop takes 1 ns an iteration.
struct FlashBench {
  FlashBench(int row, std::string_view socket)
      : board(6, 0x378, clock), app({board, platform, dialogs, view}) {
    platform.simClock = &clock;
    app.board.observeDelays(&simTime);
    app.portConfig.setFolder(files.path());
    const auto parsed = sim::parseSocketChoice(socket);
    EXPECT_TRUE(parsed.error.empty()) << parsed.error;
    std::string error;
    chip = sim::buildSocketChip(parsed.choice, error);
    EXPECT_NE(chip, nullptr) << error;
    board.insert(chip);
    app.Form_Load();
    app.allowUntestedDevices(true);
    app.setDeviceListIndex(row);
    app.valueChosen("Slider1", 20);
  }

  // Opens `bytes` as the code file, as the operator opens one.
  void openImage(const std::vector<std::uint8_t>& bytes) {
    image = bytes;
    const auto file = files.path() / "image.bin";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    EXPECT_TRUE(app.bufferCommands.openCodeFile(file));
  }
  // A random image of `size` bytes, about one in eight left FFh.
  static std::vector<std::uint8_t> randomImage(std::size_t size, unsigned seed = 1) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(size);
    for (auto& byte : bytes) byte = random() % 8 == 0 ? 0xFF : static_cast<std::uint8_t>(random());
    return bytes;
  }
  const std::vector<std::uint8_t>& cells() const { return chip->cells(); }
  bool chipErased() const {
    return std::all_of(cells().begin(), cells().end(), [](auto b) { return b == 0xFF; });
  }
  std::string logSince(std::size_t from) const { return app.panel.SystemLog.text.substr(from); }
  bool logged(std::string_view line) const {
    return app.panel.SystemLog.text.find(line) != std::string::npos;
  }
  bool errorLit() const { return app.panel.Error_label.foreColor == kWhite; }
  std::uint64_t events(sim::SimEventKind kind) const { return board.events().count(kind); }

  TempFolder files;
  sim::VirtualClock clock;
  sim::SimTime simTime{clock, 1000};
  sim::SimBoard board;
  FakePlatform platform;
  FakeDialogs dialogs;
  RecordingView view;
  App app;
  std::shared_ptr<sim::MemoryChip> chip;
  std::vector<std::uint8_t> image;
};

}  // namespace burnlab::testing
