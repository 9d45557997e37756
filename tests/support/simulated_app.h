#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "shell/app.h"
#include "sim/sim_board.h"
#include "sim/sim_clock.h"
#include "sim/sim_time.h"
#include "sim/socket_choice.h"
#include "support/catalogue_rows.h"
#include "support/fake_dialogs.h"
#include "support/fake_platform.h"
#include "support/recording_port.h"
#include "support/recording_view.h"
#include "support/temp_folder.h"

namespace burnlab::testing {

// How the App reaches the port.
enum class Wiring {
  Recorded,  // through a recording port to the simulated board
  Direct,    // straight to the simulated board (a large chip's traffic is too long to keep)
  NoBoard,   // a recording port with nothing behind it: reads come from its script, and the
             // model and base are set by hand once the options start the App
};

// What a SimulatedApp is set up with; every field left alone leaves that part as a fresh App
// has it.
struct AppOptions {
  int model = 6;
  std::uint16_t base = 0x378;
  Wiring wiring = Wiring::Recorded;
  std::uint64_t loopPs = 1000;  // one busy-wait iteration of the simulated PC
  bool simulatedTime = true;    // sleeps and delays advance the board's clock
  std::string socket{};         // the chip in the socket ("27C512,stuck1@1234=01"); none if empty
  bool fillChip = false;        // that chip holds a pattern that differs at every address line
  std::string device{};         // the part chosen once started; by default the socket's part
  bool start = false;           // start up (implied by a socket or a device)
  bool untested = false;        // the untested devices allowed
  std::optional<std::int32_t> slider = 20;  // none: as start-up leaves it
  std::size_t randomBytes = 0;  // opens an image of the device's size, random in its first bytes
  bool blankCode = false;       // an all-FFh code image of the device's size, "Code" ticked
  View* view = nullptr;         // the view instead of the recording one (the real window, say)
};

// A chip of `part` holding a pattern that differs at every address line (or erased), chosen.
inline AppOptions chipIn(std::string part, bool filled = true) {
  return {.socket = std::move(part), .fillChip = filled};
}
// A chip from `socket` chosen, with an image of random bytes in its first `randomBytes` open
// as the code file. The default slider, 10, gives every routine pulses of several times its
// datasheet's width (501 us for the 27C256 class), so that nearly every byte takes on its
// first pulse; the paced pulses cost no real time on the fake platform's clock.
inline AppOptions toProgram(std::string socket, std::int32_t slider = 10,
                            std::size_t randomBytes = 1024) {
  return {.socket = std::move(socket), .slider = slider, .randomBytes = randomBytes};
}
// The X28C256 and the serial EEPROMs take any slider setting: their tests run at the default,
// 18, with a random image as large as the chip.
inline AppOptions eepromToProgram(std::string socket) {
  return toProgram(std::move(socket), 18, 64 * 1024);
}
// No board answers the search: the model is set by hand, reads come from the port's script and
// the device's image is all FFh until a test sets bytes in it.
inline AppOptions scriptedBoard(std::string part, int model = 6) {
  return {.model = model,
          .wiring = Wiring::NoBoard,
          .simulatedTime = false,
          .device = std::move(part),
          .blankCode = true};
}
// A flash chip from `socket` straight on the board, the untested devices allowed.
inline AppOptions flashIn(std::string socket) {
  return {.wiring = Wiring::Direct, .socket = std::move(socket), .untested = true};
}

// The part a socket string names ("24C16" for "24C16,wp").
inline std::string partOfSocket(std::string_view socket) {
  return std::string(socket.substr(0, socket.find_first_of(",:")));
}

// A fresh App on a simulated board (model 6 at 378h unless told), scripted dialogs and a fake
// platform. Its burnlab6.ini lives in a folder of its own, empty at first, so that start-up
// searches for the board. The board's clock runs as on a PC whose busy-wait loop takes 1 ns an
// iteration; sleeps advance it too.
struct SimulatedApp {
  explicit SimulatedApp(AppOptions options = {})
      : options_(std::move(options)),
        simTime(clock, options_.loopPs),
        board(options_.model, options_.base, clock),
        port(options_.wiring == Wiring::NoBoard ? nullptr : &board),
        app({portOf(options_.wiring), platform, dialogs,
             options_.view ? *options_.view : static_cast<View&>(view)}) {
    app.portConfig.setFolder(files.path());
    if (options_.simulatedTime) {
      platform.simClock = &clock;
      app.board.observeDelays(&simTime);
    }
    if (!options_.view) setUp();
  }
  SimulatedApp(const SimulatedApp&) = delete;

  // Inserts the chip, starts up, chooses the device and opens the image the options ask for.
  void setUp() {
    insertChip();
    if (options_.device.empty()) options_.device = partOfSocket(options_.socket);
    if (!options_.start && options_.device.empty()) return;
    app.Form_Load();
    if (options_.wiring == Wiring::NoBoard) {
      app.board.setPortBase(options_.base);
      app.board.Model = static_cast<std::int16_t>(options_.model);
      app.board.SetupPortModel();
    }
    if (options_.untested) app.allowUntestedDevices(true);
    if (!options_.device.empty()) choose(options_.device);
    if (options_.slider) app.valueChosen("Slider1", *options_.slider);
    if (options_.randomBytes) openRandomImage();
    if (options_.blankCode) {
      std::fill_n(app.buffers.CodeBuffer.begin(), app.device.DeviceSize, 0xFF);
      app.buffers.CodeSize = app.device.DeviceSize;
      app.panel.CheckCode.checked = true;
      port.clear();
    }
  }

