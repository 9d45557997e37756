// The ppdev back end against a fake /proc tree and fake kernel calls, plus the real calls on
// nodes that are not parallel ports.
#include "link/ppdev_port.h"

#include <gtest/gtest.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>

#include <atomic>
#include <cerrno>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <thread>

#include "link/board_test_support.h"
#include "link/port_address_filter.h"
#include "link/tracing_port.h"
#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

// The kernel as the back end sees it: one status byte per device, and every call recorded.
class FakeKernel final : public PpdevCalls {
 public:
  int openDevice(const std::filesystem::path& path) override {
    opened.push_back(path.string());
    if (const auto failure = openFailures.find(path.string()); failure != openFailures.end()) {
      return -failure->second;
    }
    return nextFd++;
  }
  int control(int fd, unsigned long request, void* argument) override {
    auto* byte = static_cast<unsigned char*>(argument);
    switch (request) {
      case PPCLAIM:
        record("claim " + std::to_string(fd));
        if (claimBlocks) {
          while (!unblock) std::this_thread::yield();
        }
        return claimResult;
      case PPRELEASE:
        return record("release " + std::to_string(fd));
      case PPDATADIR:
        return record("datadir " + std::to_string(*static_cast<int*>(argument)));
      case PPWDATA:
        return record("data " + std::to_string(*byte));
      case PPWCONTROL:
        return record("control " + std::to_string(*byte));
      case PPRSTATUS:
        *byte = status;
        return record("status");
      default:
        return -EINVAL;
    }
  }
  void closeDevice(int fd) override { record("close " + std::to_string(fd)); }

  std::string lastCall() {
    std::lock_guard lock(mutex);
    return calls.empty() ? "" : calls.back();
  }

  std::vector<std::string> opened;
  std::vector<std::string> calls;
  std::mutex mutex;
  // Notes a call that succeeds, as the kernel answers it: 0.
  int record(const std::string& call) {
    std::lock_guard lock(mutex);
    calls.push_back(call);
    return 0;
  }
  std::map<std::string, int> openFailures;
  int nextFd = 10;
  int claimResult = 0;
  bool claimBlocks = false;
  std::atomic<bool> unblock{false};
  unsigned char status = 0x5F;
};

struct PpdevRig {
  PpdevRig() {
    // The bases in decimal, as the kernel writes them: each test's use of 378h and 278h opens
    // the node of its base.
    addPort("parport0", "888\t0\n");     // 378h
    addPort("parport1", "632\t1656\n");  // 278h, with a second base after the first number
    settings.procRoot = folder.path() / "proc";
    settings.deviceRoot = folder.path() / "dev";
    settings.claimTimeout = std::chrono::milliseconds(50);
  }
  void addPort(const std::string& name, const std::string& baseAddr) {
    const auto dir = folder.path() / "proc" / name;
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "base-addr") << baseAddr;
  }
  std::unique_ptr<PpdevPort> open() {
    return std::make_unique<PpdevPort>(settings, calls,
                                       [this](const std::string& p) { problems.push_back(p); });
  }

  TempFolder folder;
  PpdevSettings settings;
  std::shared_ptr<FakeKernel> kernel = std::make_shared<FakeKernel>();
  std::shared_ptr<PpdevCalls> calls = kernel;  // the real ones, for a test that asks
  std::vector<std::string> problems;
};

TEST(PpdevPort, ClaimsOnFirstUseAndMapsTheThreeRegisters) {
  PpdevRig rig;
  {
    auto port = rig.open();
    port->PortOut(0x378, 0x9F);
    port->PortOut(0x37A, 0xF5);  // only the low four bits reach the control register
    EXPECT_EQ(port->PortIn(0x379), 0x5F);
    port->PortOut(0x379, 0x01);  // the status register cannot be written
  }
  EXPECT_EQ(rig.kernel->opened,
            (std::vector<std::string>{(rig.folder.path() / "dev" / "parport0").string()}));
  EXPECT_EQ(rig.kernel->calls,
            (std::vector<std::string>{"claim 10", "datadir 0", "data 159", "control 5", "status",
                                      "release 10", "close 10"}));
  EXPECT_TRUE(rig.problems.empty());
}

TEST(PpdevPort, ABaseWithNoPortReadsAsNoBoardAndTouchesNothing) {
  PpdevRig rig;
  auto port = rig.open();
  EXPECT_EQ(port->PortIn(0x3BD), 0x7F);
  // The board search's writes and reads there find no board.
  ProbeRig search(*port);
  search.probe(0x3BC);
  EXPECT_EQ(search.display.events,
            (std::vector<std::string>{"lamp on", "lamp off", "Port 3BC Not Responding"}));
  EXPECT_EQ(search.board.Model, 0);
  EXPECT_TRUE(rig.kernel->opened.empty());
  EXPECT_TRUE(rig.problems.empty());
}

