#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "link/port_io.h"
#include "link/ppdev_port.h"

namespace burnlab {

struct HardwarePortRequest {
  bool direct = false;                   // ioperm + in/out instead of ppdev
  std::filesystem::path parportDevice;   // an explicit /dev/parportN
  PpdevSettings ppdev;                   // where to look (tests point it at a fake tree)
};

struct HardwarePort {
  std::unique_ptr<PortIo> port;  // never null: without hardware, a port that reads no board
  std::string notice;            // why no real port is used and how to fix it; empty if fine
};

// Chooses the real back end: ppdev by default; direct I/O when asked for, or when the kernel
// has no parallel-port interface and ioperm succeeds. Without either, the program keeps working
// with no hardware and `notice` says why. Problems found later (a port that cannot be opened or
// claimed on first use) go to `report`.
HardwarePort openHardwarePort(const HardwarePortRequest& request,
                              PpdevPort::ProblemReport report);

}  // namespace burnlab
