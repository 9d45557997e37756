#include "gui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QSlider>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>

#include "gui/about_dialog.h"
#include "gui/clickable_label.h"
#include "gui/core_text.h"
#include "gui/help_window.h"
#include "gui/hex_page_view.h"
#include "gui/log_view.h"
#include "gui/stop_gate.h"
#include "gui/toolbar_icons.h"
#include "gui/window_placement.h"
#include "panel/control_table.h"

namespace burnlab {
namespace {

QString withoutCarriageReturns(const std::string& text) {
  return fromCore(text).remove(QLatin1Char('\r'));
}

// The hex display's font: "Arial Monospaced" where it is installed, else the system's fixed
// font.
QFont hexDisplayFont() {
  if (QFontDatabase::families().contains("Arial Monospaced")) {
    return QFont("Arial Monospaced", 9);
  }
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setPointSize(9);
  return font;
}

// A frame that device selection shows later keeps its place, so the layout does not jump.
void keepPlaceWhenHidden(QWidget* widget) {
  QSizePolicy policy = widget->sizePolicy();
  policy.setRetainSizeWhenHidden(true);
  widget->setSizePolicy(policy);
}

// Before the window system has framed the window: room for its title bar.
const QMargins kTitleBarAllowance(0, 30, 0, 0);

// Frames sit close together, so that every option and a whole page fit a 1024x600 screen.
constexpr int kFrameSpacing = 4;

template <typename Layout>
Layout* compact(Layout* layout) {
  layout->setContentsMargins(6, 2, 6, 4);
  layout->setSpacing(4);
  return layout;
}

// The keys of the menu entries: the usual ones for opening, saving, leaving and help, and
// function keys for the device commands, in the order of the buttons.
const std::vector<std::pair<std::string, QKeySequence>>& shortcuts() {
  static const std::vector<std::pair<std::string, QKeySequence>> kKeys{
      // Spelt out: not every desktop's key table has Save As and Quit.
      {"mnuFileOpenCode", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"mnuFileSaveCode", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"mnuFileSaveCodeAs", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)},
      {"mnuFileExit", QKeySequence(Qt::CTRL | Qt::Key_Q)},
      {"mnuHelpContents", QKeySequence(Qt::Key_F1)},
      {"menuReadCode", QKeySequence(Qt::Key_F5)},
      {"menuBlankCheck", QKeySequence(Qt::Key_F6)},
      {"menuVerifyCode", QKeySequence(Qt::Key_F7)},
      {"menuProgramCode", QKeySequence(Qt::Key_F8)},
  };
  return kKeys;
}

bool samePlacement(const WindowPlacement& a, const WindowPlacement& b) {
  return a.left == b.left && a.top == b.top && a.width == b.width && a.height == b.height;
}

void setShown(QWidget* widget, bool visible) {
  if (widget->isHidden() == visible) widget->setVisible(visible);
}

void syncAction(QAction* action, const Control& control) {
  if (!action->isSeparator()) action->setText(fromCore(control.caption));
  action->setToolTip(fromCore(control.toolTip.empty() ? control.caption : control.toolTip));
  action->setEnabled(control.enabled);
  action->setVisible(control.visible);
  action->setCheckable(control.checked || action->isChecked());
  action->setChecked(control.checked);
}

constexpr QRgb kDarkPanel = qRgb(0x30, 0x30, 0x30);

// The labels drawn on a dark panel: the lamps and the text of the board found.
bool onDarkPanel(const std::string& name) {
  return name.ends_with("_label") || name == "BurnlabHardwareFound";
}

void paintDarkPanel(QWidget* widget) {
  widget->setAutoFillBackground(true);
  QPalette palette = widget->palette();
  palette.setColor(QPalette::Window, QColor(kDarkPanel));
  widget->setPalette(palette);
}

QColor textColor(std::uint32_t foreColor, bool darkPanel) {
  if (foreColor != kWindowText) return screenColor(foreColor);
  return darkPanel ? QColor(0xE0, 0xE0, 0xE0) : QApplication::palette().color(QPalette::WindowText);
}

QColor buttonFace(std::uint32_t backColor) {
  const QPalette system = QApplication::palette();
  if (backColor == k3DHighlight) return system.color(QPalette::Light);
  if (backColor & 0x80000000u) return system.color(QPalette::Button);
  return screenColor(backColor);
}

void setColor(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
  if (widget->palette().color(role) == color) return;
  QPalette palette = widget->palette();
  palette.setColor(role, color);
  widget->setPalette(palette);
}

void syncLabel(QLabel* label, const Control& control) {
  label->setText(fromCore(control.caption));
  setColor(label, QPalette::WindowText, textColor(control.foreColor, onDarkPanel(control.name)));
}

void syncCombo(QComboBox* combo, const Control& control) {
  QStringList items;
  for (const auto& item : control.items) items << fromCore(item);
  QStringList shown;
  for (int i = 0; i < combo->count(); ++i) shown << combo->itemText(i);
  if (items != shown) {
    combo->clear();
    combo->addItems(items);
  }
  combo->setPlaceholderText(fromCore(control.text));
  combo->setCurrentIndex(control.listIndex < combo->count() ? control.listIndex : -1);
}

void syncRange(QAbstractSlider* slider, const Control& control) {
  slider->setRange(control.min, std::max(control.min, control.max));
  slider->setValue(control.value);
}

}  // namespace

