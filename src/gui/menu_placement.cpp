#include "gui/menu_placement.h"

#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace burnlab {

void insertBeforeHelpMenu(QMainWindow& window, QMenu* menu) {
  QMenuBar* bar = window.menuBar();
  QAction* help = nullptr;
  for (QAction* each : bar->actions()) {
    if (each->menu() && each->menu()->objectName() == "mnuHelp") help = each;
  }
  bar->insertMenu(help, menu);
}

}  // namespace burnlab
