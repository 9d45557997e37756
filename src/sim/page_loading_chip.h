#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "sim/address_decoder.h"
#include "sim/memory_chip.h"
#include "sim/pin_voltages.h"
#include "sim/socket_wiring.h"

namespace burnlab::sim {

// A 28-pin chip that takes its writes as byte loads and then runs a timed write cycle of its
// own: the X28C256 EEPROM and the AT29C256 flash. A byte load takes the address when the later
// of CE and WE falls (with OE high) and the data when the first of them rises. Further bytes
// load while each WE falling edge comes within the byte-load window of the one before; then the
// load ends and the part decides what it was (PageLoadingChip::takeLoad). While the cycle runs,
// every read gives the complement of bit 7 of the last byte loaded and a bit 6 that toggles from
// one read to the next, and writes are ignored (and reported). A voltage a pin does not stand
// destroys the part. Both parts have the same software data protection: a stored flag that
// AA/55/A0 to 5555/2AAA/5555 turns on and AA/55/80/AA/55/20 turns off; the bytes loaded after
// either command are data.
class PageLoadingChip : public MemoryChip {
 public:
  struct LoadedByte {
    std::uint32_t address;
    std::uint8_t data;
  };
  struct Pins {
    int ce, oe, we, vcc;
    std::vector<int> address;  // the chip pin of A0, A1, ...
  };

  void linesChanged(const SocketLines& lines, std::uint64_t nowNs) final;
  std::uint8_t output(const SocketLines& lines, std::uint64_t nowNs) final;
  std::uint8_t drivenLines(const SocketLines&, std::uint64_t nowNs) final;

  // True while a load or a write cycle runs at `nowNs` (a load that has ended counts).
  bool busy(std::uint64_t nowNs);
  bool destroyed() const { return destroyed_; }
  // The protection flag at `nowNs` (a load that has ended has taken effect).
  bool dataProtection(std::uint64_t nowNs) {
    advanceTo(nowNs);
    return protected_;
  }
  void putBack(const KeptState& kept) override;

  static constexpr std::size_t kPackagePins = 28;
  static constexpr std::uint32_t kPageSize = 64;  // A6..A14 select the page

 protected:
  PageLoadingChip(std::string name, std::size_t size, const Pins& pins, PinRatings ratings,
                  std::uint64_t loadWindowNs, bool startProtected);

  // A load ended at `endNs`: the part takes it. Returns the length of the write cycle it
  // starts, 0 for none.
  virtual std::uint64_t takeLoad(const std::vector<LoadedByte>& load, std::uint64_t endNs) = 0;
  // What a read outside a write cycle gives (the array, or an identification code).
  virtual std::uint8_t readByte(std::uint32_t address) { return cells()[address]; }

  KeptState keptStateAt(std::uint64_t nowNs) override;

  // Stores the loaded bytes into the page of the first of them: only A0..A5 of the others count.
  void storeInPage(const std::vector<LoadedByte>& data);
  // Brings the part up to `nowNs`: a load whose window has passed ends, a cycle may end.
  void advanceTo(std::uint64_t nowNs);

  // When `load` starts with a protection command, the command takes effect and the data loaded
  // after it is returned; otherwise nothing.
  std::optional<std::vector<LoadedByte>> takeProtectionCommand(const std::vector<LoadedByte>& load);
  bool dataProtected() const { return protected_; }
  // Reports a load that protection kept out of the array.
  void reportKeptOut(const std::vector<LoadedByte>& load, std::uint64_t endNs);

  template <std::size_t N>
  static bool startsWith(const std::vector<LoadedByte>& load,
                         const std::array<LoadedByte, N>& sequence) {
    if (load.size() < N) return false;
    for (std::size_t i = 0; i < N; ++i) {
      if (load[i].address != sequence[i].address || load[i].data != sequence[i].data) {
        return false;
      }
    }
    return true;
  }

 private:
  void endLoad(std::uint64_t endNs);

  AddressDecoder decoder_;
  SocketPinProbe ce_, oe_, we_, vcc_;
  PinRatings ratings_;
  std::uint64_t loadWindowNs_;
  bool destroyed_ = false;
  bool protected_;

  bool writing_ = false;  // CE and WE low with OE high
  bool reading_ = false;  // CE and OE low with WE high
  std::uint32_t address_ = 0;
  std::uint32_t latchedAddress_ = 0;
  std::vector<LoadedByte> load_;
  std::uint64_t loadEndsNs_ = 0;  // when the load ends unless another WE edge comes
  bool cycleRunning_ = false;
  std::uint64_t cycleEndNs_ = 0;
  std::uint8_t lastByte_ = 0xFF;
  bool toggle_ = false;
};

}  // namespace burnlab::sim