QColor screenColor(std::uint32_t foreColor) {
  if (foreColor == kGreyText) return QColor(0x80, 0x80, 0x80);
  if (foreColor == kWindowText) return QColor(Qt::black);
  return QColor(foreColor & 0xFF, (foreColor >> 8) & 0xFF, (foreColor >> 16) & 0xFF);
}

MainWindow::MainWindow() {
  setObjectName("frmMain");
  setWindowIcon(programIcon());
  buildMenus();
  buildToolBar();
  buildStatusBar();

  // Three columns: the options, the page with the commands, the board and the log. Extra width
  // goes to the page (its font grows) and the log alike.
  auto* central = new QWidget(this);
  auto* columns = new QHBoxLayout(central);
  columns->setContentsMargins(6, 4, 6, 4);
  columns->setSpacing(6);
  columns->addWidget(buildOptionsColumn());
  columns->addWidget(buildDisplayColumn(), 2);
  columns->addWidget(buildLogColumn(), 1);
  setCentralWidget(central);

  timer1_ = new QTimer(this);
  connect(timer1_, &QTimer::timeout, this, [this] {
    if (!app_) return;
    app_->hardware.Timer1_Timer();
    changed();
  });
  // The status bar's date and time panels tick on their own.
  clock_ = new QTimer(this);
  connect(clock_, &QTimer::timeout, this, [this] {
    if (app_) tickClock(false);
  });
  clock_->start(1000);

  // During a command only Stop gets through; Timer1 and the clock wait until it has ended.
  stopGate_ = new StopGate(
      qobject_cast<QAbstractButton*>(viewOf("Stop_button")), {timer1_, clock_},
      [this] {
        if (app_) app_->click("Stop_button");
      },
      this);
}

MainWindow::~MainWindow() = default;

template <typename Widget>
Widget* MainWindow::named(Widget* widget, const std::string& name) {
  widget->setObjectName(QString::fromStdString(name));
  views_[name] = widget;
  forwardClicks(widget, name);
  return widget;
}

void MainWindow::operate(const std::function<void()>& action) {
  if (!app_) return;
  if (actionObserver_) actionObserver_(false);
  action();
  if (actionObserver_) actionObserver_(true);
}

void MainWindow::letStopThrough(QAbstractButton* stopButton) {
  stopGate_->addStopButton(stopButton);
}

void MainWindow::forwardClicks(QObject* view, const std::string& name) {
  if (auto* button = qobject_cast<QAbstractButton*>(view)) {
    connect(button, &QAbstractButton::clicked, this,
            [this, name] { operate([&] { app_->click(name); }); });
  } else if (auto* label = qobject_cast<ClickableLabel*>(view)) {
    connect(label, &ClickableLabel::clicked, this,
            [this, name] { operate([&] { app_->click(name); }); });
  } else if (auto* menu = qobject_cast<QMenu*>(view)) {
    connect(menu, &QMenu::aboutToShow, this,
            [this, name] { operate([&] { app_->menuOpened(name); }); });
  } else if (auto* action = qobject_cast<QAction*>(view)) {
    connect(action, &QAction::triggered, this,
            [this, name] { operate([&] { app_->click(name); }); });
  } else if (auto* combo = qobject_cast<QComboBox*>(view)) {
    connect(combo, &QComboBox::activated, this,
            [this, name](int index) { operate([&] { app_->valueChosen(name, index); }); });
  } else if (auto* slider = qobject_cast<QAbstractSlider*>(view)) {
    // A drag reports its value once, when the operator lets go.
    slider->setTracking(false);
    connect(slider, &QAbstractSlider::valueChanged, this,
            [this, name](int value) { operate([&] { app_->valueChosen(name, value); }); });
  }
}

