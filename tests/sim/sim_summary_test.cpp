// The line that says what the simulated board saw during a command.
#include "sim/sim_summary.h"

#include <gtest/gtest.h>

#include "parallel_driver.h"
#include "sim/eprom_chip.h"

namespace burnlab::sim {
namespace {

TEST(SimSummary, SaysTheCommandsTimeAccessesContentionsAndEventsByKind) {
  ChipInSocket<> chip("27C256", 0x80, 2);
  auto& rig = chip.rig;
  auto& drive = chip.drive;
  rig.clock.advanceNs(700'000'000);  // start-up
  const auto start = rig.sim.markCommand();
  drive.read(0);
  rig.clock.advanceNs(500'000'000);
  EXPECT_EQ(summaryLine(start, rig.sim),
            "Simulated board: command 500.0 ms, run 1.200 s with start-up; 24 port accesses; "
            "no bus contention; no events");

  const auto second = rig.sim.markCommand();
  rig.set(4, 0x00);
  rig.set(0, 0x00);
  rig.set(3, 0x02);  // CE and OE low with the board driving the bus: a fight
  rig.clock.advanceNs(30'000);
  rig.set(3, 0xC2);
  drive.prepare(0, 0x00, kOeHigh | kVppPin3 | kVolts25);
  drive.prepare(0, 0x00, kOeHigh | kVppPin3 | kVolts25);  // a destroyed chip dies once
  const auto summary = summarise(second, rig.sim);
  EXPECT_EQ(summary.contentions, "1 bus contention, the longest 34 us");
  ASSERT_EQ(summary.events.size(), 1u);
  EXPECT_EQ(summary.events[0],
            "1 chip destroyed (27C256 destroyed: 25 V on pin 1 (VPP), above its 14 V maximum)");
  EXPECT_NE(summaryLine(second, rig.sim).find("; events: 1 chip destroyed (27C256"),
            std::string::npos);
}

TEST(SimSummary, WritesDurationsAsPeopleReadThem) {
  EXPECT_EQ(durationText(0), "0 us");
  EXPECT_EQ(durationText(15'400), "15 us");
  EXPECT_EQ(durationText(12'500'000), "12.5 ms");
  EXPECT_EQ(durationText(1'234'000'000), "1.234 s");
}

}  // namespace
}  // namespace burnlab::sim
