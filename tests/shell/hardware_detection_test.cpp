// Finding the board, reporting it, the port choice, forced models and burnlab6.ini, on the
// simulated board.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>

#include "support/log_lines.h"
#include "support/record_reference.h"
#include "support/simulated_app.h"

namespace burnlab::testing {
namespace {

// The log's messages without their time stamps.
std::vector<std::string> logMessages(const App& app) {
  return logLinesOf(app.panel.SystemLog.text);
}

std::vector<bool> optionsChecked(const App& app) {
  std::vector<bool> checked;
  for (const auto& option : app.panel.LPTSelection) checked.push_back(option.checked);
  return checked;
}

// The App as start-up leaves it just before the port configuration is read.
void prepare(App& app) {
  app.board.InitControlTables();
  app.board.maps.fillIdentity();
}

// An App started up with `contents` in its burnlab6.ini.
struct StartedOnPortFile : SimulatedApp {
  explicit StartedOnPortFile(const std::string& contents, AppOptions options = {})
      : SimulatedApp(std::move(options)) {
    writeFile(portFile, contents);
    app.Form_Load();
  }
  const std::filesystem::path portFile = files.path() / "burnlab6.ini";
};

TEST(BoardSearch, ABoardAt378hIsLoggedAfterTheSilentPortsAndIsStoredAndThePortChoiceMovesIt) {
  SimulatedApp f;
  prepare(f.app);
  f.app.hardware.TestHardware_button_Click();
  EXPECT_EQ(logMessages(f.app),
            (std::vector<std::string>{"Port 278 Not Responding", "Port 3BC Not Responding",
                                      "Port Selection changed to 378h",
                                      "BURNLAB-6 Device was FOUND at Port: 378"}));
  const auto& panel = f.app.panel;
  EXPECT_EQ(panel.BurnlabHardwareFound.caption, "MODEL 6 - PC port 378h");
  EXPECT_EQ(panel.BurnlabHardwareFound.foreColor, kWindowText);
  EXPECT_EQ(panel.Ready_label.foreColor, kWhite);
  EXPECT_EQ(optionsChecked(f.app), (std::vector<bool>{true, false, false}));
  EXPECT_EQ(panel.PortSelected.text, "378h");
  EXPECT_EQ(f.app.board.PortBase, 0x378);
  EXPECT_EQ(f.app.board.CtrlIdle[3], 0x0F);  // model 6 set up
  EXPECT_EQ(readAll(f.files.path() / "burnlab6.ini"),
            "[BURNLAB6 SETUP]\r\nDATE = 12-08-2026 12:34:56\r\nIO_PORT = 378\r\nMODEL =  6 \r\n");
  // The activity LED blinks for 200 ms, then the board is reset.
  EXPECT_EQ(f.platform.elapsedMs, 200);
  EXPECT_TRUE(f.boardIdle());

  // The operator's port choice moves the port without probing; the report moves it back.
  const auto stored = readAll(f.files.path() / "burnlab6.ini");
  f.port.clear();
  f.app.hardware.clickLPTOption(2);
  EXPECT_TRUE(f.port.lines.empty());
  EXPECT_EQ(f.app.board.PortBase, 0x3BC);
  EXPECT_EQ(f.app.board.PortStatus, 0x3BD);
  EXPECT_EQ(f.app.board.Model, 6);
  EXPECT_EQ(f.app.panel.PortSelected.text, "3BCh");
  EXPECT_EQ(logMessages(f.app).back(), "Port Selection changed to 3BCh");
  EXPECT_EQ(optionsChecked(f.app), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(readAll(f.files.path() / "burnlab6.ini"), stored);

  f.app.hardware.ReportHardware();
  EXPECT_EQ(f.app.board.PortBase, 0x378);
  EXPECT_EQ(optionsChecked(f.app), (std::vector<bool>{true, false, false}));
}

TEST(BoardSearch, ReportsEachModelWithItsNameAndOnlyModelsFiveAndSixBlink) {
  struct Case {
    int model;
    std::uint16_t base;
    const char* found;
    const char* caption;
    long long blinkMs;
  };
  const Case cases[] = {
      {4, 0x3BC, "BURNLAB-4 Device was FOUND at Port: 3BC", "MODEL 4 - PC port 3BCh", 0},
      {5, 0x278, "BURNLAB-5 Device was FOUND at Port: 278", "MODEL 5 - PC port 278h", 200},
      {6, 0x278, "BURNLAB-6 Device was FOUND at Port: 278", "MODEL 6 - PC port 278h", 200}};
  for (const auto& c : cases) {
    SimulatedApp f({.model = c.model, .base = c.base});
    prepare(f.app);
    f.app.hardware.TestHardware_button_Click();
    EXPECT_EQ(logMessages(f.app).back(), c.found);
    EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, c.caption);
    EXPECT_EQ(f.app.board.Model, c.model);
    EXPECT_EQ(f.app.board.PortBase, c.base);
    EXPECT_EQ(f.platform.elapsedMs, c.blinkMs) << c.model;
    // 278h is the option selected when the window opens: finding the board there is no change.
    EXPECT_EQ(std::ranges::count(logMessages(f.app), "Port Selection changed to 278h"), 0);
  }
}

TEST(BoardSearch, AChipInTheSocketLeavesAModelSixAModelSix) {
  SimulatedApp f(chipIn("27C080"));  // the chip in before start-up, chosen after it
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "MODEL 6 - PC port 378h");

