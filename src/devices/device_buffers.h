#pragma once

#include <cstdint>

namespace burnlab {

// What a device choice asks of the code and data buffers and their page view, which live in a
// room above this one: the code buffer and the page scroll take the device's size, and what is
// loaded decides which buffer commands are offered.
class DeviceBuffers {
 public:
  virtual ~DeviceBuffers() = default;

  // The code buffer's meaningful bytes become the device's size; the scroll reaches its last page.
  virtual void takeDeviceSize(std::int32_t bytes) = 0;
  virtual std::int32_t codeSize() const = 0;
  virtual bool codeLoaded() const = 0;
  virtual bool dataLoaded() const = 0;
  // A device without a data buffer gives up the data file loaded for the previous one.
  virtual void forgetData() = 0;
};

}  // namespace burnlab
