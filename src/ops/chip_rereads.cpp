#include "ops/chip_rereads.h"

#include <algorithm>
#include <cstdio>

#include "ops/whole_chip_scan.h"

namespace burnlab {
namespace {

std::string addressText(std::int32_t address) {
  char text[16];
  std::snprintf(text, sizeof text, "%04Xh", static_cast<unsigned>(address));
  return text;
}

std::string byteText(std::uint8_t value) {
  char text[8];
  std::snprintf(text, sizeof text, "%02Xh", value);
  return text;
}

}  // namespace

ChipRereads rereadChip(Board& board, Platform& platform, std::int32_t size, int reads,
                       const std::function<void()>& atPage) {
  ChipRereads result;
  result.reads = reads;
  result.size = size;
  std::vector<std::uint8_t> first(static_cast<std::size_t>(size));
  std::vector<bool> differs(static_cast<std::size_t>(size));
  std::vector<ChipRereads::Difference> seen;
  const auto pages = scanPageCount(size, size);
  for (int read = 0; read < reads; ++read) {
    startWholeChipScan(board, platform);
    scanWholeChip(board, pages, atPage, [&](Board& b) {
      const auto address = scanAddress(b);
      const auto index = static_cast<std::size_t>(address);
      if (read == 0) {
        first[index] = b.DataByte;
        result.allErased = result.allErased && b.DataByte == 0xFF;
      } else if (!differs[index] && first[index] != b.DataByte) {
        differs[index] = true;
        seen.push_back({address, first[index], b.DataByte});
      }
      return true;
    });
    board.Reset();
  }
  for (const bool differing : differs) result.differing += differing ? 1 : 0;
  std::sort(seen.begin(), seen.end(),
            [](const auto& a, const auto& b) { return a.address < b.address; });
  if (seen.size() > ChipRereads::kListed) seen.resize(ChipRereads::kListed);
  result.firstFew = seen;
  return result;
}

std::string rereadText(const ChipRereads& rereads) {
  if (rereads.differing == 0) {
    std::string text = std::to_string(rereads.reads) + " reads of " + std::to_string(rereads.size) +
                       " bytes agree";
    if (rereads.allErased) text += " (every byte FFh: an erased chip, or an empty socket)";
    return text;
  }
  std::string text = std::to_string(rereads.differing) +
                     (rereads.differing == 1 ? " address gave" : " addresses gave") +
                     " different bytes in " + std::to_string(rereads.reads) + " reads: ";
  for (std::size_t i = 0; i < rereads.firstFew.size(); ++i) {
    const auto& difference = rereads.firstFew[i];
    if (i > 0) text += ", ";
    text += addressText(difference.address) + " (" + byteText(difference.first) + ", " +
            byteText(difference.other) + ")";
  }
  if (rereads.differing > static_cast<std::int32_t>(rereads.firstFew.size())) text += ", ...";
  return text + "; a chip that sits badly in the socket or a bad contact";
}

}  // namespace burnlab