  // A blank check that failed leaves the chip enabled and outputting; a search then too.
  f.app.Blank_button_Click();
  ASSERT_EQ(f.app.panel.Error_label.foreColor, kWhite);
  f.app.hardware.TestHardware_button_Click();
  EXPECT_EQ(f.app.board.Model, 6);
}

TEST(BoardSearch, WithNoBoardLeavesTheBoardAndThePortAsTheyWere) {
  SimulatedApp f({.wiring = Wiring::NoBoard});
  prepare(f.app);
  f.app.board.setPortBase(0x278);
  f.app.board.Model = 5;
  f.app.board.SetupPortModel();
  f.app.board.Reg3 = 0x12;
  f.app.panel.Ready_label.foreColor = kPink;
  f.app.hardware.TestHardware_button_Click();

  // Only the three probes ran: no Reset, no register write through the shadows. The port
  // layer was first asked to try again a port that another program may have held.
  EXPECT_EQ(f.port.lines.size(), 3u * 23u);
  EXPECT_EQ(f.port.retries, 1);
  EXPECT_EQ(logMessages(f.app),
            (std::vector<std::string>{"Port 278 Not Responding", "Port 378 Not Responding",
                                      "Port 3BC Not Responding"}));
  EXPECT_EQ(f.app.board.Model, 0);
  EXPECT_EQ(f.app.board.PortBase, 0x278);
  EXPECT_EQ(f.app.board.PortControl, 0x27A);
  EXPECT_EQ(f.app.board.CtrlIdle[3], 0x0F);
  EXPECT_EQ(f.app.board.Reg3, 0x12);
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "NO HARDWARE FOUND");
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.foreColor, kYellow);
  EXPECT_EQ(f.app.panel.Ready_label.foreColor, kPink);
  EXPECT_FALSE(std::filesystem::exists(f.files.path() / "burnlab6.ini"));
}

TEST(PortChoice, TheOperatorsClickOnTheSelectedOptionStillTakesItsPort) {
  SimulatedApp f({.wiring = Wiring::NoBoard});
  prepare(f.app);
  f.app.hardware.clickLPTOption(1);  // 278h, selected from the start, while no port is known
  EXPECT_EQ(f.app.board.PortBase, 0x278);
  f.app.hardware.selectLPTOption(1);  // the program selecting it again runs nothing
  EXPECT_EQ(logMessages(f.app).size(), 1u);
}