void MainWindow::buildMenus() {
  for (const ControlRow* row : controlsIn("")) {
    if (row->kind != ControlKind::Menu) continue;
    auto* menu = named(new QMenu(fromCore(row->caption), this), row->name);
    QMainWindow::menuBar()->addMenu(menu);
    buildMenu(menu, row->name);
  }
  for (const auto& [name, keys] : shortcuts()) {
    if (auto* action = qobject_cast<QAction*>(viewOf(name))) action->setShortcut(keys);
  }
}

void MainWindow::buildMenu(QMenu* menu, const std::string& name) {
  for (const ControlRow* row : controlsIn(name)) {
    if (!row->hasControl()) {
      menu->addSeparator();
    } else if (row->kind == ControlKind::Menu) {
      auto* submenu = named(new QMenu(fromCore(row->caption), menu), row->name);
      menu->addMenu(submenu);
      buildMenu(submenu, row->name);
    } else if (row->kind == ControlKind::Separator) {
      named(menu->addSeparator(), row->name);
    } else {
      named(menu->addAction(fromCore(row->caption)), row->name);
    }
  }
}

void MainWindow::buildToolBar() {
  auto* bar = new QToolBar(this);
  bar->setObjectName("tbToolBar");
  bar->setMovable(false);
  bar->setIconSize(QSize(24, 24));
  addToolBar(bar);
  for (const ControlRow* button : controlsIn("tbToolBar")) {
    if (button->kind == ControlKind::Separator) {
      named(bar->addSeparator(), button->name);
      continue;
    }
    // A tool button's key is its caption.
    const bool opens = button->caption.rfind("Open", 0) == 0;
    named(bar->addAction(toolbarIcon(opens ? "Open" : "Save"), fromCore(button->caption)),
          button->name);
  }
  // The file names beside the buttons that open and save them.
  bar->addSeparator();
  bar->addWidget(buildFiles());
}

void MainWindow::buildStatusBar() {
  // The text panel takes the width; the date and time panels follow it.
  bool textPanel = true;
  for (const ControlRow* row : controlsIn("")) {
    if (row->kind != ControlKind::StatusPanel) continue;
    auto* panel = named(new QLabel(this), row->name);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumWidth(textPanel ? 200 : 90);
    if (textPanel) {
      statusBar()->addWidget(panel, 1);
    } else {
      panel->setAlignment(Qt::AlignCenter);
      statusBar()->addPermanentWidget(panel);
    }
    textPanel = false;
  }
}

QWidget* MainWindow::buildOptionsColumn() {
  // Every option in view at once, down to the automatic operations at the bottom.
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(kFrameSpacing);
  layout->addWidget(buildDeviceFrame());
  layout->addWidget(buildPortFrame());
  layout->addWidget(buildVoltageFrame());
  layout->addWidget(buildByteLaneFrame());
  layout->addWidget(buildSpeed());
  layout->addWidget(buildBufferChoiceFrame());
  layout->addWidget(buildAutoOperationsFrame());
  layout->addStretch(1);
  column->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
  return column;
}

QGroupBox* MainWindow::buildDeviceFrame() {
  auto* frame = named(new QGroupBox, "Frame2");
  auto* layout = compact(new QVBoxLayout(frame));
  auto* device = named(new QComboBox(frame), "Device");
  device->setMaxVisibleItems(20);
  device->setMinimumContentsLength(28);
  layout->addWidget(device);
  auto* prompt = named(new ClickableLabel(frame), "PleaseSelect");
  prompt->setAlignment(Qt::AlignCenter);
  QFont bold = prompt->font();
  bold.setBold(true);
  prompt->setFont(bold);
  layout->addWidget(prompt);
  return frame;
}

QGroupBox* MainWindow::buildPortFrame() {
  // Left to right 3BCh, 278h, 378h: the options' indexes 2, 1, 0.
  auto* frame = buildOptionFrame("Frame4", true);
  auto* shown = named(new QLineEdit(frame), "PortSelected");
  shown->setReadOnly(true);
  shown->setMaximumWidth(60);
  frame->layout()->addWidget(shown);
  return frame;
}

