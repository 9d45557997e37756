#include "gui/board_test_dialog.h"

#include <QAction>
#include <QBoxLayout>
#include <QFormLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <algorithm>

#include "gui/board_lines_drawing.h"
#include "gui/main_window.h"
#include "shell/app.h"

namespace burnlab {
namespace {

QColor verdictColour(SelfTestCheck::Verdict verdict) {
  switch (verdict) {
    case SelfTestCheck::Verdict::Passed:
      return {0x1E, 0x9E, 0x3A};
    case SelfTestCheck::Verdict::Fault:
      return {0xD0, 0x20, 0x20};
    case SelfTestCheck::Verdict::Warning:
      return {0xC0, 0x70, 0x00};
    default:
      return Qt::gray;
  }
}

QString verdictText(SelfTestCheck::Verdict verdict) {
  switch (verdict) {
    case SelfTestCheck::Verdict::Passed:
      return QDialog::tr("OK");
    case SelfTestCheck::Verdict::Fault:
      return QDialog::tr("FAULT");
    case SelfTestCheck::Verdict::Warning:
      return QDialog::tr("WARNING");
    default:
      return QDialog::tr("not done");
  }
}

}  // namespace

BoardTestDialog::BoardTestDialog(MainWindow& window, App& app)
    : QDialog(&window), window_(window), app_(app) {
  setObjectName("BoardTestDialog");
  setWindowTitle(tr("Test the Board"));
  auto* layout = new QVBoxLayout(this);

  auto* intro = new QLabel(
      tr("The board drives test patterns onto the socket's data lines and reads them back "
         "through the status lines, with every programming voltage off and the chip in the "
         "socket (if any) not selected. The port's speed and the program pulses' precision "
         "are measured on this PC."),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);

  drawing_ = new BoardLinesDrawing(this);
  layout->addWidget(drawing_);

  checks_ = new QTreeWidget(this);
  checks_->setObjectName("BoardTestChecks");
  checks_->setColumnCount(3);
  checks_->setHeaderLabels({tr("Check"), tr("Result"), tr("What was seen")});
  checks_->setRootIsDecorated(false);
  checks_->setWordWrap(true);
  checks_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  checks_->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
  checks_->header()->setStretchLastSection(true);
  layout->addWidget(checks_, 1);

  auto* form = new QFormLayout;
  reads_ = new QSpinBox(this);
  reads_->setObjectName("BoardTestReads");
  reads_->setRange(0, 100);
  reads_->setValue(BoardSelfTest::kDefaultChipReads);
  const bool chipReadable = app_.device.selected() && app_.operations.parallelFamily();
  reads_->setEnabled(chipReadable);
  reads_->setToolTip(chipReadable ? tr("Whole reads of the chip in the socket; 0: none")
                                  : tr("Choose a parallel device to read the chip as well"));
  form->addRow(tr("Reads of the chip:"), reads_);
  layout->addLayout(form);

  progress_ = new QProgressBar(this);
  progress_->setObjectName("BoardTestProgress");
  progress_->setValue(0);
  layout->addWidget(progress_);
  summary_ = new QLabel(this);
  summary_->setObjectName("BoardTestSummary");
  layout->addWidget(summary_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  start_ = new QPushButton(tr("&Start"), this);
  start_->setObjectName("BoardTestStart");
  start_->setDefault(true);
  stop_ = new QPushButton(tr("S&top"), this);
  stop_->setObjectName("BoardTestStop");
  close_ = new QPushButton(tr("&Close"), this);
  close_->setObjectName("BoardTestClose");
  for (auto* button : {start_, stop_, close_}) buttons->addWidget(button);
  layout->addLayout(buttons);

  connect(start_, &QPushButton::clicked, this, [this] { start(); });
  connect(stop_, &QPushButton::clicked, this, [this] { app_.stopping.Stop_button_Click(); });
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);
  window_.letStopThrough(stop_);
  setRunning(false);

  app_.boardTest.onCheck = [this](const SelfTestReport& report) { showReport(report); };
  app_.boardTest.onProgress = [this] { showProgress(); };
  resize(sizeHint().expandedTo(QSize(drawing_->sizeHint().width() + 40, 0)));
}

BoardTestDialog::~BoardTestDialog() {
  app_.boardTest.onCheck = nullptr;
  app_.boardTest.onProgress = nullptr;
}

void BoardTestDialog::setRunning(bool running) {
  start_->setEnabled(!running);
  close_->setEnabled(!running);
  stop_->setEnabled(running);
  reads_->setReadOnly(running);
}

void BoardTestDialog::start() {
  checks_->clear();
  drawing_->showLines({});
  summary_->clear();
  setRunning(true);
  const int reads = reads_->isEnabled() ? reads_->value() : 0;
  window_.operate([this, reads] { app_.testTheBoard(reads); });
  setRunning(false);
  const auto& report = app_.boardTest.report();
  showReport(report);
  progress_->setValue(report.outcome == SelfTestReport::Outcome::Running ? 0
                                                                         : progress_->maximum());
  summary_->setText(report.outcome == SelfTestReport::Outcome::Running
                        ? tr("Stopped: the board is reset.")
                        : QString::fromStdString("Board test: " + report.summary()));
}

void BoardTestDialog::showReport(const SelfTestReport& report) {
  drawing_->showLines(report.lines);
  for (auto index = static_cast<std::size_t>(checks_->topLevelItemCount());
       index < report.checks.size(); ++index) {
    const auto& check = report.checks[index];
    auto* item = new QTreeWidgetItem(
        checks_, {QString::fromStdString(check.name), verdictText(check.verdict),
                  QString::fromStdString(check.text)});
    item->setForeground(1, verdictColour(check.verdict));
    item->setToolTip(2, QString::fromStdString(check.text));
  }
  checks_->repaint();
  drawing_->repaint();
}

void BoardTestDialog::showProgress() {
  const auto& bar = app_.panel.ProgressBar1;
  progress_->setMaximum(std::max(1, bar.max));
  progress_->setValue(std::clamp(bar.value, 0, progress_->maximum()));
  progress_->repaint();
}

void addBoardTestEntry(MainWindow& window, App& app) {
  auto* setup = qobject_cast<QMenu*>(window.viewOf("Setup"));
  if (!setup) return;
  setup->addSeparator();
  QAction* entry = setup->addAction(QMenu::tr("Test the &Board..."));
  entry->setObjectName("mnuTestTheBoard");
  entry->setStatusTip(
      QMenu::tr("Check the board's data lines, status lines and port, the program pulses and "
                "the chip's contact"));
  QObject::connect(entry, &QAction::triggered, &window, [&window, &app] {
    BoardTestDialog dialog(window, app);
    dialog.exec();
  });
}

}  // namespace burnlab
