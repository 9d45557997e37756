#pragma once

#include <filesystem>
#include <string>

#include "buffers/buffers.h"
#include "buffers/hex_display.h"
#include "buffers/image_file_formats.h"
#include "panel/dialogs.h"
#include "panel/event_sounds.h"
#include "panel/lamps.h"
#include "panel/panel.h"
#include "panel/selected_device.h"
#include "panel/system_log.h"
#include "panel/view.h"

namespace burnlab {

// The parts of the program the buffer commands work with.
struct BufferCommandParts {
  Panel& panel;
  Buffers& buffers;
  HexDisplay& display;
  SystemLog& log;
  Lamps& lamps;
  EventSounds& sounds;
  Dialogs& dialogs;
  const SelectedDevice& device;
  View& view;
};

// The operator's commands on the code and data buffers: opening image files into them, saving
// them, erasing them, and keeping the file labels, tool bar and commands in step.
class BufferCommands {
 public:
  explicit BufferCommands(BufferCommandParts parts) : parts_(parts) {}

  // File menu, tool bar and the code file label.
  void mnuFileOpenCode_Click();
  void mnuFileOpenData_Click();
  void mnuFileSaveCode_Click();
  void mnuFileSaveCodeAs_Click();
  void mnuFileSaveData_Click();
  void mnuFileSaveDataAs_Click() {}  // the entry is only enabled and disabled
  void mnuFileClose_Click();
  // A tool-bar button by its key: "OpenCode", "SaveCode", "OpenData" or "SaveData".
  void tbToolBar_ButtonClick(const std::string& key);
  // Opens a code file while the label still invites the operator to choose one.
  void FileNameCodeText_Click();

  // Erase Buffer: the code buffer if CheckCode is checked, then the data buffer if CheckData is.
  void Erase_button_Click();
  void menuEraseCode_Click() { Erase_button_Click(); }
  void menuEraseData_Click() {}  // the entry has no action

  // Opens the named file into a buffer as the Open commands do with the file chosen in their
  // dialog. False when the file was refused.
  bool openCodeFile(const std::filesystem::path& file);
  bool openDataFile(const std::filesystem::path& file);
  // Names the file as the code file and loads it (ReadBinaryFile), without what the Open
  // command does first (the ERROR and DataFlow lamps, the display source). False when the file
  // was refused; the earlier name then stays.
  bool loadCodeFile(const std::filesystem::path& file);

  void EraseCodeBuffer();
  void EraseDataBuffer();

 private:
  void prepareOpen();
  bool loadDataFile(const std::filesystem::path& file);
  // Load the file now named by CodeFileName (DataFileName). A refused file leaves everything
  // as it was, the file name included (`previousName`).
  bool ReadBinaryFile(const std::filesystem::path& previousName);
  bool ReadBinaryFileData(const std::filesystem::path& previousName);
  void acceptCode(const ImageLoad& file);
  void acceptData(const ImageLoad& file);
  // Reads `file`, `capacity` bytes at most, in the chosen format into the buffers' reused file
  // bytes, and hands a load of at least one byte to `accept`; the load says why not otherwise.
  struct FileTaken {
    ImageLoad load;
    bool accepted = false;
  };
  FileTaken takeFile(const std::filesystem::path& file, std::size_t capacity,
                     void (BufferCommands::*accept)(const ImageLoad&));
  // One line of our own after every load: the checksums of the bytes loaded.
  void logChecksums(ImageFormat format, std::span<const std::uint8_t> loaded);
  // One line for a file that loaded but may be incomplete (an S-record file without its end).
  void logWarning(const std::filesystem::path& name, const ImageLoad& file);
  // A refused file that is empty, unreadable or malformed: the message box and the log line;
  // true when it was refused for one of those reasons.
  bool refuseEmptyUnreadableOrMalformed(const std::filesystem::path& file, const ImageLoad& load);
  void refuse(const std::string& logLine, const std::string& message, const std::string& title);

  // A buffer as it is saved: the file name it goes to and the format it was opened or saved
  // in, the label showing the name, the status text while it is written and the bytes.
  struct SaveTarget {
    std::filesystem::path& fileName;
    ImageFormat& format;
    Control& label;
    std::string statusText;
    std::span<const std::uint8_t> bytes;
  };
  SaveTarget codeTarget();
  SaveTarget dataTarget();
  // Save to the file last opened or saved, asking for a name while there is none.
  void save(const SaveTarget& target, const std::string& dialogTitle);
  // Save under a newly chosen name; a failed save keeps the earlier name.
  void saveAs(const SaveTarget& target, const std::filesystem::path& file);
  bool write(const SaveTarget& target, ImageFormat format);

  void showErased(Control& verifyEntry, Control& programEntry);

  BufferCommandParts parts_;
};

}  // namespace burnlab
