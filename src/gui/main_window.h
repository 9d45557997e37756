#pragma once

#include <QElapsedTimer>
#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <map>
#include <string>

#include "panel/control_table.h"
#include "panel/view.h"
#include "shell/app.h"

class QAbstractButton;
class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QTimer;

namespace burnlab {

class AboutDialog;
class HexPageView;
class LogView;
class StopGate;
class HelpWindow;

// The main window: a passive view of the App's Panel. Every control of the Panel has a widget
// (or a menu or tool-bar action) named after it; the window copies the Panel into them with
// their signals blocked and hands every operator action to the core by the control's name.
class MainWindow final : public QMainWindow, public View {
  Q_OBJECT

 public:
  MainWindow();
  ~MainWindow() override;
  void attach(App& app);

  void changed() override;
  void repaint(const Control& control) override;
  void unload() override;
  void closeOtherWindows() override;
  void showAbout(AboutBox& about) override;
  std::optional<std::string> showHelp(const HelpRequest& request) override;

  // The widget or action that draws the control of that name; nullptr when there is none.
  QObject* viewOf(const std::string& controlName) const;

  // Told just before (false) and just after (true) each operator action the window hands to
  // the program: the simulated board's report of the last command listens.
  void onOperatorAction(std::function<void(bool finished)> observer) {
    actionObserver_ = std::move(observer);
  }
  // Runs one operator action in the program, telling the action observer. Menus of our own
  // hand their commands to the program through it too.
  void operate(const std::function<void()>& action);
  // While a command runs, clicks on `stopButton` (a dialog's own Stop) get through as the
  // window's Stop button's do.
  void letStopThrough(QAbstractButton* stopButton);

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Building the window, one frame at a time.
  void buildMenus();
  // The entries of the menu `name` as the control table lists them, submenus with theirs.
  void buildMenu(QMenu* menu, const std::string& name);
  void buildToolBar();
  void buildStatusBar();
  QWidget* buildOptionsColumn();
  QWidget* buildDisplayColumn();
  QWidget* buildLogColumn();
  QGroupBox* buildDeviceFrame();
  QGroupBox* buildPortFrame();
  QGroupBox* buildHardwareFrame();
  // A frame holding one row of option buttons, the frame's in the control table, left to right
  // or (`rightToLeft`) the other way round.
  QGroupBox* buildOptionFrame(const std::string& frameName, bool rightToLeft = false);
  QGroupBox* buildVoltageFrame();
  QGroupBox* buildByteLaneFrame();
  QWidget* buildSpeed();
  QGroupBox* buildBufferChoiceFrame();
  QGroupBox* buildAutoOperationsFrame();
  QWidget* buildFiles();
  QGroupBox* buildHexDisplayFrame();
  QGroupBox* buildCommandsFrame();
  QWidget* buildLamps();

  // Registers a widget or action under its control's name and forwards its actions.
  template <typename Widget>
  Widget* named(Widget* widget, const std::string& name);
  // The widget of a button, check box, option button or lamp of the control table, registered.
  QWidget* buildControl(const ControlRow& row, QWidget* parent);
  void forwardClicks(QObject* view, const std::string& name);

  void sync(const Control& control);
  void syncLog();
  void syncTimer();
  // While a device command runs the window takes no input but Stop: the commands are drawn
  // disabled from its first progress step to its end, and drawn as the Panel has them again
  // after it.
  void showCommandRunning(bool running);
  bool heldDuringCommand(const QObject* view) const;
  // At a long command's progress steps: the log lines written since the last step, and the
  // clock once a second.
  void showLongWorkGoingOn();
  void repaintWholeWindow();
  // The status bar's date and time panels show the present moment; drawn at once inside a
  // command, which does not return to the event loop.
  void tickClock(bool drawNow);
  void applyPlacement();
  QMargins frameAllowance() const;
  double dotsPerInch() const;

  App* app_ = nullptr;
  std::function<void(bool)> actionObserver_;
  std::map<std::string, QObject*> views_;
  LogView* log_ = nullptr;
  HexPageView* hexDisplay_ = nullptr;
  QTimer* timer1_ = nullptr;
  QTimer* clock_ = nullptr;
  StopGate* stopGate_ = nullptr;
  std::size_t loggedLength_ = 0;
  bool commandRunning_ = false;
  QList<QPointer<QAction>> heldActions_;  // entries of menus added beside the Panel's own
  QElapsedTimer clockShown_;
  std::optional<WindowPlacement> appliedPlacement_;
  bool opened_ = false;
  QPointer<AboutDialog> about_;
  QPointer<HelpWindow> help_;
};

// The colour a Panel fore colour stands for on this screen.
QColor screenColor(std::uint32_t foreColor);

}  // namespace burnlab
