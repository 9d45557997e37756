#pragma once

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "link/tracing_port.h"
#include "shell/app.h"
#include "sim/socket_choice.h"
#include "support/app_fixture.h"
#include "support/catalogue_rows.h"

namespace burnlab::testing {

// Catalogue rows of the parts the programming tests use.
inline const int kRow2732A = rowOf("2732A");
inline const int kRow2732B = rowOf("2732B");
inline const int kRow2764 = rowOf("2764");
inline const int kRow27C256 = rowOf("27C256");
inline const int kRow27C512 = rowOf("27C512");
inline const int kRow27C010 = rowOf("27C010");
inline const int kRowX28C256 = rowOf("X28C256");
inline const int kRow24C08 = rowOf("24C08");

// An App on a bare recording port, with a model-6 (or model-4) board at 378h taken as found.
// Reads come from a script, and without one the bus reads FFh. The chosen device's image is
// all FFh until a test sets bytes in it; "Code" is ticked and the slider is at its fastest.
struct TrafficBench {
  explicit TrafficBench(int row, int model = 6) : app({port, platform, dialogs, view}) {
    app.Form_Load();  // no board answers the search: the model is set by hand below
    app.board.setPortBase(0x378);
    app.board.Model = static_cast<std::int16_t>(model);
    app.board.SetupPortModel();
    app.setDeviceListIndex(row);
    app.valueChosen("Slider1", 20);
    std::fill_n(app.buffers.CodeBuffer.begin(), app.device.DeviceSize, 0xFF);
    app.buffers.CodeSize = app.device.DeviceSize;
    app.panel.CheckCode.checked = true;
    port.clear();
  }

  // The next read-back gives `byte` (both nibbles on a model 5 or 6 board).
  void scriptRead(std::uint8_t byte) {
    port.scriptedReads.push_back(static_cast<std::uint8_t>((byte & 0x0F) << 3));
    port.scriptedReads.push_back(static_cast<std::uint8_t>((byte >> 4) << 3));
  }
  std::string logSince(std::size_t from) const { return app.panel.SystemLog.text.substr(from); }
  // Read-backs recorded: two status reads each.
  std::size_t readBacks() const {
    const auto statusReads = std::count_if(port.lines.begin(), port.lines.end(),
                                           [](const auto& line) { return line[0] == 'i'; });
    return static_cast<std::size_t>(statusReads) / 2;
  }

  RecordingPort port;
  FakePlatform platform;
  FakeDialogs dialogs;
  RecordingView view;
  App app;
};

// A started App on a simulated model-6 board with the chip `socket` names ("27C512",
// "27C256,stuck1@1234=01") in its socket and the device of `row` chosen, the slider at `slider`.
// An image of the device's size is opened as the code file, as the operator opens one: random
// bytes in its first `randomBytes` (about one in eight left FFh), FFh after them.
//
// The default slider, 10, gives every routine pulses of several times its datasheet's width
// (501 us for the 27C256 class), so that nearly every byte takes on its first pulse; the paced
// pulses cost no real time on the fake platform's clock.
struct SimBench : AppFixture {
  static constexpr std::int32_t kSureSlider = 10;

  SimBench(int row, std::string_view socket, std::int32_t slider = kSureSlider,
           std::size_t randomBytes = 1024) {
    const auto parsed = sim::parseSocketChoice(socket);
    EXPECT_TRUE(parsed.error.empty()) << parsed.error;
    std::string error;
    chip = sim::buildSocketChip(parsed.choice, error);
    EXPECT_NE(chip, nullptr) << error;
    board.insert(chip);
    app.Form_Load();
    app.setDeviceListIndex(row);
    app.valueChosen("Slider1", slider);
    std::mt19937 random(static_cast<unsigned>(row));
    image.assign(static_cast<std::size_t>(app.device.DeviceSize), 0xFF);
    for (std::size_t a = 0; a < std::min(randomBytes, image.size()); ++a) {
      image[a] = random() % 8 == 0 ? 0xFF : static_cast<std::uint8_t>(random());
    }
    openImage();
  }

  // Opens `image` as the code file (again, after a test changed it).
  void openImage() {
    const auto file = files.path() / "image.bin";
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), static_cast<long>(image.size()));
    EXPECT_TRUE(app.bufferCommands.openCodeFile(file));
  }

  std::string logSince(std::size_t from) const { return app.panel.SystemLog.text.substr(from); }
  bool logged(std::string_view line) const {
    return app.panel.SystemLog.text.find(line) != std::string::npos;
  }
  // The board as Reset leaves it: no programming voltage, OE, CE and the bus released.
  bool boardIdle() const {
    const auto& reg = board.registers();
    return reg[0] == 0x40 && reg[3] == (app.board.address.Reg3Extra | 0xC4);
  }

  TempFolder files;
  std::shared_ptr<sim::MemoryChip> chip;
  std::vector<std::uint8_t> image;
};

// Port lines as a model-6 (or model-4) board at 378h sees them, built from register writes and
// read-backs.
class Traffic {
 public:
  explicit Traffic(int model = 6) : model_(model) {}

  Traffic& write(int reg, std::uint8_t value) {
    static constexpr std::uint8_t kIdle56[] = {0x05, 0x0D, 0x07, 0x0F, 0x01};
    static constexpr std::uint8_t kIdle4[] = {0x0A, 0x02, 0x08, 0x00, 0x0E};
    const std::uint8_t idle = model_ == 4 ? kIdle4[reg] : kIdle56[reg];
    const std::uint8_t strobe = model_ == 4 ? idle | 1 : idle & 0x0E;
    for (auto& line : registerWrite(0x378, value, idle, strobe)) lines.push_back(line);
    return *this;
  }
  // A read-back on a model 5/6 board that sees `byte`.
  Traffic& read(std::uint8_t byte) {
    lines.push_back("out 037A 05");
    lines.push_back(traceLine("in", 0x379, static_cast<std::uint8_t>((byte & 0x0F) << 3)));
    lines.push_back("out 037A 01");
    lines.push_back(traceLine("in", 0x379, static_cast<std::uint8_t>((byte >> 4) << 3)));
    return *this;
  }

  std::vector<std::string> lines;

 private:
  int model_;
};

// Where `run` first occurs in `lines` as an unbroken stretch, or -1.
inline long findRun(const std::vector<std::string>& lines, const std::vector<std::string>& run) {
  const auto at = std::search(lines.begin(), lines.end(), run.begin(), run.end());
  return at == lines.end() ? -1 : static_cast<long>(at - lines.begin());
}

}  // namespace burnlab::testing