QGroupBox* MainWindow::buildHardwareFrame() {
  auto* frame = named(new QGroupBox, "Frame9");
  auto* layout = compact(new QHBoxLayout(frame));
  auto* found = named(new ClickableLabel(frame), "BurnlabHardwareFound");
  QFont bold = found->font();
  bold.setBold(true);
  found->setFont(bold);
  found->setWordWrap(true);
  found->setMargin(4);
  paintDarkPanel(found);
  layout->addWidget(found, 1);
  for (const ControlRow* row : controlsIn("Frame9")) {
    if (row->kind == ControlKind::CommandButton) layout->addWidget(buildControl(*row, frame));
  }
  return frame;
}

QGroupBox* MainWindow::buildOptionFrame(const std::string& frameName, bool rightToLeft) {
  auto* frame = named(new QGroupBox, frameName);
  auto* layout = compact(new QHBoxLayout(frame));
  auto rows = controlsIn(frameName);
  if (rightToLeft) std::reverse(rows.begin(), rows.end());
  for (const ControlRow* row : rows) {
    if (row->kind == ControlKind::OptionButton) layout->addWidget(buildControl(*row, frame));
  }
  return frame;
}

QWidget* MainWindow::buildControl(const ControlRow& row, QWidget* parent) {
  switch (row.kind) {
    case ControlKind::CommandButton:
      return named(new QPushButton(parent), row.name);
    case ControlKind::CheckBox:
      return named(new QCheckBox(parent), row.name);
    case ControlKind::OptionButton: {
      auto* option = named(new QRadioButton(parent), row.name);
      option->setAutoExclusive(false);  // the core keeps one option of the group chosen
      return option;
    }
    default:
      return named(new ClickableLabel(parent), row.name);
  }
}

QGroupBox* MainWindow::buildVoltageFrame() {
  auto* frame = buildOptionFrame("FrameVoltageSelection");
  keepPlaceWhenHidden(frame);
  return frame;
}

QGroupBox* MainWindow::buildByteLaneFrame() {
  return buildOptionFrame("Frame10");
}

QWidget* MainWindow::buildSpeed() {
  // The caption and the pulse the slider gives the chosen device above the slider, which takes
  // the column's whole width.
  auto* row = new QWidget;
  auto* layout = new QGridLayout(row);
  layout->setContentsMargins(4, 0, 4, 0);
  layout->setVerticalSpacing(0);
  layout->addWidget(named(new ClickableLabel(row), "Label4"), 0, 0);
  auto* pulse = named(new QLabel(row), "lblProgramPulse");
  pulse->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  layout->addWidget(pulse, 0, 1);
  auto* slider = named(new QSlider(Qt::Horizontal, row), "Slider1");
  slider->setSingleStep(1);
  slider->setPageStep(5);
  slider->setTickPosition(QSlider::TicksBelow);
  slider->setTickInterval(1);
  layout->addWidget(slider, 1, 0, 1, 2);
  return row;
}

QGroupBox* MainWindow::buildBufferChoiceFrame() {
  auto* frame = named(new QGroupBox, "Frame8");
  auto* layout = compact(new QHBoxLayout(frame));
  for (const ControlRow* box : controlsIn("Frame8")) layout->addWidget(buildControl(*box, frame));
  return frame;
}

QGroupBox* MainWindow::buildAutoOperationsFrame() {
  auto* frame = named(new QGroupBox, "Frame5");
  auto* layout = compact(new QVBoxLayout(frame));
  for (const ControlRow* box : controlsIn("Frame5")) layout->addWidget(buildControl(*box, frame));
  keepPlaceWhenHidden(frame);
  return frame;
}

QWidget* MainWindow::buildDisplayColumn() {
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(kFrameSpacing);
  layout->addWidget(buildHexDisplayFrame(), 1);
  layout->addWidget(buildCommandsFrame());
  layout->addWidget(buildLamps());
  auto* line = named(new QFrame(column), "Line1");
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  layout->addWidget(line);
  auto* progress = named(new QProgressBar(column), "ProgressBar1");
  progress->setTextVisible(false);
  layout->addWidget(progress);
  return column;
}

