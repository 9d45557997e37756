#pragma once

#include <cstdint>
#include <span>

#include "devices/program_image.h"
#include "panel/event_sounds.h"
#include "panel/panel.h"
#include "panel/selected_device.h"
#include "panel/system_log.h"

namespace burnlab {

class Board;

// The operator's programming options: the voltage the EPROM routines switch to, the byte lane
// the chip receives, and the speed slider that scales every busy-wait loop of the board.
class ProgrammingOptions {
 public:
  ProgrammingOptions(Panel& panel, Board& board, SelectedDevice& device, SystemLog& log,
                     EventSounds& sounds)
      : panel_(panel), board_(board), device_(device), log_(log), sounds_(sounds) {}

  // Sets up the controls as the window opens: Slider1 1..20 at 18, "Both" chosen.
  void initControls();

  // Records the chosen voltage (12 for 12.5 V, 21, 25; "5V" leaves it) and warns of the high
  // ones in the log. Touches no board register.
  void Voltage_button_Click(int index);

  // The speed slider was moved: log it, recompute the delay counts, play the slide sound.
  void Slider1_Change();
  // Delay counts from the slider and the device's delay factors; the pulse line follows them.
  void ApplyProgramSpeed();
  // lblProgramPulse: the program pulse the selected device gets at the slider's position (nothing
  // while no device is chosen).
  void showProgramPulse();

  // The image programming and verify use, from the code buffer's meaningful bytes by the chosen
  // byte lane.
  void BuildProgramImage(std::span<const std::uint8_t> code);
  ByteLane chosenLane() const;

  ProgramImage image;

 private:
  Panel& panel_;
  Board& board_;
  SelectedDevice& device_;
  SystemLog& log_;
  EventSounds& sounds_;
};

}  // namespace burnlab
