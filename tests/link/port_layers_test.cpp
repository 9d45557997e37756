// The address filter, the trace format and the real back end's choice when no port exists.
#include <gtest/gtest.h>

#include <sstream>

#include "link/hardware_port.h"
#include "link/port_address_filter.h"
#include "link/tracing_port.h"
#include "support/recording_port.h"

namespace burnlab::testing {
namespace {

TEST(PortAddressFilter, PassesTheThreePortsAndRefusesEverythingElseQuietly) {
  RecordingPort inner;
  PortAddressFilter filter(inner);
  for (std::uint16_t address : {0, 1, 2, 0x277, 0x27B, 0x37B, 0x3BF, 0xFFFF}) {
    filter.PortOut(address, 0x12);
    EXPECT_EQ(filter.PortIn(address), 0x7F) << address;
  }
  EXPECT_TRUE(inner.lines.empty());
  filter.PortOut(0x278, 1);
  filter.PortOut(0x37A, 2);
  filter.PortIn(0x3BD);
  EXPECT_EQ(inner.lines,
            (std::vector<std::string>{"out 0278 01", "out 037A 02", "in 03BD 7F"}));
}

TEST(TracingPort, WritesOneUpperCaseLinePerAccessInCallOrder) {
  RecordingPort inner;
  inner.scriptedReads = {0x78};
  std::ostringstream trace;
  TracingPort tracer(inner, trace);
  tracer.PortOut(0x378, 0x9F);
  EXPECT_EQ(tracer.PortIn(0x379), 0x78);
  tracer.PortOut(0x3BE, 0x0a);
  EXPECT_EQ(trace.str(), "out 0378 9F\nin 0379 78\nout 03BE 0A\n");
}

TEST(HardwarePort, WithoutAKernelPortInterfaceExplainsHowToFixIt) {
  HardwarePortRequest request;
  request.ppdev.procRoot = "/nonexistent/parport";
  auto hardware = openHardwarePort(request, {});
  ASSERT_NE(hardware.port, nullptr);
  if (!hardware.notice.empty()) {
    // No direct access either (not root or not x86): the program runs with no board.
    EXPECT_NE(hardware.notice.find("modprobe parport_pc ppdev"), std::string::npos);
    EXPECT_EQ(hardware.port->PortIn(0x379), 0x7F);
  }
}

}  // namespace
}  // namespace burnlab::testing
