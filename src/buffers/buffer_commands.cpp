#include "buffers/buffer_commands.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <limits>
#include <utility>

#include "buffers/byte_count_caption.h"
#include "buffers/hex_page.h"
#include "buffers/image_checksums.h"
#include "util/text.h"

namespace burnlab {
namespace {

constexpr const char* kAllFilesFilter = "All Files (*.*)|*.*";
constexpr const char* kChooseFilePrompt = "Click To Select a File";
constexpr const char* kCrLf = "\r\n";

std::string readingFileText() {
  std::string text;
  for (int line = 0; line < 6; ++line) text += kCrLf;
  return text + std::string(22, ' ') + "READING FILE ... WAIT";
}

bool chosen(const std::optional<std::filesystem::path>& file) {
  return file && !file->empty();
}

void setEnabled(std::initializer_list<Control*> commands, bool enabled) {
  for (auto* command : commands) command->enabled = enabled;
}

}  // namespace

// ---- Opening files ----

void BufferCommands::prepareOpen() {
  parts_.lamps.ErrorLampOff();
  parts_.lamps.DataFlowLampOff();
  parts_.display.DisplaySource = "Read";
}

void BufferCommands::mnuFileOpenCode_Click() {
  prepareOpen();
  const auto file = parts_.dialogs.openFileName("Open Code File", kAllFilesFilter);
  if (chosen(file)) loadCodeFile(*file);
}

void BufferCommands::mnuFileOpenData_Click() {
  prepareOpen();
  const auto file = parts_.dialogs.openFileName("Open Data File (eeprom)", kAllFilesFilter);
  if (chosen(file)) loadDataFile(*file);
}

void BufferCommands::FileNameCodeText_Click() {
  if (trimmed(parts_.panel.FileNameCodeText.caption) == kChooseFilePrompt) mnuFileOpenCode_Click();
}

bool BufferCommands::openCodeFile(const std::filesystem::path& file) {
  prepareOpen();
  return loadCodeFile(file);
}

bool BufferCommands::openDataFile(const std::filesystem::path& file) {
  prepareOpen();
  return loadDataFile(file);
}

bool BufferCommands::loadCodeFile(const std::filesystem::path& file) {
  const auto previous = parts_.buffers.CodeFileName;
  parts_.buffers.CodeFileName = file;
  return ReadBinaryFile(previous);
}

bool BufferCommands::loadDataFile(const std::filesystem::path& file) {
  const auto previous = parts_.buffers.DataFileName;
  parts_.buffers.DataFileName = file;
  return ReadBinaryFileData(previous);
}

bool BufferCommands::ReadBinaryFile(const std::filesystem::path& previousName) {
  auto& panel = parts_.panel;
  auto& buffers = parts_.buffers;
  const auto name = buffers.CodeFileName.string();
  const auto shownName = panel.FileNameCodeText.caption;
  const auto shownPage = panel.BufferDisplay.text;

  // The name as it is written: on a file system that tells letter cases apart, the name in
  // capitals would be another file, or none.
  panel.FileNameCodeText.caption = name;
  panel.BufferDisplay.text = readingFileText();
  parts_.lamps.DataFlowLampOn();
  panel.sbStatusBar[0].text = "Reading Code File " + name + " into Buffer... Wait";
  // A long read does not return to the event loop: show the wait now.
  parts_.view.repaint(panel.BufferDisplay);
  parts_.view.repaint(panel.sbStatusBar[0]);

  const auto [load, accepted] =
      takeFile(buffers.CodeFileName, kCodeBufferSize, &BufferCommands::acceptCode);
  if (accepted) return true;
  // Nothing was loaded: the window shows what it showed before.
  buffers.CodeFileName = previousName;
  panel.FileNameCodeText.caption = shownName;
  panel.BufferDisplay.text = shownPage;
  parts_.lamps.DataFlowLampOff();
  panel.sbStatusBar[0].text = "";
  if (!refuseEmptyUnreadableOrMalformed(name, load)) {
    refuse("File " + name + " is " + std::to_string(load.length) + " bytes long, bigger than the " +
               std::to_string(kCodeBufferSize) + " allowed - Will Not Open",
           "Can't Open Code File Bigger than " + std::to_string(kCodeBufferSize) + " Bytes",
           "Code File Too Big");
  }
  return false;
}

BufferCommands::FileTaken BufferCommands::takeFile(
    const std::filesystem::path& file, std::size_t capacity,
    void (BufferCommands::*accept)(const ImageLoad&)) {
  auto& buffers = parts_.buffers;
  FileTaken taken{loadImageFile(file, capacity, buffers.chosenFormat, std::move(buffers.FileBytes))};
  taken.accepted = taken.load.loaded() && taken.load.end() > 0;
  if (taken.accepted) (this->*accept)(taken.load);
  buffers.FileBytes = std::move(taken.load.bytes);
  return taken;
}

void BufferCommands::acceptCode(const ImageLoad& file) {
  auto& panel = parts_.panel;
  auto& buffers = parts_.buffers;
  const auto name = buffers.CodeFileName.string();

  buffers.CodeSize = static_cast<std::int32_t>(file.end());
  file.copyInto(buffers.CodeBuffer);
  buffers.CodeFileFormat = file.format;
  parts_.lamps.DataFlowLampOff();
  parts_.log.LogLine("File " + name + " - was read into Buffer. " +
                     std::to_string(buffers.CodeSize) + " bytes long.");
  parts_.log.LogLine("You can Install a Blank Eprom for Programming");
  logWarning(buffers.CodeFileName, file);
  logChecksums(file.format, buffers.codeImage());
  parts_.display.DisplayPageMemory();
  parts_.display.setScrollMax(codeScrollMax(buffers.CodeSize));
  panel.ProgressBar1.value = 0;
  panel.sbStatusBar[0].text = "";
  if (parts_.device.selected()) {
    setEnabled({&panel.Verify_button, &panel.menuVerifyCode, &panel.Program_button,
                &panel.menuProgramCode},
               true);
  }
  panel.FileNameCodeSize.caption = byteCountCaption(buffers.CodeSize);
  setEnabled({&panel.tbToolBar[1], &panel.mnuFileSaveCode, &panel.mnuFileSaveCodeAs,
              &panel.menuEraseCode, &panel.Erase_button},
             true);
  panel.CheckCode.enabled = parts_.device.hasDataBuffer();
  panel.CheckData.enabled = parts_.device.hasDataBuffer();
  panel.CheckCode.checked = true;
  panel.CheckData.checked = false;
  buffers.CodeLoaded = 1;
  parts_.sounds.PlayEventSound("DONE");
}

bool BufferCommands::ReadBinaryFileData(const std::filesystem::path& previousName) {
  auto& panel = parts_.panel;
  auto& buffers = parts_.buffers;
  const auto name = buffers.DataFileName.string();
  const auto shownName = panel.FileNameDataText.caption;

  panel.FileNameDataText.caption = name;
  parts_.lamps.DataFlowLampOn();

  const auto [load, accepted] =
      takeFile(buffers.DataFileName, kDataFileLimit, &BufferCommands::acceptData);
  if (accepted) return true;
  if (load.outcome == ImageLoad::Outcome::TooLong) {
    // The refused name stays in the label and DataSize keeps the refused length.
    buffers.DataSize = static_cast<std::int32_t>(
        std::min<std::uintmax_t>(load.length, std::numeric_limits<std::int32_t>::max()));
    refuse("Data File Size is " + std::to_string(load.length) +
               " bytes, bigger than the 8192 allowed - Will Not Open",
           "Can't Open Data File Bigger than 8192 Bytes", "Data File to Big");
    return false;
  }
  buffers.DataFileName = previousName;
  panel.FileNameDataText.caption = shownName;
  parts_.lamps.DataFlowLampOff();
  refuseEmptyUnreadableOrMalformed(name, load);
  return false;
}

void BufferCommands::acceptData(const ImageLoad& file) {
  auto& panel = parts_.panel;
  auto& buffers = parts_.buffers;

  buffers.DataSize = static_cast<std::int32_t>(file.end());
  file.copyInto(buffers.DataBuffer);
  buffers.DataFileFormat = file.format;
  parts_.lamps.DataFlowLampOff();
  parts_.log.LogLine("File " + buffers.DataFileName.string() + " - was read into DataBuffer. " +
                     std::to_string(buffers.DataSize) + " bytes long.");
  parts_.log.LogLine("You can Install a Blank Eprom for Programming");
  logWarning(buffers.DataFileName, file);
  logChecksums(file.format, buffers.dataImage());
  panel.FileNameDataSize.caption = byteCountCaption(buffers.DataSize);
  parts_.display.DisplayPageMemory();
  parts_.display.setScrollMax(codeScrollMax(buffers.CodeSize));
  panel.ProgressBar1.value = 0;
  panel.sbStatusBar[0].text = "";
  setEnabled({&panel.tbToolBar[4], &panel.Verify_button, &panel.menuVerifyData,
              &panel.Program_button, &panel.menuProgramData, &panel.mnuFileSaveData,
              &panel.mnuFileSaveDataAs, &panel.Erase_button, &panel.menuEraseData},
             true);
  buffers.DataLoaded = 1;
}

void BufferCommands::logWarning(const std::filesystem::path& name, const ImageLoad& file) {
  if (file.warning.empty()) return;
  parts_.log.LogLine("Warning: " + std::string(formatTitle(file.format)) + " file " +
                     name.string() + ": " + file.warning);
}

void BufferCommands::logChecksums(ImageFormat format, std::span<const std::uint8_t> loaded) {
  parts_.log.LogLine(std::string(formatTitle(format)) + " file, " +
                     checksumsText(checksumsOf(loaded)));
}

bool BufferCommands::refuseEmptyUnreadableOrMalformed(const std::filesystem::path& file,
                                                      const ImageLoad& load) {
  const auto name = file.string();
  if (load.loaded()) {
    refuse("File " + name + " is 0 bytes long - Will Not Open", "Can't Open Empty File " + name,
           "File is Empty");
    return true;
  }
  if (load.outcome == ImageLoad::Outcome::Unreadable) {
    refuse("File " + name + " could not be read: " + load.error + " - Will Not Open",
           "Can't Open File " + name + ": " + load.error, "File Not Opened");
    return true;
  }
  if (load.outcome == ImageLoad::Outcome::Malformed) {
    const auto why =
        std::string(formatTitle(load.format)) + " file " + name + ", " + load.fault.text();
    refuse(why + " - Will Not Open", "Can't Open " + why, "File Not Opened");
    return true;
  }
  return false;
}

void BufferCommands::refuse(const std::string& logLine, const std::string& message,
                            const std::string& title) {
  parts_.log.LogLine(logLine);
  parts_.dialogs.message(message, title, Dialogs::Icon::Exclamation);
}

// ---- Saving files ----

BufferCommands::SaveTarget BufferCommands::codeTarget() {
  auto& buffers = parts_.buffers;
  return {buffers.CodeFileName, buffers.CodeFileFormat, parts_.panel.FileNameCodeText,
          "Writing Binary File ", buffers.codeImage()};
}

BufferCommands::SaveTarget BufferCommands::dataTarget() {
  auto& buffers = parts_.buffers;
  return {buffers.DataFileName, buffers.DataFileFormat, parts_.panel.FileNameDataText,
          "Writing Data Binary File ", buffers.dataImage()};
}

void BufferCommands::mnuFileSaveCode_Click() {
  save(codeTarget(), "Save CODE BUFFER ...");
}

void BufferCommands::mnuFileSaveCodeAs_Click() {
  const auto file = parts_.dialogs.saveFileName("Save CODE BUFFER As...", kAllFilesFilter, "");
  if (chosen(file)) saveAs(codeTarget(), *file);
}

void BufferCommands::mnuFileSaveData_Click() {
  save(dataTarget(), "Save DATA Buffer ...");
}

void BufferCommands::save(const SaveTarget& target, const std::string& dialogTitle) {
  if (!target.fileName.empty()) {
    // The file keeps the format it was opened or saved in.
    write(target, parts_.buffers.chosenFormat.value_or(target.format));
    return;
  }
  const auto file = parts_.dialogs.saveFileName(dialogTitle, kAllFilesFilter, "");
  if (chosen(file)) saveAs(target, *file);
}

void BufferCommands::saveAs(const SaveTarget& target, const std::filesystem::path& file) {
  const auto previousName = target.fileName;
  const auto previousCaption = target.label.caption;
  target.fileName = file;
  target.label.caption = file.string();
  // A new file takes the format its name asks for.
  const auto format = parts_.buffers.chosenFormat.value_or(formatForName(file));
  if (write(target, format)) {
    target.format = format;
    return;
  }
  target.fileName = previousName;
  target.label.caption = previousCaption;
}

bool BufferCommands::write(const SaveTarget& target, ImageFormat format) {
  const auto name = target.fileName.string();
  auto& status = parts_.panel.sbStatusBar[0].text;
  status = target.statusText + name + " ... Wait";
  const auto written = writeImageFile(target.fileName, target.bytes, format);
  status = "";
  if (!written.ok()) {
    refuse("File " + name + " could not be saved: " + written.error,
           "Can't Save File " + name + ": " + written.error, "File Not Saved");
    return false;
  }
  parts_.log.LogLine("File Sucessfully Saved as " + name);
  return true;
}

// ---- Other commands ----

void BufferCommands::mnuFileClose_Click() {
  parts_.dialogs.message("Add 'mnuFileClose_Click' code.", "", Dialogs::Icon::None);
}

void BufferCommands::tbToolBar_ButtonClick(const std::string& key) {
  if (key == "OpenCode") return mnuFileOpenCode_Click();
  if (key == "SaveCode") return mnuFileSaveCode_Click();
  if (key == "OpenData") return mnuFileOpenData_Click();
  if (key == "SaveData") return mnuFileSaveData_Click();
}

void BufferCommands::Erase_button_Click() {
  if (parts_.panel.CheckCode.checked) EraseCodeBuffer();
  if (parts_.panel.CheckData.checked) EraseDataBuffer();
}

void BufferCommands::EraseCodeBuffer() {
  parts_.buffers.EraseCode();
  showErased(parts_.panel.menuVerifyCode, parts_.panel.menuProgramCode);
}

void BufferCommands::EraseDataBuffer() {
  parts_.buffers.EraseData();
  showErased(parts_.panel.menuVerifyData, parts_.panel.menuProgramData);
}

// An erased buffer holds nothing to verify or program.
void BufferCommands::showErased(Control& verifyEntry, Control& programEntry) {
  auto& panel = parts_.panel;
  setEnabled({&panel.Verify_button, &verifyEntry, &panel.Program_button, &programEntry}, false);
  parts_.log.LogLine("Buffer has been Erased");
  parts_.display.DisplaySource = "Read";
  parts_.display.DisplayPageMemory();
}

}  // namespace burnlab
