#include "launch/program_options.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace burnlab {
namespace {

TEST(ProgramOptions, ReadsTheSimulatorAndTheOperatorChoicesApart) {
  const auto parsed = parseProgramOptions({"--simulate", "--sim-model", "4", "--sim-port=3BCh",
                                           "--port", "278h", "--model=5", "--trace", "t.txt"});
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  const auto& o = parsed.options;
  EXPECT_TRUE(o.simulate);
  EXPECT_EQ(o.simSocket, "");
  EXPECT_EQ(o.simModel, 4);
  EXPECT_EQ(o.simPort, 0x3BC);
  EXPECT_EQ(o.port, 0x278);
  EXPECT_EQ(o.model, 5);
  EXPECT_EQ(o.traceFile, "t.txt");
}

TEST(ProgramOptions, DefaultsToModelSixAt378hAndTakesASocketAfterTheEqualsSign) {
  const auto parsed =
      parseProgramOptions({"--simulate=none", "--direct", "--parport", "/dev/parport1"});
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  EXPECT_TRUE(parsed.options.simulate);
  EXPECT_EQ(parsed.options.simSocket, "none");
  EXPECT_EQ(parsed.options.simModel, 6);
  EXPECT_EQ(parsed.options.simPort, 0x378);
  EXPECT_FALSE(parsed.options.port.has_value());
  EXPECT_TRUE(parsed.options.direct);
  EXPECT_EQ(parsed.options.parportDevice, "/dev/parport1");
  EXPECT_FALSE(parseProgramOptions({}).options.simulate);
}

TEST(ProgramOptions, SetsTheSimulatedClockAndSeed) {
  const auto defaults = parseProgramOptions({"--simulate"}).options;
  EXPECT_EQ(defaults.simAccessNs, 1000u);
  EXPECT_FALSE(defaults.simLoopNs.has_value()) << "measured on this PC";
  EXPECT_EQ(defaults.simSeed, 1u);

  const auto parsed = parseProgramOptions(
      {"--simulate", "--sim-access-ns", "500", "--sim-loop-ns=0.75", "--sim-seed", "42"});
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  EXPECT_EQ(parsed.options.simAccessNs, 500u);
  EXPECT_EQ(parsed.options.simLoopNs, 0.75);
  EXPECT_EQ(parsed.options.simSeed, 42u);
}

TEST(ProgramOptions, SkipsTheRealWaitingOnlyOnTheSimulatedBoard) {
  EXPECT_FALSE(parseProgramOptions({"--simulate"}).options.simNoWait) << "waits by default";
  const auto parsed = parseProgramOptions({"--simulate=27C256", "--sim-no-wait"});
  ASSERT_TRUE(parsed.error.empty()) << parsed.error;
  EXPECT_TRUE(parsed.options.simNoWait);
  // A real board's pulses must last their width: no-wait is refused there, and says why.
  const auto refused = parseProgramOptions({"--sim-no-wait", "--port", "378h"});
  EXPECT_NE(refused.error.find("--sim-no-wait"), std::string::npos) << refused.error;
  EXPECT_NE(refused.error.find("--simulate"), std::string::npos) << refused.error;
}

TEST(ProgramOptions, RefusesWhatItDoesNotKnowWithAClearReason) {
  // The words given, and what the refusal must say.
  const std::pair<std::vector<std::string>, const char*> cases[] = {
      {{"--port", "300h"}, "378h, 278h or 3BCh"},
      {{"--sim-port=1"}, "378h, 278h or 3BCh"},
      {{"--model", "7"}, "4, 5 or 6"},
      {{"--trace"}, "--trace"},
      {{"--frobnicate"}, "--frobnicate"},
      {{"--sim-loop-ns", "fast"}, "nanoseconds"},
      {{"--sim-loop-ns", "-1"}, "nanoseconds"},
      {{"--sim-access-ns", "1.5"}, "--sim-access-ns"}};
  for (const auto& [words, reason] : cases) {
    EXPECT_THAT(parseProgramOptions(words).error, ::testing::HasSubstr(reason)) << words[0];
  }
  EXPECT_EQ(parsePortName("0x3bc"), 0x3BC);
  EXPECT_EQ(parsePortName("378H"), 0x378);
}

}  // namespace
}  // namespace burnlab
