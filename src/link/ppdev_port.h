#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "link/port_io.h"

namespace burnlab {

// The system calls the ppdev back end makes, so that a test can stand in for the kernel.
// Each returns 0 (or a descriptor) on success and minus the errno value on failure.
class PpdevCalls {
 public:
  virtual ~PpdevCalls() = default;
  virtual int openDevice(const std::filesystem::path& path) = 0;
  virtual int control(int fd, unsigned long request, void* argument) = 0;
  virtual void closeDevice(int fd) = 0;
};

// The real calls: open(2), ioctl(2), close(2).
std::shared_ptr<PpdevCalls> linuxPpdevCalls();

struct PpdevSettings {
  std::filesystem::path procRoot = "/proc/sys/dev/parport";
  std::filesystem::path deviceRoot = "/dev";
  // An explicit device node (e.g. /dev/parport1) instead of the search by base address.
  std::filesystem::path explicitDevice;
  // A port claimed by another process blocks PPCLAIM forever; give up after this long.
  std::chrono::milliseconds claimTimeout{2000};
};

// The base addresses the kernel's parallel ports sit at, by device name ("parport0" -> 0x378),
// read from <procRoot>/parportN/base-addr (decimal, first number).
std::map<std::string, std::uint16_t> findParportBases(const std::filesystem::path& procRoot);

// Port access through the Linux ppdev interface. A port is opened and claimed on its first
// access; an access to a base with no parallel port behind it touches nothing and reads as a
// port with no board. A port that cannot be opened is reported once, with how to fix it, and
// is not tried again until a new search for the board asks for it.
class PpdevPort final : public PortIo {
 public:
  using ProblemReport = std::function<void(const std::string&)>;

  PpdevPort(PpdevSettings settings, std::shared_ptr<PpdevCalls> calls, ProblemReport report);
  ~PpdevPort() override;
  PpdevPort(const PpdevPort&) = delete;
  PpdevPort& operator=(const PpdevPort&) = delete;

  void PortOut(std::uint16_t address, std::uint8_t value) override;
  std::uint8_t PortIn(std::uint16_t address) override;
  // Forgets the device nodes that could not be opened or claimed, and looks at the kernel's
  // ports afresh (a module loaded since), so that the next access tries them again and reports
  // again what still stands in the way.
  void retryUnavailablePorts() override;

 private:
  void findPorts();
  std::optional<int> descriptorFor(std::uint16_t base);
  std::optional<std::filesystem::path> deviceFor(std::uint16_t base) const;
  std::optional<int> openAndClaim(const std::filesystem::path& device, std::uint16_t base);
  int claimWithTimeout(int fd);

  PpdevSettings settings_;
  std::shared_ptr<PpdevCalls> calls_;
  ProblemReport report_;
  std::map<std::string, std::uint16_t> bases_;
  std::optional<std::uint16_t> explicitBase_;
  // Each device node is opened once: fd -1 means it failed and is not retried until
  // retryUnavailablePorts.
  std::map<std::filesystem::path, int> devices_;
};

// The operator-facing reason a device node could not be used, with how to fix it.
std::string describePpdevError(const std::filesystem::path& device, int error, bool duringClaim);

}  // namespace burnlab
