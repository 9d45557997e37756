#pragma once

#include <string>

namespace burnlab {

// The flash rows an operator may choose by opting in: they are listed as unsupported because
// the program was never tried with them on real hardware, but each one identifies, erases,
// programs and verifies its chip on the simulated board, which follows the chips' datasheets.
// The other unsupported rows stay so whatever the opt-in says:
// - the 2716: the board has no programming-voltage switch on its VPP pin;
// - the 27C080 OTP, the Catalyst 12 V flash and EEPROM rows, the 24C256 and the AT90S2313:
//   the program has no routine for them;
// - the AT29F040: no routine for its device code either;
// - the EN29F040: it answers identification with the continuation code 7Fh at addresses 0
//   and 1 (its maker code 1Ch stands at 100h), so its maker is not recognised and programming
//   refuses it.
bool untestedButWorking(int row);

// The Device list's entry for catalogue row `row`: with the opt-in, the rows above without
// their "N/A - ".
std::string deviceListEntry(int row, bool allowUntested);

// Whether catalogue row `row` may be chosen.
bool selectableRow(int row, bool allowUntested);

}  // namespace burnlab
