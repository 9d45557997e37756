#pragma once

class QMenu;

namespace burnlab {

class App;
class MainWindow;

// The "Compare" menu, a command of our own beside the system's menus: it lists every address
// where the chip differs from the buffer in the log. Its entry is enabled whenever Verify is.
// Added to the window's menu bar just before its Help menu; its command runs as the window's
// own operator actions do.
QMenu* addCompareMenu(MainWindow& window, App& app);

}  // namespace burnlab
