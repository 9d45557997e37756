#include "link/direct_port.h"

#include <cerrno>
#include <cstring>

#include "link/lpt_addresses.h"

#if defined(__x86_64__) || defined(__i386__)
#include <sys/io.h>
#define BURNLAB_HAS_PORT_INSTRUCTIONS 1
#endif

namespace burnlab {

std::string DirectPort::requestAccess() {
#ifdef BURNLAB_HAS_PORT_INSTRUCTIONS
  for (const auto base : kLptBases) {
    if (::ioperm(base, kControlOffset + 1, 1) != 0) {
      return std::string("Direct port access refused (") + std::strerror(errno) +
             "): run as root, or use the ppdev interface.";
    }
  }
  return {};
#else
  return "Direct port access is not available on this processor: use the ppdev interface.";
#endif
}

void DirectPort::PortOut(std::uint16_t address, std::uint8_t value) {
#ifdef BURNLAB_HAS_PORT_INSTRUCTIONS
  if (lptBaseOf(address)) ::outb(value, address);
#else
  (void)address;
  (void)value;
#endif
}

std::uint8_t DirectPort::PortIn(std::uint16_t address) {
#ifdef BURNLAB_HAS_PORT_INSTRUCTIONS
  if (lptBaseOf(address)) return ::inb(address);
#else
  (void)address;
#endif
  return kFloatingStatus;
}

}  // namespace burnlab
