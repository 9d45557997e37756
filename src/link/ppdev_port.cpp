#include "link/ppdev_port.h"

#include <fcntl.h>
#include <sys/ioctl.h>
// ppdev.h needs the ioctl macros first
#include <linux/ppdev.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <fstream>
#include <mutex>
#include <thread>

#include "link/lpt_addresses.h"

namespace burnlab {
namespace {

class LinuxPpdevCalls final : public PpdevCalls {
 public:
  int openDevice(const std::filesystem::path& path) override {
    const int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC);
    return fd >= 0 ? fd : -errno;
  }
  int control(int fd, unsigned long request, void* argument) override {
    return ::ioctl(fd, request, argument) == 0 ? 0 : -errno;
  }
  void closeDevice(int fd) override { ::close(fd); }
};

std::optional<std::uint16_t> readBaseAddress(const std::filesystem::path& file) {
  std::ifstream in(file);
  long value = -1;
  if (!(in >> value) || value < 0 || value > 0xFFFF) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

std::string hexBase(std::uint16_t base) {
  char text[8];
  std::snprintf(text, sizeof text, "%Xh", base);
  return text;
}

// A claim that may never return: the waiting side gives up after the timeout, and the claiming
// thread then releases and closes the port by itself once the claim finally comes through.
struct ClaimAttempt {
  std::mutex mutex;
  std::condition_variable finished;
  bool done = false;
  bool abandoned = false;
  int result = 0;
};

}  // namespace

std::shared_ptr<PpdevCalls> linuxPpdevCalls() {
  return std::make_shared<LinuxPpdevCalls>();
}

std::map<std::string, std::uint16_t> findParportBases(const std::filesystem::path& procRoot) {
  std::map<std::string, std::uint16_t> bases;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(procRoot, error)) {
    const auto name = entry.path().filename().string();
    if (name.rfind("parport", 0) != 0) continue;
    if (const auto base = readBaseAddress(entry.path() / "base-addr")) bases[name] = *base;
  }
  return bases;
}

std::string describePpdevError(const std::filesystem::path& device, int error, bool duringClaim) {
  const std::string node = device.string();
  switch (error) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
      return "No parallel port device " + node +
             ": load the kernel modules with 'sudo modprobe parport_pc ppdev'.";
    case EACCES:
    case EPERM:
      return "No permission to use " + node +
             ": add yourself to group lp ('sudo adduser $USER lp') and log in again.";
    case EBUSY:
    case ETIMEDOUT:
      return node + " is held by another program: close that program, then press TestPort.";
    case ENOTTY:
    case EINVAL:
      return node + " is not a parallel port device (" + std::strerror(error) + ").";
    default:
      return std::string(duringClaim ? "Cannot claim " : "Cannot open ") + node + ": " +
             std::strerror(error) + ".";
  }
}

PpdevPort::PpdevPort(PpdevSettings settings, std::shared_ptr<PpdevCalls> calls,
                     ProblemReport report)
    : settings_(std::move(settings)), calls_(std::move(calls)), report_(std::move(report)) {
  findPorts();
}

void PpdevPort::findPorts() {
  bases_ = findParportBases(settings_.procRoot);
  explicitBase_.reset();
  if (!settings_.explicitDevice.empty()) {
    const auto name = settings_.explicitDevice.filename().string();
    if (const auto found = bases_.find(name); found != bases_.end()) explicitBase_ = found->second;
  }
}

void PpdevPort::retryUnavailablePorts() {
  std::erase_if(devices_, [](const auto& device) { return device.second < 0; });
  findPorts();
}

PpdevPort::~PpdevPort() {
  for (const auto& [device, fd] : devices_) {
    if (fd < 0) continue;
    calls_->control(fd, PPRELEASE, nullptr);
    calls_->closeDevice(fd);
  }
}

void PpdevPort::PortOut(std::uint16_t address, std::uint8_t value) {
  const auto base = lptBaseOf(address);
  if (!base) return;
  const auto fd = descriptorFor(*base);
  if (!fd) return;
  unsigned char byte = value;
  switch (address - *base) {
    case kDataOffset:
      calls_->control(*fd, PPWDATA, &byte);
      break;
    case kControlOffset:
      byte &= 0x0F;  // ppdev owns the interrupt and direction bits
      calls_->control(*fd, PPWCONTROL, &byte);
      break;
    default:
      break;  // the status register cannot be written
  }
}

std::uint8_t PpdevPort::PortIn(std::uint16_t address) {
  const auto base = lptBaseOf(address);
  if (!base || address - *base != kStatusOffset) return kFloatingStatus;
  const auto fd = descriptorFor(*base);
  if (!fd) return kFloatingStatus;
  unsigned char status = kFloatingStatus;
  if (calls_->control(*fd, PPRSTATUS, &status) != 0) return kFloatingStatus;
  return status;
}

std::optional<std::filesystem::path> PpdevPort::deviceFor(std::uint16_t base) const {
  if (!settings_.explicitDevice.empty()) {
    if (explicitBase_ && *explicitBase_ != base) return std::nullopt;
    return settings_.explicitDevice;
  }
  for (const auto& [name, portBase] : bases_) {
    if (portBase == base) return settings_.deviceRoot / name;
  }
  return std::nullopt;
}

std::optional<int> PpdevPort::descriptorFor(std::uint16_t base) {
  const auto device = deviceFor(base);
  if (!device) return std::nullopt;
  auto known = devices_.find(*device);
  if (known == devices_.end()) {
    known = devices_.emplace(*device, openAndClaim(*device, base).value_or(-1)).first;
  }
  if (known->second < 0) return std::nullopt;
  return known->second;
}

std::optional<int> PpdevPort::openAndClaim(const std::filesystem::path& device,
                                           std::uint16_t base) {
  const int fd = calls_->openDevice(device);
  if (fd < 0) {
    if (report_)
      report_("Parallel port " + hexBase(base) + ": " + describePpdevError(device, -fd, false));
    return std::nullopt;
  }
  const int claimed = claimWithTimeout(fd);
  if (claimed != 0) {
    if (claimed != -ETIMEDOUT) calls_->closeDevice(fd);
    if (report_) {
      report_("Parallel port " + hexBase(base) + ": " + describePpdevError(device, -claimed, true));
    }
    return std::nullopt;
  }
  int forward = 0;
  calls_->control(fd, PPDATADIR, &forward);
  return fd;
}

int PpdevPort::claimWithTimeout(int fd) {
  auto attempt = std::make_shared<ClaimAttempt>();
  std::thread([attempt, calls = calls_, fd] {
    const int result = calls->control(fd, PPCLAIM, nullptr);
    std::lock_guard lock(attempt->mutex);
    if (attempt->abandoned) {
      if (result == 0) calls->control(fd, PPRELEASE, nullptr);
      calls->closeDevice(fd);
      return;
    }
    attempt->result = result;
    attempt->done = true;
    attempt->finished.notify_one();
  }).detach();

  std::unique_lock lock(attempt->mutex);
  if (attempt->finished.wait_for(lock, settings_.claimTimeout, [&] { return attempt->done; })) {
    return attempt->result;
  }
  attempt->abandoned = true;
  return -ETIMEDOUT;
}

}  // namespace burnlab