  // Chooses the first device row of `part` in the Device list.
  void choose(std::string_view part) { app.setDeviceListIndex(rowOf(part)); }

  // Opens `bytes` as the code file, as the operator opens one.
  void openImage(const std::vector<std::uint8_t>& bytes) {
    image = bytes;
    openImage();
  }
  // Opens `image` as the code file (again, after a test changed it).
  void openImage() {
    require(app.bufferCommands.openCodeFile(files.file("image.bin", image)),
            "the image does not open as the code file");
  }
  // A random image of `size` bytes, about one in eight left FFh.
  static std::vector<std::uint8_t> randomImage(std::size_t size, unsigned seed = 1) {
    std::vector<std::uint8_t> bytes(size, 0xFF);
    randomise(bytes, size, seed);
    return bytes;
  }

  // The next read-back gives `byte` (both nibbles on a model 5 or 6 board).
  void scriptRead(std::uint8_t byte) {
    port.scriptedReads.push_back(static_cast<std::uint8_t>((byte & 0x0F) << 3));
    port.scriptedReads.push_back(static_cast<std::uint8_t>((byte >> 4) << 3));
  }
  // Read-backs recorded: two status reads each.
  std::size_t readBacks() const {
    const auto statusReads = std::count_if(port.lines.begin(), port.lines.end(),
                                           [](const auto& line) { return line[0] == 'i'; });
    return static_cast<std::size_t>(statusReads) / 2;
  }

  const std::vector<std::uint8_t>& cells() const { return chip->cells(); }
  bool chipErased() const {
    return std::all_of(cells().begin(), cells().end(), [](auto b) { return b == 0xFF; });
  }
  std::string logSince(std::size_t from) const { return app.panel.SystemLog.text.substr(from); }
  // What the log gains while `action` runs.
  template <typename Action>
  std::string logOf(Action&& action) {
    const auto from = app.panel.SystemLog.text.size();
    action();
    return logSince(from);
  }
  bool logged(std::string_view line) const {
    return app.panel.SystemLog.text.find(line) != std::string::npos;
  }
  bool errorLit() const { return app.panel.Error_label.foreColor == kWhite; }
  std::uint64_t events(sim::SimEventKind kind) const { return board.events().count(kind); }
  // The board as Reset leaves it: no programming voltage, OE, CE and the bus released.
  bool boardIdle() const {
    const auto& reg = board.registers();
    return reg[0] == 0x40 && reg[3] == (app.board.address.Reg3Extra | 0xC4);
  }
  // The board as a serial EEPROM's commands leave it: CE (SCL) and OE on, no programming
  // voltage, the address registers zero.
  bool serialIdle() const {
    const auto& reg = board.registers();
    return reg[0] == 0x00 && reg[1] == 0 && reg[2] == 0 && (reg[3] & 0x80) == 0;
  }

 private:
  AppOptions options_;

  PortIo& portOf(Wiring wiring) {
    return wiring == Wiring::Direct ? static_cast<PortIo&>(board) : port;
  }
  // A set-up that cannot be done fails the test that asked for it (and stops a benchmark).
  static void require(bool done, const std::string& problem) {
    if (!done) throw std::invalid_argument(problem);
  }
  static void randomise(std::vector<std::uint8_t>& bytes, std::size_t count, unsigned seed) {
    std::mt19937 random(seed);
    for (std::size_t a = 0; a < std::min(count, bytes.size()); ++a) {
      bytes[a] = random() % 8 == 0 ? 0xFF : static_cast<std::uint8_t>(random());
    }
  }
  void insertChip() {
    if (options_.socket.empty()) return;
    const auto parsed = sim::parseSocketChoice(options_.socket);
    require(parsed.error.empty(), parsed.error);
    std::string error;
    chip = sim::buildSocketChip(parsed.choice, error);
    require(chip != nullptr, error);
    if (options_.fillChip) {
      std::mt19937 random(static_cast<unsigned>(rowOf(partOfSocket(options_.socket))));
      for (std::uint32_t a = 0; a < chip->size(); ++a) {
        chip->setCell(a, static_cast<std::uint8_t>(random()));
      }
    }
    board.insert(chip);
  }
  void openRandomImage() {
    image.assign(static_cast<std::size_t>(app.device.DeviceSize), 0xFF);
    randomise(image, options_.randomBytes, static_cast<unsigned>(rowOf(options_.device)));
    openImage();
  }

 public:
  TempFolder files;
  sim::VirtualClock clock;
  sim::SimTime simTime;
  sim::SimBoard board;
  RecordingPort port;
  FakePlatform platform;
  FakeDialogs dialogs;
  RecordingView view;
  App app;
  std::shared_ptr<sim::MemoryChip> chip;
  std::vector<std::uint8_t> image;
};

}  // namespace burnlab::testing
