#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>

#include "devices/device_catalogue.h"
#include "sim/chip_catalogue.h"
#include "support/app_fixture.h"

namespace burnlab::testing {

// A chip of the device list's row `row`, filled with a pattern that differs at every address
// line, in the socket of a started App with that device selected.
struct ChipBench : AppFixture {
  explicit ChipBench(int row, bool fill = true) {
    const auto* device = DeviceCatalogue::row(row);
    std::string error;
    chip = sim::ChipCatalogue::make(device->name, {}, error);
    EXPECT_NE(chip, nullptr) << error;
    if (fill) {
      std::mt19937 random(static_cast<unsigned>(row));
      for (std::uint32_t a = 0; a < chip->size(); ++a) {
        chip->setCell(a, static_cast<std::uint8_t>(random()));
      }
    }
    board.insert(chip);
    app.Form_Load();
    app.setDeviceListIndex(row);
    app.valueChosen("Slider1", 20);
  }
  std::string logSince(std::size_t from) const { return app.panel.SystemLog.text.substr(from); }
  bool errorLit() const { return app.panel.Error_label.foreColor == kWhite; }

  std::shared_ptr<sim::MemoryChip> chip;
};

}  // namespace burnlab::testing
