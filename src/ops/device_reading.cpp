#include "ops/device_reading.h"

#include <algorithm>

#include "buffers/byte_count_caption.h"
#include "buffers/hex_page.h"
#include "buffers/image_checksums.h"
#include "ops/serial_eeprom_read.h"
#include "ops/whole_chip_scan.h"

namespace burnlab {
namespace {

constexpr const char* kNotReady = "Routine Not Ready";

}  // namespace

CommandOutcome DeviceReading::Read_button_Click() {
  return c_.runCodeAndData(
      hasReadRoutine(), "read", [this] { ReadCode(); }, [this] { ReadData(); });
}

bool DeviceReading::hasReadRoutine() const {
  return c_.device.Routines.read != ReadRoutine::None;
}

bool DeviceReading::hasDisplayRoutine() const {
  return c_.device.Routines.display != DisplayRoutine::None;
}

void DeviceReading::ReadCode() {
  switch (c_.device.Routines.read) {
    case ReadRoutine::ParallelBus:
      ReadParallelDevice();
      return;
    case ReadRoutine::TwoWire:
    case ReadRoutine::TwoWireWordAddress:
      ReadSerialDevice();
      return;
    case ReadRoutine::None:
      break;
  }
  c_.dialogs.message("Please Write Missing Routines at READCODE", kNotReady, Dialogs::Icon::None);
}

void DeviceReading::startRead() {
  c_.lamps.DataFlowLampOn();
  c_.board.Reset();
  c_.board.SETADR();
  c_.pause(500);
  c_.display.DisplaySource = "Read";
}

void DeviceReading::ReadParallelDevice() {
  c_.lamps.DataFlowLampOn();
  startWholeChipScan(c_.board, c_.platform);
  c_.display.DisplaySource = "Read";
  auto& board = c_.board;
  auto& buffers = c_.buffers;
  c_.setProgress(0, buffers.CodeSize / 256);
  const auto pages =
      scanPageCount(buffers.CodeSize, static_cast<std::int32_t>(buffers.CodeBuffer.size()));
  auto* const store = buffers.CodeBuffer.data();
  scanWholeChip(
      board, pages, [this] { c_.advanceProgress(1); },
      [store](Board& b) {
        store[b.address.LinearAddress++] = b.DataByte;
        return true;
      });
  c_.lamps.DataFlowLampOff();
  showReadResult();
  c_.endProgress();
  c_.panel.sbStatusBar[0].text = "";
  enableBufferCommands();
  buffers.CodeLoaded = 1;
  c_.sounds.PlayEventSound("OK");
  board.Reset();
}

void DeviceReading::showReadResult() {
  auto& buffers = c_.buffers;
  c_.log.LogLine(std::to_string(buffers.CodeSize) + " bytes Read from Device");
  c_.panel.FileNameCodeSize.caption = byteCountCaption(buffers.CodeSize);
  c_.display.setScrollMax(buffers.CodeSize / 256 - 1);
  c_.log.LogLine("Data is available at above Window, use Scroll Bar");
  c_.log.LogLine("You can Save the file using [FILE - Save As] menu");
  c_.log.LogLine("Device read, " + checksumsText(checksumsOf(buffers.codeImage())));
  c_.display.DisplayPageMemory();
}

void DeviceReading::enableBufferCommands() {
  auto& panel = c_.panel;
  for (Control* control :
       {&panel.Verify_button, &panel.menuVerifyCode, &panel.Program_button, &panel.menuProgramCode,
        &panel.Erase_button, &panel.menuEraseCode, &panel.mnuFileSaveCodeAs}) {
    control->enabled = true;
  }
}

void DeviceReading::ReadSerialDevice() {
  startRead();
  auto& buffers = c_.buffers;
  c_.panel.ProgressBar1.max = buffers.CodeSize;
  SerialEepromRead reader(c_.board, bus_, [this](int ms) { c_.pause(ms); });
  reader.Read24CXX(c_.device.Routines.read, buffers.CodeBuffer, buffers.CodeSize,
                   [this] { c_.advanceProgress(16); });
  c_.lamps.DataFlowLampOff();
  if (bus_.AckError != 0) {
    reports_.ReportAckError();
  } else {
    showReadResult();
    c_.sounds.PlayEventSound("OK");
  }
  c_.endProgress();
  c_.panel.sbStatusBar[0].text = "";
  enableBufferCommands();
  buffers.CodeLoaded = 1;
  // The serial idle state: clock and data asserted, address registers cleared.
  auto& board = c_.board;
  board.Reset();
  board.CEON();
  board.OEON();
  board.Reg0 = 0x40;
  board.Reg1 = 0;
  board.Reg2 = 0;
  board.SetReg1();
  board.SetReg2();
}

void DeviceReading::ReadData() {
  c_.display.DisplaySource = "Read";
  c_.board.REG4OFF();
  c_.board.CEOEON();
  c_.lamps.DataFlowLampOn();
  c_.log.LogLine("Start Device Reading Operation");
  c_.panel.sbStatusBar[0].text = "Reading Device... Wait";
  c_.dialogs.message("Please Write AT90S2313 Eeprom Read Routine", kNotReady, Dialogs::Icon::None);
}

void DeviceReading::Display_button_Click() {
  c_.checkStop();  // a stop asked before it began: nothing is written
  if (!c_.panel.CheckCode.checked) return;
  c_.display.DisplaySource = "DisplayEprom";
  c_.display.setScrollValue(0);  // a change of position redraws through the scroll handler
  c_.log.LogLine("Fetching Device Binary Contents to Screen");
  c_.panel.Frame3.caption = "Device Memory Hex/Ascii Display";
  if (hasDisplayRoutine()) DisplayEprom();
  if (c_.device.Family == DeviceFamilyKind::Micro) {
    c_.dialogs.message("Please Write AT90S2313 Code Display ROutine", kNotReady,
                       Dialogs::Icon::None);
  }
}

void DeviceReading::DisplayEprom() {
  auto& board = c_.board;
  // A scroll reads a page live whatever the device: one without a display routine loads no
  // address.
  const auto loadAddress = [routine = c_.device.Routines.display, &board] {
    switch (routine) {
      case DisplayRoutine::EpromPage:
        board.SETADR();
        break;
      case DisplayRoutine::X28C256Page:
        board.SETADR_XICOR();
        break;
      case DisplayRoutine::FlashPage:
        board.SETADR_FLASH();
        break;
      case DisplayRoutine::None:
        break;
    }
  };
  c_.lamps.DataFlowLampOn();
  board.Reset();
  loadAddress();
  c_.pause(500);
  board.REG4OFF();
  const std::int32_t page = c_.panel.VScroll1.value;
  board.address.LinearAddress = page * 256;
  board.address.Endereco2Adr();
  board.DelayLoop100();
  for (std::size_t j = 0; j <= 255; ++j) {
    loadAddress();
    board.OEON();
    board.CEON();
    board.GetNibbles();
    board.CEOFF();
    board.OEOFF();
    EpromPage[j] = board.DataByte;
    board.address.IncADR();
  }
  c_.panel.BufferDisplay.text = livePageText({EpromPage.data(), 256}, page);
  c_.view.repaint(c_.panel.BufferDisplay);
  c_.lamps.DataFlowLampOff();
}

}  // namespace burnlab

namespace burnlab {
namespace {

// The live page shows every byte from a blank to a small z as itself.
char liveCharacter(std::uint8_t byte) {
  return byte >= 0x20 && byte <= 0x7A ? static_cast<char>(byte) : '.';
}

}  // namespace

std::string livePageText(std::span<const std::uint8_t> page, std::int32_t pageIndex) {
  std::string text;
  const std::int64_t first = std::int64_t{pageIndex} * kCodePageBytes;
  for (std::int32_t line = 0; line < kCodeLinesPerPage; ++line) {
    const auto offset = static_cast<std::size_t>(line * kBytesPerLine);
    const auto bytes = offset < page.size() ? page.subspan(offset) : page.subspan(page.size());
    appendDisplayLine(text, bytes.first(std::min<std::size_t>(bytes.size(), kBytesPerLine)),
                      first + line * kBytesPerLine, liveCharacter);
  }
  return text;
}

}  // namespace burnlab
