#include "link/hardware_port.h"

#include "link/direct_port.h"
#include "link/null_port.h"

namespace burnlab {
namespace {

HardwarePort directOrNothing(const std::string& whyNotPpdev) {
  const auto refused = DirectPort::requestAccess();
  if (refused.empty()) {
    // Say why the ports are reached directly when ppdev was the choice.
    const auto notice = whyNotPpdev.empty() ? "" : whyNotPpdev + " Using direct port I/O.";
    return {std::make_unique<DirectPort>(), notice};
  }
  std::string notice = whyNotPpdev.empty() ? refused : whyNotPpdev + " " + refused;
  return {std::make_unique<NullPort>(), notice + " Working without hardware."};
}

}  // namespace

HardwarePort openHardwarePort(const HardwarePortRequest& request, PpdevPort::ProblemReport report) {
  if (request.direct) return directOrNothing({});

  auto settings = request.ppdev;
  settings.explicitDevice = request.parportDevice;
  std::error_code error;
  const bool kernelHasPorts = std::filesystem::is_directory(settings.procRoot, error);
  if (!kernelHasPorts && settings.explicitDevice.empty()) {
    return directOrNothing(
        "No parallel port interface: load the kernel modules with "
        "'sudo modprobe parport_pc ppdev'.");
  }
  return {std::make_unique<PpdevPort>(settings, linuxPpdevCalls(), std::move(report)), {}};
}

}  // namespace burnlab
