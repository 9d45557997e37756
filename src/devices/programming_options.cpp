#include "devices/programming_options.h"

#include "devices/program_speed.h"
#include "link/board.h"

namespace burnlab {

void ProgrammingOptions::initControls() {
  panel_.Slider1.min = 1;
  panel_.Slider1.max = 20;
  panel_.Slider1.value = 18;
  for (auto& option : panel_.HiLow_button) option.checked = false;
  panel_.HiLow_button[0].checked = true;
}

void ProgrammingOptions::Voltage_button_Click(int index) {
  const char* volts = nullptr;
  switch (index) {
    case 1:
      volts = "12.5 Volts!!!";
      device_.ProgVoltage = 12;
      break;
    case 2:
      volts = "21 Volts!!!";
      device_.ProgVoltage = 21;
      break;
    case 3:
      volts = "25 Volts!!!";
      device_.ProgVoltage = 25;
      break;
    default:
      return;  // "5V": nothing to set, nothing to say
  }
  if (index == 1) {
    log_.LogLine(std::string("Most Common Programming Voltage Selected: ") + volts);
  } else {
    log_.LogLine(std::string("BE CAREFULL!!! You just Selected Programming Voltage as ") + volts);
  }
}

void ProgrammingOptions::Slider1_Change() {
  log_.LogLine("Program Speed Slider set to: " + std::to_string(panel_.Slider1.value));
  ApplyProgramSpeed();
  sounds_.PlayEventSound("SLIDE");
}

void ProgrammingOptions::ApplyProgramSpeed() {
  const DelayFactors factors{board_.ShortDelayFactor, board_.MediumDelayFactor,
                             board_.LongDelayFactor};
  const auto counts = programSpeedCounts(panel_.Slider1.value, panel_.Slider1.max, factors);
  board_.LongDelayCount = counts.longCount;
  board_.MediumDelayCount = counts.mediumCount;
  board_.ShortDelayCount = counts.shortCount;
  showProgramPulse();
}

void ProgrammingOptions::showProgramPulse() {
  const DelayCounts counts{board_.ShortDelayCount, board_.MediumDelayCount, board_.LongDelayCount};
  panel_.lblProgramPulse.caption =
      programPulseLine(device_.Routines.program, counts, panel_.Slider1.max - panel_.Slider1.value);
}

ByteLane ProgrammingOptions::chosenLane() const {
  if (panel_.HiLow_button[0].checked) return ByteLane::Both;
  if (panel_.HiLow_button[1].checked) return ByteLane::HiByte;
  if (panel_.HiLow_button[2].checked) return ByteLane::LowByte;
  return ByteLane::Both;
}

void ProgrammingOptions::BuildProgramImage(std::span<const std::uint8_t> code) {
  image.BuildProgramImage(chosenLane(), code, device_.DeviceSize);
}

}  // namespace burnlab
