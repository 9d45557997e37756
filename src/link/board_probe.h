#pragma once

#include <cstdint>
#include <string>

#include "link/board.h"

namespace burnlab {

// What probing a port shows the operator: the DataFlow lamp while the probes run, and the log.
class ProbeDisplay {
 public:
  virtual ~ProbeDisplay() = default;
  virtual void DataFlowLampOn() = 0;
  virtual void DataFlowLampOff() = 0;
  virtual void LogLine(const std::string& message) = 0;
};

// Probes the port at the board's PortBase once. The board has no identification command: two
// raw write/read sequences that bypass the register shadows tell a model-4 board (probe B) from
// a model-5/6 board (probe A), and a data read with the identification line raised tells model
// 6 from model 5. A board that answers sets board.Model and HardwareFoundPort; when both probes
// answer, model 4 wins. A port that answers neither is logged as not responding and changes
// nothing.
void CheckHardware(Board& board, std::int16_t& HardwareFoundPort, ProbeDisplay& display);

}  // namespace burnlab