QWidget* MainWindow::buildFiles() {
  auto* files = new QWidget;
  files->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
  auto* grid = new QGridLayout(files);
  grid->setContentsMargins(4, 0, 4, 0);
  grid->setVerticalSpacing(0);
  int row = 0;
  for (const char* buffer : {"Code", "Data"}) {
    const std::string prefix = std::string("FileNameData").replace(8, 4, buffer);
    grid->addWidget(named(new ClickableLabel(files), prefix + "Label"), row, 0);
    auto* name = named(new ClickableLabel(files), prefix + "Text");
    name->setCursor(Qt::PointingHandCursor);
    QFont underlined = name->font();
    underlined.setUnderline(true);
    name->setFont(underlined);
    name->setTextInteractionFlags(Qt::NoTextInteraction);
    name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    grid->addWidget(name, row, 1);
    grid->addWidget(named(new ClickableLabel(files), prefix + "Size"), row, 2);
    ++row;
  }
  grid->setColumnStretch(1, 1);
  return files;
}

QGroupBox* MainWindow::buildHexDisplayFrame() {
  auto* frame = named(new QGroupBox, "Frame3");
  auto* layout = compact(new QHBoxLayout(frame));
  layout->setSpacing(0);
  hexDisplay_ = named(new HexPageView(hexDisplayFont(), frame), "BufferDisplay");
  hexDisplay_->viewport()->installEventFilter(this);
  layout->addWidget(hexDisplay_, 1);
  auto* scroll = named(new QScrollBar(Qt::Vertical, frame), "VScroll1");
  scroll->setPageStep(1);
  hexDisplay_->setPageScrollBar(scroll);
  layout->addWidget(scroll);
  return frame;
}

QGroupBox* MainWindow::buildCommandsFrame() {
  auto* frame = named(new QGroupBox, "Frame7");
  auto* grid = compact(new QGridLayout(frame));
  // Five buttons a row, in the control table's order.
  const auto buttons = controlsIn("Frame7");
  for (std::size_t i = 0; i < buttons.size(); ++i) {
    auto* button = buildControl(*buttons[i], frame);
    button->setMinimumHeight(28);
    grid->addWidget(button, static_cast<int>(i / 5), static_cast<int>(i % 5));
  }
  return frame;
}

QWidget* MainWindow::buildLamps() {
  auto* box = named(new QFrame, "Shape2");
  box->setFrameShape(QFrame::Box);
  auto* row = new QHBoxLayout(box);
  row->setContentsMargins(4, 4, 4, 4);
  for (const ControlRow* lampRow : controlsIn("Shape2")) {
    auto* lamp = static_cast<ClickableLabel*>(buildControl(*lampRow, box));
    lamp->setAlignment(Qt::AlignCenter);
    paintDarkPanel(lamp);
    lamp->setMinimumHeight(26);
    QFont bold = lamp->font();
    bold.setBold(true);
    lamp->setFont(bold);
    row->addWidget(lamp);
  }
  return box;
}

QWidget* MainWindow::buildLogColumn() {
  // The board's state above the log that reports on it.
  auto* column = new QWidget;
  auto* layout = new QVBoxLayout(column);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(kFrameSpacing);
  layout->addWidget(buildHardwareFrame());
  auto* frame = named(new QGroupBox, "Frame6");
  auto* inside = compact(new QVBoxLayout(frame));
  log_ = named(new LogView(frame), "SystemLog");
  log_->setMinimumWidth(180);
  log_->viewport()->installEventFilter(this);
  inside->addWidget(log_);
  layout->addWidget(frame, 1);
  return column;
}

void MainWindow::attach(App& app) {
  app_ = &app;
  app_->showClock();
  changed();
}

