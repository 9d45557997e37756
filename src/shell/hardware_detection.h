#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "link/board.h"
#include "link/board_probe.h"
#include "panel/lamps.h"
#include "panel/panel.h"
#include "panel/platform.h"
#include "panel/system_log.h"
#include "shell/port_config_file.h"

namespace burnlab {

// The LPTSelection option of a port base (0 for 378h, 1 for 278h, 2 for 3BCh), if it has one.
std::optional<int> lptOptionOf(std::int16_t base);

// Finding the board and choosing its port: the search over the three port bases, the report of
// what was found (from a search or from burnlab6.ini), the operator's port choice, the forced
// models, and Timer1.
class HardwareDetection final : private ProbeDisplay {
 public:
  HardwareDetection(Panel& panel, Board& board, SystemLog& log, Lamps& lamps, Platform& platform,
                    PortConfigFile& configFile)
      : panel_(panel),
        board_(board),
        log_(log),
        lamps_(lamps),
        platform_(platform),
        configFile_(configFile) {}

  // The base at which a board answered or which the configuration file named; 0 = none.
  std::int16_t HardwareFoundPort = 0;

  // The board search ("TestPort", the "Test LPT Ports" menu item, start-up without a port).
  void TestHardware_button_Click();
  void menuTestHardware_Click() { TestHardware_button_Click(); }

  // Shows and stores the result of a search or of the configuration file.
  void ReportHardware();

  // Start-up: the port and model of burnlab6.ini, confirmed by probing that port, then
  // ReportHardware. Without a file, or when no board answers at its port, PortBase stays 0 and
  // start-up searches.
  void ReadPortConfig();

  // The option buttons' click handler: takes the selected option's port, without probing.
  void LPTSelection_Click(int index);
  // The operator clicks option `index`: it becomes the selected one and its click runs.
  void clickLPTOption(int index);
  // The program selects option `index`: its click runs only when it was not selected before.
  void selectLPTOption(int index);

  void ForceBurnlab4_Click() { forceModel(4); }
  void ForceBurnlab5_Click() { forceModel(5); }
  void ForceBurnlab6_Click() { forceModel(6); }

  void Timer1_Timer();

 private:
  void DataFlowLampOn() override { lamps_.DataFlowLampOn(); }
  void DataFlowLampOff() override { lamps_.DataFlowLampOff(); }
  void LogLine(const std::string& message) override { log_.LogLine(message); }

  // Marks option `index` selected and the others not; true when that changed it.
  bool markSelected(int index);
  void reportFoundModel();
  // Probes the one port `base` as the search does; true when a board answered there (its
  // model is then set).
  bool boardAnswersAt(std::int16_t base);
  void forceModel(std::int16_t model);

  Panel& panel_;
  Board& board_;
  SystemLog& log_;
  Lamps& lamps_;
  Platform& platform_;
  PortConfigFile& configFile_;
};

}  // namespace burnlab
