#pragma once

#include <filesystem>
#include <string>

#include "buffers/buffers.h"
#include "buffers/hex_display.h"
#include "buffers/image_file.h"
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
  void acceptCode(const std::vector<std::uint8_t>& file);
  void acceptData(const std::vector<std::uint8_t>& file);
  // A refused file: the message box and the log line; true when it was refused.
  bool refuseEmptyOrUnreadable(const std::filesystem::path& file, const ImageFileRead& read);
  void refuse(const std::string& logLine, const std::string& message, const std::string& title);

  // A buffer as it is saved: the file name it goes to, the label showing it, the status text
  // while it is written and the bytes.
  struct SaveTarget {
    std::filesystem::path& fileName;
    Control& label;
    std::string statusText;
    std::string_view bytes;
  };
  SaveTarget codeTarget();
  SaveTarget dataTarget();
  // Save to the file last opened or saved, asking for a name while there is none.
  void save(const SaveTarget& target, const std::string& dialogTitle);
  // Save under a newly chosen name; a failed save keeps the earlier name.
  void saveAs(const SaveTarget& target, const std::filesystem::path& file);
  bool write(const SaveTarget& target);

  void showErased(Control& verifyEntry, Control& programEntry);

  BufferCommandParts parts_;
};

}  // namespace burnlab
