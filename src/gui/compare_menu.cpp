#include "gui/compare_menu.h"

#include <QMenu>

#include "gui/main_window.h"
#include "gui/menu_placement.h"
#include "shell/app.h"

namespace burnlab {

QMenu* addCompareMenu(MainWindow& window, App& app) {
  auto* menu = new QMenu(QMenu::tr("C&ompare"), &window);
  menu->setObjectName("mnuCompare");
  QAction* entry = menu->addAction(QMenu::tr("List Every &Difference between Device and Buffer"));
  entry->setObjectName("mnuCompareDevice");
  entry->setStatusTip(
      QMenu::tr("Read the chip and log every address where it differs from the buffer"));
  QObject::connect(entry, &QAction::triggered, menu,
                   [&window, &app] { window.operate([&app] { app.compareDeviceWithBuffer(); }); });
  QObject::connect(menu, &QMenu::aboutToShow, menu,
                   [&app, entry] { entry->setEnabled(app.canCompareDeviceWithBuffer()); });
  entry->setEnabled(false);

  insertBeforeHelpMenu(window, menu);
  return menu;
}

}  // namespace burnlab