TEST(ForcedModel, SetsTheModelAndItsControlValuesButKeepsThePort) {
  SimulatedApp f({.wiring = Wiring::NoBoard});
  f.app.Form_Load();
  ASSERT_EQ(f.app.board.PortBase, 0);
  f.port.clear();
  f.app.hardware.ForceBurnlab4_Click();
  EXPECT_EQ(f.app.board.Model, 4);
  EXPECT_EQ(f.app.board.PortBase, 0);
  EXPECT_EQ(f.app.board.CtrlIdle[3], 0x00);
  EXPECT_EQ(logMessages(f.app).back(), "BURNLAB-4 Device was FORCED by Operator");
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "Operator Forced Model 4");
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.foreColor, kPink);
  EXPECT_EQ(f.app.panel.Ready_label.foreColor, kPink);
  EXPECT_EQ(f.port.lines.front(), "out 0000 40");  // the reset, at the unknown port
  EXPECT_EQ(f.app.hardware.HardwareFoundPort, 0);
  EXPECT_FALSE(std::filesystem::exists(f.files.path() / "burnlab6.ini"));

  f.app.hardware.ForceBurnlab6_Click();
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "Operator Forced Model 6");
  EXPECT_EQ(f.app.board.CtrlIdle[3], 0x0F);
}

TEST(PortConfigFile, AStartProbesOnlyTheFilesPortAndRewritesTheFile) {
  StartedOnPortFile f(
      "[BURNLAB6 SETUP]\r\nDATE = 01-02-2025 03:04:05\r\nMODEL =  4 \r\nIO_PORT = 3BC\r\n",
      {.model = 4, .base = 0x3BC});
  // The board is confirmed where the file says, by the search's own probe: 23 accesses there,
  // the first thing start-up does to the board.
  EXPECT_EQ(portsRead(f.port.lines), (std::set<std::string>{"03BD"}));
  EXPECT_EQ(f.port.lines.front(), "out 03BC 9F");
  EXPECT_EQ(f.app.board.PortBase, 0x3BC);
  EXPECT_EQ(f.app.board.Model, 4);
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "MODEL 4 - PC port 3BCh");
  EXPECT_EQ(optionsChecked(f.app), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(readAll(f.portFile),
            "[BURNLAB6 SETUP]\r\nDATE = 12-08-2026 12:34:56\r\nIO_PORT = 3BC\r\nMODEL =  4 \r\n");
}

TEST(PortConfigFile, TheFileOfOneSearchServesTheNextStart) {
  SimulatedApp first({.model = 5, .base = 0x278});
  first.app.Form_Load();
  ASSERT_FALSE(portsRead(first.port.lines).empty());

  SimulatedApp second({.model = 5, .base = 0x278});
  second.app.portConfig.setFolder(first.files.path());
  second.app.Form_Load();
  EXPECT_EQ(portsRead(second.port.lines), (std::set<std::string>{"0279"}));
  EXPECT_EQ(second.app.board.Model, 5);
  EXPECT_EQ(second.app.panel.BurnlabHardwareFound.caption, "MODEL 5 - PC port 278h");
}

TEST(PortConfigFile, AFileWhoseBoardDoesNotAnswerIsNotBelievedAndStartUpSearches) {
  // A board switched off, no port access at all, or a model no board is: no board is reported,
  // whatever the file says, and the file stays for the next start.
  for (const std::string contents :
       {"IO_PORT = 378\r\nMODEL = 6\r\n", "IO_PORT = 378\r\nMODEL = 7\r\n",
        "IO_PORT = 378\r\nMODEL = 0\r\n"}) {
    StartedOnPortFile f(contents, {.wiring = Wiring::NoBoard});
    EXPECT_EQ(portsRead(f.port.lines), (std::set<std::string>{"0279", "0379", "03BD"}));
    EXPECT_EQ(f.app.board.Model, 0) << contents;
    EXPECT_EQ(f.app.hardware.HardwareFoundPort, 0);
    EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "NO HARDWARE FOUND");
    EXPECT_NE(f.app.panel.Ready_label.foreColor, kWhite);
    EXPECT_EQ(readAll(f.portFile), contents);
  }
}

TEST(PortConfigFile, AModelOtherThanFourToSixIsNoneAndTheSearchFindsTheBoard) {
  StartedOnPortFile f("IO_PORT = 278\r\nMODEL = 7\r\n", {.model = 6, .base = 0x278});
  EXPECT_EQ(f.app.board.Model, 6);
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "MODEL 6 - PC port 278h");
  EXPECT_NE(readAll(f.portFile).find("\r\nIO_PORT = 278\r\nMODEL =  6 \r\n"), std::string::npos);
}

