// Programming speed and the byte-lane image.
#include <gtest/gtest.h>

#include <numeric>

#include "devices/device_catalogue.h"
#include "devices/program_image.h"
#include "devices/program_speed.h"

namespace burnlab {
namespace {

TEST(ProgramSpeed, FastestGivesTwoEverywhereAndTheSlowHalfStretchesTheShortLoop) {
  const DelayFactors standard;
  EXPECT_EQ(programSpeedCounts(20, 20, standard), (DelayCounts{2, 2, 2}));
  EXPECT_EQ(programSpeedCounts(10, 20, standard), (DelayCounts{52, 1002, 5002}));
  EXPECT_EQ(programSpeedCounts(9, 20, standard), (DelayCounts{1102, 1102, 5502}));
  // The slowest setting of the slowest device: 19 x 100000 + 2 still fits 32 bits.
  EXPECT_EQ(programSpeedCounts(1, 20, delayFactorsFor('1')).longCount, 1900002);
}

TEST(ProgramSpeed, FactorsFollowTheSubCode) {
  EXPECT_EQ(delayFactorsFor('1'), (DelayFactors{50, 20000, 100000}));
  EXPECT_EQ(delayFactorsFor('2'), (DelayFactors{50, 20000, 100000}));
  EXPECT_EQ(delayFactorsFor('3'), (DelayFactors{5, 100, 500}));
  EXPECT_EQ(delayFactorsFor('9'), (DelayFactors{2, 50, 250}));
  EXPECT_EQ(delayFactorsFor('A'), (DelayFactors{5, 100, 500}));
}

// The line beside the slider: the pulse each routine gets, from the counts it would run.
struct PulseCase {
  std::string part;
  std::int32_t slider;
  std::string line;
};

class ProgramPulseLine : public ::testing::TestWithParam<PulseCase> {};

TEST_P(ProgramPulseLine, SaysThePulseTheDeviceGetsAtThatPosition) {
  const auto& c = GetParam();
  const auto* row = DeviceCatalogue::byName(c.part);
  const auto counts = programSpeedCounts(c.slider, 20, delayFactorsFor(row->subCode));
  EXPECT_EQ(programPulseLine(row->routines.program, counts, 20 - c.slider), c.line);
}

INSTANTIATE_TEST_SUITE_P(
    EveryRoutine, ProgramPulseLine,
    ::testing::Values(PulseCase{"27C256", 18, "Pulse 101 \xB5s"},  // at the default
                      PulseCase{"27C256", 20, "Pulse 1 \xB5s"},    // the fastest: too short
                      PulseCase{"27C256", 1, "Pulse 951 \xB5s"},
                      PulseCase{"27C080", 18, "Pulse 51 \xB5s"},
                      PulseCase{"2764", 18, "Pulse 20 ms"},  // NMOS
                      PulseCase{"2764", 20, "Pulse 1 \xB5s"}, PulseCase{"2764", 19, "Pulse 10 ms"},
                      PulseCase{"2732A", 1, "Pulse 5 ms, fixed"},  // the 2732 sleeps its pulse
                      PulseCase{"X28C256", 18, "Page pauses 3 + 11 ms"},
                      PulseCase{"AT29C256", 1, "Page pauses 20 + 22 ms"},
                      PulseCase{"24C16", 18, "Chip-timed writes"}),
    [](const auto& info) { return info.param.part + "_at" + std::to_string(info.param.slider); });

TEST(ProgramPulseLine, SaysNothingWithoutADeviceAndRoundsBetweenUnits) {
  EXPECT_EQ(programPulseLine(ProgramRoutine::None, DelayCounts{2, 202, 1002}, 2), "");
  const auto pulse = [](std::int32_t medium) {
    return programPulseLine(ProgramRoutine::Eprom27C010, DelayCounts{2, medium, 2}, 2);
  };
  // 1.5 ms and 9.95 ms: a decimal below ten milliseconds, none above.
  EXPECT_EQ(pulse(3000), "Pulse 1.5 ms");
  EXPECT_EQ(pulse(19900), "Pulse 10 ms");
  EXPECT_EQ(pulse(1998), "Pulse 999 \xB5s");
}

TEST(ProgramImage, LanesTakeAllOddOrEvenBytesForTheDeviceSize) {
  std::vector<std::uint8_t> buffer(70000);
  std::iota(buffer.begin(), buffer.end(), 0);
  ProgramImage image;
  image.BuildProgramImage(ByteLane::HiByte, buffer, 32768);
  EXPECT_EQ(image.ProgramSize, 16384);
  EXPECT_EQ(image.bytes[0], buffer[1]);
  EXPECT_EQ(image.bytes[16383], buffer[32767]);
  image.BuildProgramImage(ByteLane::LowByte, buffer, 32768);
  EXPECT_EQ(image.bytes[16383], buffer[32766]);
  image.BuildProgramImage(ByteLane::Both, buffer, 32768);
  EXPECT_EQ(image.ProgramSize, 32768);
  EXPECT_TRUE(std::equal(buffer.begin(), buffer.begin() + 32768, image.bytes.begin()));
}

TEST(ProgramImage, AMegabyteDeviceFillsTheWholeImageWithoutOverrun) {
  std::vector<std::uint8_t> buffer(2'100'001, 0xAB);
  ProgramImage image;
  image.BuildProgramImage(ByteLane::Both, buffer, 1'048'576);
  EXPECT_EQ(image.ProgramSize, 1'048'576);
  EXPECT_EQ(image.bytes[1'048'575], 0xAB);
  EXPECT_EQ(image.bytes[1'048'576], 0x00);
}

}  // namespace
}  // namespace burnlab
