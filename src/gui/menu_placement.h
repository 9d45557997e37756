#pragma once

class QMainWindow;
class QMenu;

namespace burnlab {

// Puts a menu of our own into the window's menu bar just before its Help menu (at the end when
// there is none), so that the system's menus keep their places.
void insertBeforeHelpMenu(QMainWindow& window, QMenu* menu);

}  // namespace burnlab