TEST(PortConfigFile, TheBoardsOwnAnswerDecidesItsModel) {
  // A file that names the port right but the model wrong (as written by hand).
  StartedOnPortFile f("IO_PORT = 378\r\nMODEL = 5\r\n");
  EXPECT_EQ(portsRead(f.port.lines), (std::set<std::string>{"0379"}));
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "MODEL 6 - PC port 378h");
}

TEST(PortConfigFile, AnIncompleteFileSetsThePortButReportsNothingAndPreventsTheSearch) {
  for (const std::string contents :
       {"IO_PORT = 278\r\n", "IO_PORT = 278\r\nMODEL = 6\r\nMODEL = 6\r\n"}) {
    StartedOnPortFile f(contents, {.model = 6, .base = 0x278});
    EXPECT_TRUE(portsRead(f.port.lines).empty());
    EXPECT_EQ(f.app.board.PortBase, 0x278);
    EXPECT_EQ(f.app.hardware.HardwareFoundPort, 0);
    EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "NO HARDWARE FOUND !!!");
    EXPECT_EQ(f.app.panel.Ready_label.foreColor, kGreyText);
  }
}

TEST(PortConfigFile, APortOutsideTheSixteenBitRangeReadsAsNoPortSoStartUpSearches) {
  StartedOnPortFile f("IO_PORT = 10378\r\nMODEL = 6\r\n");
  EXPECT_FALSE(portsRead(f.port.lines).empty());
  EXPECT_EQ(f.app.board.PortBase, 0x378);
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "MODEL 6 - PC port 378h");
}

TEST(PortConfigFile, AFileThatCannotBeWrittenIsLoggedAndTheSearchResultStands) {
  SimulatedApp f;
  const auto missing = f.files.path() / "no such folder";
  f.app.portConfig.setFolder(missing);
  prepare(f.app);
  f.app.hardware.TestHardware_button_Click();
  const auto messages = logMessages(f.app);
  const auto problem = std::find_if(messages.begin(), messages.end(), [&](const std::string& m) {
    return m.rfind((missing / "burnlab6.ini").string() + " could not be written: ", 0) == 0;
  });
  ASSERT_NE(problem, messages.end()) << f.app.panel.SystemLog.text;
  EXPECT_GT(problem->size(), (missing / "burnlab6.ini").string().size() + 23);  // with a reason
  EXPECT_EQ(f.app.board.Model, 6);
  EXPECT_EQ(f.app.panel.BurnlabHardwareFound.caption, "MODEL 6 - PC port 378h");
  EXPECT_EQ(f.app.panel.Ready_label.foreColor, kWhite);
}

TEST(PortConfigFile, AFileFarTooLongOrNoRegularFileIsLoggedUnreadAndCountsAsNone) {
  SimulatedApp f;
  prepare(f.app);
  const auto file = f.files.path() / "burnlab6.ini";
  // A sparse file of 1 GiB that would name the board at its end.
  writeFile(file, "IO_PORT = 378\r\nMODEL = 6\r\n");
  std::filesystem::resize_file(file, std::uintmax_t{1} << 30);
  std::ofstream(file, std::ios::binary | std::ios::app) << "\r\nIO_PORT = 378\r\n";
  f.app.hardware.ReadPortConfig();
  EXPECT_EQ(logMessages(f.app),
            (std::vector<std::string>{file.string() + " could not be read: it is 1073741841 " +
                                      "bytes long, too long for a port configuration"}));
  EXPECT_EQ(f.app.board.PortBase, 0);  // so start-up searches

  std::filesystem::remove(file);
  ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
  f.app.panel.SystemLog.text.clear();
  f.app.hardware.ReadPortConfig();  // would wait for a writer if the FIFO were opened plainly
  EXPECT_EQ(logMessages(f.app),
            (std::vector<std::string>{file.string() + " could not be read: Not a regular file"}));
  EXPECT_EQ(f.app.board.PortBase, 0);
}

}  // namespace
}  // namespace burnlab::testing
