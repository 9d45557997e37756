#include "gui/about_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/core_text.h"
#include "gui/toolbar_icons.h"
#include "shell/app.h"

namespace burnlab {
namespace {

QLabel* label(const Control& control, QWidget* parent, bool wrap = true) {
  auto* widget = new QLabel(fromCore(control.caption), parent);
  widget->setObjectName(QString::fromStdString(control.name));
  widget->setWordWrap(wrap);
  return widget;
}

QFrame* divider(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setObjectName("Line1");
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

AboutDialog::AboutDialog(App& app, AboutBox& about, QWidget* owner) : QDialog(owner) {
  setObjectName("frmAbout");
  setWindowTitle(fromCore(about.frmAbout.caption));
  setModal(true);
  setMinimumWidth(460);

  auto* icon = new QLabel(this);
  icon->setObjectName("picIcon");
  icon->setPixmap(programIcon().pixmap(48, 48));
  auto* title = label(about.lblTitle, this, false);
  QFont big = title->font();
  big.setPointSizeF(big.pointSizeF() * 1.6);
  big.setBold(true);
  title->setFont(big);

  auto* heading = new QHBoxLayout;
  heading->addWidget(icon, 0, Qt::AlignTop);
  auto* titles = new QVBoxLayout;
  titles->addWidget(title);
  titles->addWidget(label(about.lblVersion, this, false));
  titles->addWidget(label(about.lblDescription, this));
  heading->addLayout(titles, 1);

  auto* ok = new QPushButton(fromCore(about.cmdOK.caption), this);
  ok->setObjectName("cmdOK");
  ok->setDefault(true);
  auto* sysInfo = new QPushButton(fromCore(about.cmdSysInfo.caption), this);
  sysInfo->setObjectName("cmdSysInfo");
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(ok);
  buttons->addWidget(sysInfo);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(label(about.lblDisclaimer, this), 1);
  bottom->addLayout(buttons);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(heading);
  layout->addWidget(label(about.Label1, this));
  layout->addWidget(divider(this));
  layout->addWidget(divider(this));
  layout->addLayout(bottom);

  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(sysInfo, &QPushButton::clicked, this, [&app] { app.cmdSysInfo_Click(); });
}

}  // namespace burnlab