QObject* MainWindow::viewOf(const std::string& controlName) const {
  const auto found = views_.find(controlName);
  return found == views_.end() ? nullptr : found->second;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (app_ && event->type() == QEvent::MouseButtonDblClick) {
    if (watched == log_->viewport())
      return operate([this] { app_->doubleClick("SystemLog"); }), true;
    if (watched == hexDisplay_->viewport()) {
      return operate([this] { app_->doubleClick("BufferDisplay"); }), true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::sync(const Control& control) {
  if (control.name == "frmMain") return setWindowTitle(fromCore(control.caption));
  if (control.name == "Timer1") return syncTimer();
  QObject* view = viewOf(control.name);
  if (!view) return;
  QSignalBlocker blocker(view);
  if (auto* action = qobject_cast<QAction*>(view)) {
    syncAction(action, control);
    if (heldDuringCommand(action)) action->setEnabled(false);
    return;
  }
  if (auto* menu = qobject_cast<QMenu*>(view)) {
    syncAction(menu->menuAction(), control);
    if (heldDuringCommand(menu)) menu->menuAction()->setEnabled(false);
    return;
  }
  auto* widget = static_cast<QWidget*>(view);
  widget->setEnabled(control.enabled && !heldDuringCommand(widget));
  widget->setToolTip(fromCore(control.toolTip));
  setShown(widget, control.visible);
  if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
    button->setText(fromCore(control.caption));
    if (button->isCheckable()) button->setChecked(control.checked);
    if (qobject_cast<QPushButton*>(button)) {
      setColor(button, QPalette::Button, buttonFace(control.backColor));
    }
  } else if (auto* frame = qobject_cast<QGroupBox*>(widget)) {
    // A frame's size (the hex display's, placed at start-up) is left to the layout: it makes
    // the frame no smaller than a whole page in the font it shows.
    frame->setTitle(fromCore(control.caption));
  } else if (auto* label = qobject_cast<QLabel*>(widget)) {
    syncLabel(label, control);
    if (control.name.rfind("sbStatusBar", 0) == 0) label->setText(fromCore(control.text));
  } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
    syncCombo(combo, control);
  } else if (auto* slider = qobject_cast<QAbstractSlider*>(widget)) {
    syncRange(slider, control);
  } else if (auto* progress = qobject_cast<QProgressBar*>(widget)) {
    progress->setRange(control.min, std::max(control.min, control.max));
    progress->setValue(control.value);
  } else if (auto* field = qobject_cast<QLineEdit*>(widget)) {
    if (field->text() != fromCore(control.text)) field->setText(fromCore(control.text));
  } else if (widget == hexDisplay_) {
    const auto text = withoutCarriageReturns(control.text);
    if (hexDisplay_->toPlainText() != text) hexDisplay_->setPlainText(text);
  }
}

void MainWindow::syncLog() {
  const auto& text = app_->panel.SystemLog.text;
  QSignalBlocker blocker(log_);
  if (text.size() < loggedLength_) {
    log_->setPlainText(withoutCarriageReturns(text));
  } else if (text.size() > loggedLength_) {
    // The log only grows: append the new part instead of setting the whole text again.
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(withoutCarriageReturns(text.substr(loggedLength_)));
  }
  loggedLength_ = text.size();
  log_->showEnd();
}

void MainWindow::tickClock(bool drawNow) {
  clockShown_.start();
  app_->showClock();
  for (const auto& panel : app_->panel.sbStatusBar) {
    sync(panel);
    if (auto* widget = qobject_cast<QWidget*>(viewOf(panel.name)); widget && drawNow) {
      widget->repaint();
    }
  }
}

bool MainWindow::heldDuringCommand(const QObject* view) const {
  if (!commandRunning_ || view == viewOf("Stop_button")) return false;
  if (const auto* action = qobject_cast<const QAction*>(view)) return !action->isSeparator();
  return qobject_cast<const QAbstractButton*>(view) || qobject_cast<const QComboBox*>(view) ||
         qobject_cast<const QAbstractSlider*>(view) || qobject_cast<const QMenu*>(view);
}

// The entries that menus of our own (beside the Panel's) and the tool bar put in the window.
static bool isUnnamedEntry(const QAction* action, const std::map<std::string, QObject*>& named) {
  if (action->isSeparator() || !action->isEnabled()) return false;
  for (const auto& [name, view] : named) {
    if (view == action) return false;
    if (const auto* menu = qobject_cast<const QMenu*>(view); menu && menu->menuAction() == action) {
      return false;
    }
  }
  for (const QObject* holder : action->associatedObjects()) {
    if (qobject_cast<const QMenu*>(holder) || qobject_cast<const QMenuBar*>(holder) ||
        qobject_cast<const QToolBar*>(holder)) {
      return true;
    }
  }
  return false;
}

void MainWindow::showCommandRunning(bool running) {
  if (running == commandRunning_) return;
  commandRunning_ = running;
  if (running) clockShown_.invalidate();  // the clock is brought up to date as a command starts
  if (running) {
    for (QAction* action : findChildren<QAction*>()) {
      if (!isUnnamedEntry(action, views_)) continue;
      heldActions_ << action;
      action->setEnabled(false);
    }
  } else {
    for (const auto& action : std::as_const(heldActions_)) {
      if (action) action->setEnabled(true);
    }
    heldActions_.clear();
  }
  for (const Control* control : std::as_const(app_->panel).controls()) {
    if (control != &app_->panel.BufferDisplay && control != &app_->panel.SystemLog) sync(*control);
  }
  repaintWholeWindow();
}

void MainWindow::repaintWholeWindow() {
  QWidget::repaint();
  menuBar()->repaint();
}

void MainWindow::showLongWorkGoingOn() {
  if (app_->panel.SystemLog.text.size() != loggedLength_) {
    syncLog();
    log_->repaint();
  }
  if (!clockShown_.isValid() || clockShown_.elapsed() >= 1000) tickClock(true);
}

void MainWindow::syncTimer() {
  const auto& timer = app_->panel.Timer1;
  if (!timer.enabled || timer.value <= 0) {
    timer1_->stop();
  } else if (!timer1_->isActive() || timer1_->interval() != timer.value) {
    timer1_->start(timer.value);
  }
}

double MainWindow::dotsPerInch() const {
  const QScreen* shown = screen() ? screen() : QGuiApplication::primaryScreen();
  return shown ? shown->logicalDotsPerInch() : 96.0;
}

QMargins MainWindow::frameAllowance() const {
  // Known once the window system has framed the window; before that, room for a title bar.
  if (isVisible() && frameGeometry() != geometry()) {
    const QRect outer = frameGeometry(), inner = geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
  }
  return kTitleBarAllowance;
}

void MainWindow::applyPlacement() {
  const auto& placement = app_->panel.placement;
  if (appliedPlacement_ && samePlacement(*appliedPlacement_, placement)) return;
  appliedPlacement_ = placement;
  // The minimum size the layout needs once the style has set the widgets' fonts and margins.
  ensurePolished();
  if (layout()) layout()->activate();
  QList<QRect> screens;
  // The window manager is told too: the window is never made so small that a text is cut.
  setMinimumSize(minimumSizeHint());
  for (const QScreen* each : QGuiApplication::screens()) screens << each->availableGeometry();
  const QScreen* primary = QGuiApplication::primaryScreen();
  setGeometry(openingRect(placement, dotsPerInch(), minimumSizeHint(), frameAllowance(), screens,
                          primary ? primary->availableGeometry() : QRect()));
}

void MainWindow::changed() {
  if (!app_) return;
  for (const Control* control : std::as_const(app_->panel).controls()) sync(*control);
  syncLog();
  if (opened_) applyPlacement();
}

void MainWindow::showEvent(QShowEvent* event) {
  if (!opened_ && app_) {
    // The window opens where the Panel places it, sized for the controls start-up left.
    opened_ = true;
    applyPlacement();
  }
  QMainWindow::showEvent(event);
}

void MainWindow::repaint(const Control& control) {
  if (!app_) return;
  // The Stop button is offered from a command's first progress step to its end.
  if (&control == &app_->panel.Stop_button) showCommandRunning(control.enabled);
  showLongWorkGoingOn();
  sync(control);
  if (auto* widget = qobject_cast<QWidget*>(viewOf(control.name))) widget->repaint();
  // A progress step of a command that can be stopped: the operator's Stop is let in.
  if (&control == &app_->panel.ProgressBar1 && app_->panel.Stop_button.enabled) {
    stopGate_->letStopThrough();
  }
}

void MainWindow::unload() {
  close();
}

void MainWindow::closeOtherWindows() {
  // Newest first: the help window may be open behind the About window.
  if (about_) about_->reject();
  if (help_) help_->close();
}

void MainWindow::showAbout(AboutBox& about) {
  AboutDialog dialog(*app_, about, this);
  about_ = &dialog;
  dialog.exec();
  app_->frmAbout_Unload();
}

std::optional<std::string> MainWindow::showHelp(const HelpRequest& request) {
  if (!help_) help_ = new HelpWindow(this);
  return help_->open(request);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (app_) {
    app_->panel.placement = placementOf(geometry(), dotsPerInch(), isMinimized());
    appliedPlacement_ = app_->panel.placement;
    app_->Form_Unload();
  }
  event->accept();
}

}  // namespace burnlab
