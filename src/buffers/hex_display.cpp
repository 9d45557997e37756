#include "buffers/hex_display.h"

#include <algorithm>

#include "buffers/hex_page.h"
#include "panel/saved_text_file.h"

namespace burnlab {
namespace {

constexpr SavedTextFile kBufferFile{
    "BURNLAB.BUF", "Buffer Display", "BURNLAB BUFFER DISPLAY FILE - ORVANE ",
    "The following contents are the contents from Buffer DIsplay"};
constexpr const char* kShowData = "Show Data";
constexpr const char* kShowCode = "Show Code";

}  // namespace

void HexDisplay::DisplayPageMemory() {
  if (device_.hasDataBuffer() && panel_.Show_button.caption == kShowCode) {
    DisplayDataMemory();
  } else {
    DisplayCodeMemory();
  }
}

void HexDisplay::DisplayCodeMemory() {
  const std::int32_t page = panel_.VScroll1.value;
  pointAddressAt(page * kCodePageBytes);
  panel_.BufferDisplay.text = codePageText(buffers_.CodeBuffer, page);
}

void HexDisplay::DisplayDataMemory() {
  const std::int32_t page = panel_.VScroll1.value;
  pointAddressAt(page * kDataPageBytes);
  panel_.BufferDisplay.text = dataPageText(buffers_.DataBuffer, page);
}

void HexDisplay::pointAddressAt(std::int32_t firstAddress) {
  address_.LinearAddress = firstAddress;
  address_.Endereco2Adr();
}

void HexDisplay::Show_button_Click() {
  if (device_.hasDataBuffer()) {
    if (panel_.Show_button.caption == kShowData) {
      panel_.Show_button.caption = kShowCode;
      setScrollMax(kDataScrollMax);
      panel_.Frame3.caption = "Data Buffer Hex/Ascii Display";
    } else {
      panel_.Show_button.caption = kShowData;
      setScrollMax(codeScrollMax(buffers_.CodeSize));
      panel_.Frame3.caption = "Code Buffer Hex/Ascii Display";
    }
  } else {
    panel_.Frame3.caption = "Code Buffer Hex/Ascii Display";
    DisplaySource = "Read";
  }
  setScrollValue(0);
  DisplayPageMemory();
}

std::int32_t HexDisplay::highestScrollValue() const {
  return std::max(panel_.VScroll1.max, panel_.VScroll1.min);
}

void HexDisplay::setScrollValue(std::int32_t value) {
  const auto limited = std::clamp(value, panel_.VScroll1.min, highestScrollValue());
  if (limited == panel_.VScroll1.value) return;
  panel_.VScroll1.value = limited;
  VScroll1_Change();
}

// With fewer than 256 meaningful bytes the maximum is -1, below the minimum of 0: the value
// then rests at 0, the only page there is.
void HexDisplay::setScrollMax(std::int32_t maximum) {
  panel_.VScroll1.max = maximum;
  if (panel_.VScroll1.value > highestScrollValue()) setScrollValue(highestScrollValue());
}

void HexDisplay::VScroll1_Change() {
  if (DisplaySource == "Read") {
    DisplayPageMemory();
  } else if (DisplaySource == "DisplayEprom") {
    chipPage_.DisplayEprom();
  }
}

std::string HexDisplay::bufferFileContents() {
  return savedTextFileContents(kBufferFile, platform_, panel_.BufferDisplay.text, model_);
}

void HexDisplay::BufferDisplay_DblClick() {
  if (!saveTextFile(kBufferFile, bufferFileContents(), platform_, dialogs_, log_)) return;
  log_.LogLine("Buffer DIsplay was Saved to BURNLAB.BUF file");
  sounds_.PlayEventSound("OK");
}

}  // namespace burnlab
