#pragma once

#include <QMainWindow>
#include <map>
#include <string>

#include "shell/app.h"
#include "shell/view.h"

class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace burnlab {

// The main window: a passive view of the App's Panel. It copies the Panel into its widgets
// with their signals blocked and hands every operator action to the core's handler.
class MainWindow final : public QMainWindow, public View {
  Q_OBJECT

 public:
  MainWindow();
  void attach(App& app);

  void changed() override;
  void repaint(const Control& control) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* buildLamps();
  QWidget* buildCommands();
  QWidget* buildLog();
  void syncControl(const Control& control);
  void syncLog();

  App* app_ = nullptr;
  std::map<std::string, QLabel*> lamps_;
  std::map<std::string, QPushButton*> buttons_;
  QProgressBar* progress_ = nullptr;
  QPlainTextEdit* log_ = nullptr;
  QLabel* statusText_ = nullptr;
  std::size_t loggedLength_ = 0;
};

// The colour a Panel fore colour stands for on this screen.
QColor screenColor(std::uint32_t foreColor);

}  // namespace burnlab
