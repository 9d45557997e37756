#include "gui/main_window.h"

#include <QCloseEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStatusBar>
#include <QVBoxLayout>

#include "gui/clickable_label.h"
#include "shell/branding.h"

namespace burnlab {
namespace {

QString latin1(const std::string& text) { return QString::fromLatin1(text); }

QString withoutCarriageReturns(const std::string& text) {
  return latin1(text).remove(QLatin1Char('\r'));
}

}  // namespace

QColor screenColor(std::uint32_t foreColor) {
  if (foreColor == kGreyText) return QColor(0x80, 0x80, 0x80);
  if (foreColor == kWindowText) return QColor(Qt::black);
  return QColor(foreColor & 0xFF, (foreColor >> 8) & 0xFF, (foreColor >> 16) & 0xFF);
}

MainWindow::MainWindow() {
  setWindowTitle(QString("BURNLAB-6 Eprom Programmer - Orvane - ") + kMakerWebAddress);
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(buildCommands());
  layout->addWidget(buildLamps());
  progress_ = new QProgressBar(central);
  progress_->setObjectName("ProgressBar1");
  layout->addWidget(progress_);
  layout->addWidget(buildLog(), 1);
  setCentralWidget(central);
  statusText_ = new QLabel("Status", this);
  statusBar()->addWidget(statusText_, 1);
}

QWidget* MainWindow::buildCommands() {
  auto* frame = new QWidget(this);
  auto* row = new QHBoxLayout(frame);
  for (const char* name : {"Read_button", "Blank_button", "Verify_button", "Program_button",
                           "Display_button"}) {
    auto* button = new QPushButton(frame);
    button->setObjectName(name);
    buttons_[name] = button;
    row->addWidget(button);
  }
  return frame;
}

QWidget* MainWindow::buildLamps() {
  auto* frame = new QWidget(this);
  auto* row = new QHBoxLayout(frame);
  for (const char* name : {"Error_label", "Program_label", "DataFlow_label", "Ready_label"}) {
    auto* lamp = new ClickableLabel(frame);
    lamp->setObjectName(name);
    lamp->setAlignment(Qt::AlignCenter);
    lamp->setAutoFillBackground(true);
    QPalette palette = lamp->palette();
    palette.setColor(QPalette::Window, QColor(0x30, 0x30, 0x30));
    lamp->setPalette(palette);
    lamps_[name] = lamp;
    row->addWidget(lamp);
  }
  connect(static_cast<ClickableLabel*>(lamps_["Error_label"]), &ClickableLabel::clicked, this,
          [this] {
            app_->lamps.Error_label_Click();
            changed();
          });
  return frame;
}

QWidget* MainWindow::buildLog() {
  auto* frame = new QGroupBox("System Log", this);
  auto* layout = new QVBoxLayout(frame);
  log_ = new QPlainTextEdit(frame);
  log_->setObjectName("SystemLog");
  log_->setReadOnly(true);
  log_->viewport()->installEventFilter(this);
  layout->addWidget(log_);
  return frame;
}

void MainWindow::attach(App& app) {
  app_ = &app;
  changed();
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  if (app_ && watched == log_->viewport() && event->type() == QEvent::MouseButtonDblClick) {
    app_->log.SystemLog_DblClick();
    changed();
    return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

void MainWindow::syncControl(const Control& control) {
  if (auto lamp = lamps_.find(control.name); lamp != lamps_.end()) {
    QSignalBlocker blocker(lamp->second);
    lamp->second->setText(latin1(control.caption));
    QPalette palette = lamp->second->palette();
    palette.setColor(QPalette::WindowText, screenColor(control.foreColor));
    lamp->second->setPalette(palette);
  }
  if (auto button = buttons_.find(control.name); button != buttons_.end()) {
    QSignalBlocker blocker(button->second);
    button->second->setText(latin1(control.caption));
    button->second->setToolTip(latin1(control.toolTip));
    button->second->setEnabled(control.enabled);
  }
  if (control.name == "ProgressBar1") {
    progress_->setRange(control.min, control.max);
    progress_->setValue(control.value);
  }
}

void MainWindow::syncLog() {
  const auto& text = app_->panel.SystemLog.text;
  QSignalBlocker blocker(log_);
  log_->setToolTip(latin1(app_->panel.SystemLog.toolTip));
  if (text.size() < loggedLength_) {
    log_->setPlainText(withoutCarriageReturns(text));
  } else if (text.size() > loggedLength_) {
    // The log only grows: append the new part instead of setting the whole text again.
    QTextCursor cursor(log_->document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(withoutCarriageReturns(text.substr(loggedLength_)));
  }
  loggedLength_ = text.size();
  log_->moveCursor(QTextCursor::End);
  log_->ensureCursorVisible();
}

void MainWindow::changed() {
  if (!app_) return;
  auto& panel = app_->panel;
  for (const Control* control :
       {&panel.Read_button, &panel.Blank_button, &panel.Verify_button, &panel.Program_button,
        &panel.Display_button, &panel.Error_label, &panel.Program_label, &panel.DataFlow_label,
        &panel.Ready_label, &panel.ProgressBar1}) {
    syncControl(*control);
  }
  syncLog();
  statusText_->setText(latin1(panel.sbStatusBar[0].text));
}

void MainWindow::repaint(const Control& control) {
  syncControl(control);
  if (auto lamp = lamps_.find(control.name); lamp != lamps_.end()) lamp->second->repaint();
  if (control.name == "ProgressBar1") progress_->repaint();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (app_) app_->Form_Unload();
  event->accept();
}

}  // namespace burnlab
