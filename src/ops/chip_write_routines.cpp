#include "ops/chip_write_routines.h"

namespace burnlab {

std::function<void()> programRoutine(ProgramRoutine routine, EpromProgramming& eprom,
                                     const ChipWriters& writers) {
  auto& run = writers.run;
  switch (routine) {
    case ProgramRoutine::None:
      return {};
    case ProgramRoutine::Eprom2732:
      return [&eprom] { eprom.P2732(); };
    case ProgramRoutine::Eprom2764:
      return [&eprom] { eprom.P2764_128(); };
    case ProgramRoutine::Eprom27256:
      return [&eprom] { eprom.P27256(); };
    case ProgramRoutine::Eprom27C040:
      return [&eprom] { eprom.P27C040(); };
    case ProgramRoutine::Eprom27C080:
      return [&eprom] { eprom.P27080(); };
    case ProgramRoutine::Eprom27C010:
      return [&eprom] { eprom.P27010_020(); };
    case ProgramRoutine::X28C256Pages:
      return [&x28c256 = writers.x28c256, &run] { x28c256.ProgramX28C256(run); };
    case ProgramRoutine::AT29C256Pages:
      return [&flash = writers.flash, &run] { flash.at29c256.ProgramAT29C256(run); };
    case ProgramRoutine::SectorFlash:
      return [&flash = writers.flash, &run] { flash.programming.ProgramFlash(run); };
    case ProgramRoutine::TwoWirePages:
      return [&serial = writers.serial, &run] { serial.Write24CXX(run); };
    case ProgramRoutine::TwoWireWordAddressPages:
      return [&serial = writers.serial, &run] { serial.Write24C32(run); };
  }
  return {};
}

std::function<void()> eraseRoutine(EraseRoutine routine, const ChipWriters& writers) {
  auto& run = writers.run;
  switch (routine) {
    case EraseRoutine::None:
      return {};
    case EraseRoutine::X28C256Pages:
      return [&x28c256 = writers.x28c256, &run] { x28c256.EraseX28C256(run); };
    case EraseRoutine::AT29C256Chip:
      return [&flash = writers.flash, &run] { flash.at29c256.EraseAT29C256(run); };
    case EraseRoutine::SectorFlashChip:
      return [&flash = writers.flash, &run] { flash.erase.EraseFlashChip(run); };
    // The serial writers send FFh in place of the buffer's bytes while the board's EraseMode
    // is set.
    case EraseRoutine::TwoWirePages:
      return [&serial = writers.serial, &run] { serial.Write24CXX(run); };
    case EraseRoutine::TwoWireWordAddressPages:
      return [&serial = writers.serial, &run] { serial.Write24C32(run); };
  }
  return {};
}

}  // namespace burnlab
