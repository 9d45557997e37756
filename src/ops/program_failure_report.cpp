// The report of a byte that never read back as it was written.
#include "link/hex_text.h"
#include "ops/programming_run.h"

namespace burnlab {

void ProgrammingRun::ReportProgramFailure() {
  auto& board = c_.board;
  // Every programming voltage off first, then the chip released.
  board.Reg0 = 0;
  board.SetReg0();
  board.CEOFF();
  board.OEOFF();
  c_.log.LogLine("*** Programming Failure ***");
  c_.log.LogLine("*** Address:" + hexText(board.address.LinearAddress) + "h, Programming BYTE:" +
                 hexText(ProgramByte) + "h, Read BYTE:" + hexText(board.DataByte) + "h");
  c_.log.LogLine("*** Aborting Programming - Click on [ERROR] Indicator to Reset");
  c_.raiseErrorAlert("a byte did not program at " + hexText(board.address.LinearAddress));
  c_.lamps.ProgramLampOn();
  ProgramFailed = 1;
  c_.sounds.PlayEventSound("ERROR");
}

}  // namespace burnlab