TEST(PpdevPort, AMissingOrForbiddenNodeIsReportedOnceWithItsRemedy) {
  PpdevRig rig;
  const auto node0 = (rig.folder.path() / "dev" / "parport0").string();
  const auto node1 = (rig.folder.path() / "dev" / "parport1").string();
  rig.kernel->openFailures = {{node0, ENOENT}, {node1, EACCES}};
  auto port = rig.open();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(port->PortIn(0x379), 0x7F);
    EXPECT_EQ(port->PortIn(0x279), 0x7F);
  }
  ASSERT_EQ(rig.problems.size(), 2u);
  EXPECT_NE(rig.problems[0].find("modprobe parport_pc ppdev"), std::string::npos);
  EXPECT_NE(rig.problems[0].find("378h"), std::string::npos);
  EXPECT_NE(rig.problems[1].find("group lp"), std::string::npos);
  EXPECT_EQ(rig.kernel->opened.size(), 2u);  // a failed node is not retried
}

TEST(PpdevPort, AClaimThatNeverReturnsTimesOutAsBusy) {
  PpdevRig rig;
  rig.kernel->claimBlocks = true;
  {
    auto port = rig.open();
    EXPECT_EQ(port->PortIn(0x379), 0x7F);
    ASSERT_EQ(rig.problems.size(), 1u);
    EXPECT_NE(rig.problems[0].find("held by another program"), std::string::npos);
  }
  // The abandoned claim gives the port back once the other program lets go.
  rig.kernel->unblock = true;
  for (int i = 0; i < 1000; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
    if (rig.kernel->lastCall() == "close 10") break;
  }
  EXPECT_EQ(rig.kernel->lastCall(), "close 10");
}

TEST(PpdevPort, ANewSearchTriesABusyOrMissingPortAgain) {
  PpdevRig rig;
  rig.kernel->claimResult = -EBUSY;
  rig.addPort("parport2", "956\n");  // 3BCh, its node not there yet
  const auto node2 = (rig.folder.path() / "dev" / "parport2").string();
  rig.kernel->openFailures = {{node2, ENOENT}};
  auto port = rig.open();
  // Behind the trace and the address filter, as the programs stack them.
  std::ostringstream trace;
  TracingPort tracer(*port, trace);
  PortAddressFilter stack(tracer);
  EXPECT_EQ(stack.PortIn(0x379), 0x7F);
  EXPECT_EQ(stack.PortIn(0x3BD), 0x7F);
  EXPECT_EQ(stack.PortIn(0x379), 0x7F);  // not tried again within the same search
  ASSERT_EQ(rig.problems.size(), 2u);
  EXPECT_NE(rig.problems[0].find("close that program, then press TestPort"), std::string::npos);
  EXPECT_EQ(rig.kernel->opened.size(), 2u);

  // The other program let go, the module made the node: TestPort starts a new search.
  rig.kernel->claimResult = 0;
  rig.kernel->openFailures.clear();
  stack.retryUnavailablePorts();
  EXPECT_EQ(stack.PortIn(0x379), 0x5F);
  EXPECT_EQ(stack.PortIn(0x3BD), 0x5F);
  EXPECT_EQ(rig.kernel->opened.size(), 4u);
  EXPECT_EQ(rig.problems.size(), 2u);

  // A port that works is kept open across searches.
  stack.retryUnavailablePorts();
  EXPECT_EQ(stack.PortIn(0x379), 0x5F);
  EXPECT_EQ(rig.kernel->opened.size(), 4u);
}

TEST(PpdevPort, AnExplicitDeviceServesItsOwnBaseOnly) {
  PpdevRig rig;
  rig.settings.explicitDevice = rig.folder.path() / "dev" / "parport1";
  auto port = rig.open();
  EXPECT_EQ(port->PortIn(0x379), 0x7F);
  EXPECT_TRUE(rig.kernel->opened.empty());
  EXPECT_EQ(port->PortIn(0x279), 0x5F);
  EXPECT_EQ(rig.kernel->opened.size(), 1u);
}

TEST(PpdevPort, TheRealCallsRejectNodesThatAreNotParallelPorts) {
  PpdevRig rig;
  rig.calls = linuxPpdevCalls();
  rig.settings.explicitDevice = rig.folder.path() / "dev_parport0";
  std::ofstream(rig.settings.explicitDevice) << "not a device";
  EXPECT_EQ(rig.open()->PortIn(0x379), 0x7F);
  ASSERT_EQ(rig.problems.size(), 1u);
  EXPECT_NE(rig.problems[0].find("not a parallel port device"), std::string::npos)
      << rig.problems[0];

  rig.settings.explicitDevice = rig.folder.path() / "missing";
  rig.problems.clear();
  rig.open()->PortOut(0x378, 0);
  ASSERT_EQ(rig.problems.size(), 1u);
  EXPECT_NE(rig.problems[0].find("modprobe"), std::string::npos);
}

}  // namespace
}  // namespace burnlab::testing
