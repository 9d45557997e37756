#pragma once

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeWidget;

namespace burnlab {

class App;
class BoardLinesDrawing;
class MainWindow;
struct SelfTestReport;

// Setup > Test the Board...: the board test's checks in a dialog, as they end. A drawing of
// the read-back path shows each data and status line green or red, the log window takes one
// line per check, a bar shows the progress and Stop (or Esc) ends the test with the board
// reset, as it ends the other commands. With a parallel device chosen, the chip in the socket
// is read the number of times given.
class BoardTestDialog final : public QDialog {
 public:
  BoardTestDialog(MainWindow& window, App& app);
  ~BoardTestDialog() override;

  // The Start button: runs the test as the window's operator actions run.
  void start();

 private:
  void showReport(const SelfTestReport& report);
  void showProgress();
  void setRunning(bool running);

  MainWindow& window_;
  App& app_;
  BoardLinesDrawing* drawing_ = nullptr;
  QTreeWidget* checks_ = nullptr;
  QSpinBox* reads_ = nullptr;
  QProgressBar* progress_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* close_ = nullptr;
};

// Adds "Test the Board..." at the end of the window's Setup menu.
void addBoardTestEntry(MainWindow& window, App& app);

}  // namespace burnlab
