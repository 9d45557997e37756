#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ops/flash_command.h"
#include "ops/operation_context.h"

namespace burnlab {

// A flash chip the program knows by its two identification bytes.
struct FlashIdentity {
  std::string_view id;  // maker and device code, two upper-case hex digits each
  std::string_view name;
  std::int16_t sectorSize;
  std::int16_t sectors;
};

// Identifying the flash chip in the socket: its maker and device codes, read in the chip's
// identification mode, compared with the table of known identities.
class FlashIdentification {
 public:
  FlashIdentification(OperationContext& context, FlashCommandCycles& commands)
      : c_(context), commands_(commands) {}

  // The identification bytes at addresses 0 and 1, and the ordinary data bytes there.
  std::uint8_t FlashMakerCode = 0;
  std::uint8_t FlashDeviceCode = 0;
  std::string FlashId;    // maker and device code, "01A4"
  std::string FlashCode;  // the data bytes at 0 and 1 in the same form
  // From the identity table; a sector size of 0 means the identity is unknown.
  std::int16_t FlashSectorSize = 0;
  std::int16_t FlashSectorCount = 0;

  // Reads both pairs of bytes and logs what the chip is. Only a flash device is asked. A chip
  // that shows only its data is asked once more with the earlier revisions' unlock addresses.
  void ReadFlashCodeId();
  // Show Flash Code ID#.
  CommandOutcome menuFlashShowCodeID_Click();
  // The identification cycle run when the AT29C256 is chosen: in and out of identification
  // mode, the two bytes read and dropped, nothing logged.
  void FlashIdCycle();

  // Makers whose chips the flash programming takes, and those whose bytes it polls.
  static bool makerAccepted(std::uint8_t maker);
  static bool makerPolled(std::uint8_t maker);
  static std::span<const FlashIdentity> identities();

 private:
  // Identification mode entered, the maker and device codes read at addresses 0 and 1, and
  // the chip returned to reading its array.
  struct Codes {
    std::uint8_t maker = 0;
    std::uint8_t device = 0;
  };
  Codes readIdentificationBytes();
  // One identification: the codes and the data bytes read, FlashId and FlashCode formed.
  void identify();
  // The ordinary data bytes at addresses 0 and 1, as four hex digits.
  std::string readDataBytes();
  void logIdentity();
  void releaseBusBeforeReading();

  OperationContext& c_;
  FlashCommandCycles& commands_;
};

}  // namespace burnlab
