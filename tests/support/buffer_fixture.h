#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/byte_patterns.h"
#include "support/log_lines.h"
#include "support/simulated_app.h"
#include "support/temp_folder.h"

namespace burnlab::testing {

// A started App with a folder for image files.
struct BufferFixture : SimulatedApp {
  BufferFixture() : SimulatedApp({.start = true, .slider = {}}) {
    platform.working = folder.path();
  }

  std::filesystem::path file(const std::string& name, const std::string& bytes) {
    return folder.file(name, bytes);
  }

  static std::string contents(const std::filesystem::path& path) { return readAll(path); }

  // Answers the next file dialog with this file.
  void choose(const std::filesystem::path& path) { dialogs.files.push_back(path); }

  std::vector<std::string> logLines() const { return logLinesOf(app.panel.SystemLog.text); }

  TempFolder folder;
  Panel& panel = app.panel;
};

// A started App on a selected 27C512 whose erased code buffer holds a 512-byte raw file
// (every byte value twice), with Verify switched off: what a refused file must leave as it was.
struct LoadedCodeFile : BufferFixture {
  LoadedCodeFile() {
    app.device.DeviceCode = "P5";
    app.buffers.EraseCode();
    original = file("good.bin", everyByteValue(2));
    app.bufferCommands.openCodeFile(original);
    app.panel.Verify_button.enabled = false;
    shownPage = app.panel.BufferDisplay.text;
  }

  // The buffer, its size and name, the labels, commands and display are as they were.
  void expectNothingChanged() {
    EXPECT_EQ(app.buffers.CodeSize, 512);
    EXPECT_EQ(app.buffers.CodeFileName, original);
    EXPECT_EQ(app.buffers.CodeBuffer[0x10], 0x10);
    EXPECT_EQ(app.buffers.CodeBuffer[0x1FF], 0xFF);
    EXPECT_EQ(app.buffers.CodeBuffer[0x200], 0xFF) << "erased beyond the file";
    EXPECT_EQ(app.panel.FileNameCodeText.caption, original.string());
    EXPECT_EQ(app.panel.FileNameCodeSize.caption, "(512 Bytes)");
    EXPECT_EQ(app.panel.BufferDisplay.text, shownPage);
    EXPECT_EQ(app.panel.VScroll1.max, 1);
    EXPECT_EQ(app.panel.DataFlow_label.foreColor, kGreyText);
    EXPECT_EQ(app.panel.sbStatusBar[0].text, "");
    EXPECT_FALSE(app.panel.Verify_button.enabled);
    // Saving still goes to the file last loaded, which is as it was.
    app.bufferCommands.mnuFileSaveCode_Click();
    EXPECT_EQ(readAll(original), everyByteValue(2));
  }

  std::filesystem::path original;
  std::string shownPage;
};

}  // namespace burnlab::testing
