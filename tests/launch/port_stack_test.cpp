#include "launch/port_stack.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace burnlab::testing {
namespace {

TEST(PortStack, SimulatesTheChosenBoardBehindTheAddressFilterAndTheTrace) {
  TempFolder folder;
  ProgramOptions options;
  options.simulate = true;
  options.simModel = 4;
  options.simPort = 0x3BC;
  options.traceFile = folder.path() / "trace.txt";
  std::string error;
  {
    auto stack = PortStack::build(options, error);
    ASSERT_NE(stack, nullptr) << error;
    ASSERT_NE(stack->simulatedBoard(), nullptr);
    EXPECT_EQ(stack->simulatedBoard()->model(), 4);
    stack->port().PortOut(0x0002, 0x55);  // refused before it reaches the trace
    stack->port().PortOut(0x3BC, 0x55);
  }
  EXPECT_EQ(readAll(options.traceFile), "out 03BC 55\n");
}

TEST(PortStack, NoneLeavesEveryPortEmpty) {
  ProgramOptions options;
  options.simulate = true;
  options.simSocket = "none";
  std::string error;
  auto stack = PortStack::build(options, error);
  ASSERT_NE(stack, nullptr);
  EXPECT_EQ(stack->simulatedBoard(), nullptr);
  EXPECT_EQ(stack->port().PortIn(0x379), 0x7F);
}

}  // namespace
}  // namespace burnlab::testing
