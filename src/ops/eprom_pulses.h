#pragma once

#include "ops/programming_run.h"

namespace burnlab {

// One program pulse of each EPROM routine, followed by the read-back of the byte it wrote
// (into DataByte). Each starts from the address already loaded and ProgramByte set; a
// lengthened pulse adds the long delay to the medium one.
class EpromPulses {
 public:
  EpromPulses(OperationContext& context, ProgrammingRun& run) : c_(context), run_(run) {}

  // 2716/2732 class: VPP on the OE/VPP pin, a 5 ms pulse on CE; never lengthened.
  void pulse2732(bool lengthened);
  // 2764/27128: VPP on pin 1, the pulse on PGM (socket pin 29) with CE held low.
  void pulse2764_128(bool lengthened);
  // 27256/27C256/27C040 class: VPP on its own pin, the pulse on CE; read back in the
  // program-verify mode (VPP on, CE high, OE low).
  void pulse27256_040(bool lengthened);
  // 27C512/27C080: VPP on the OE/VPP pin, the pulse on CE.
  void pulse27080(bool lengthened);
  // 27C010/27C020: VPP on pin 1, the pulse on PGM (socket pin 31) with CE held low.
  void pulse27010_020(bool lengthened);

 private:
  // Drives ProgramByte onto the socket's data bus.
  void presentByte();
  // The REG4 line released, so that the bus is free when the chip's outputs turn on.
  void releaseBus();
  void programDelay(bool lengthened);
  // After a pulse on CE or PGM: the bus released and the byte read back with OE low.
  void verifyWithOutputsOn();
  // After a pulse on CE with VPP on the OE/VPP pin: CE and VPP off, the bus released, and the
  // byte read back with CE low again.
  void endOeVppPulseAndVerify();

  OperationContext& c_;
  ProgrammingRun& run_;
};

}  // namespace burnlab
