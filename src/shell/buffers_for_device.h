#pragma once

#include "buffers/buffers.h"
#include "buffers/hex_display.h"
#include "devices/device_buffers.h"

namespace burnlab {

// The buffers and the hex page as a device choice sees them.
class BuffersForDevice final : public DeviceBuffers {
 public:
  BuffersForDevice(Buffers& buffers, HexDisplay& display) : buffers_(buffers), display_(display) {}

  void takeDeviceSize(std::int32_t bytes) override {
    buffers_.CodeSize = bytes;
    display_.setScrollMax(buffers_.CodeSize / 256 - 1);
  }
  std::int32_t codeSize() const override { return buffers_.CodeSize; }
  bool codeLoaded() const override { return buffers_.CodeLoaded == 1; }
  bool dataLoaded() const override { return buffers_.DataLoaded == 1; }
  void forgetData() override { buffers_.DataLoaded = 0; }

 private:
  Buffers& buffers_;
  HexDisplay& display_;
};

}  // namespace burnlab
