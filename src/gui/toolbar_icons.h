#pragma once

#include <QIcon>
#include <QString>

namespace burnlab {

// The tool bar's images, drawn by the program itself: "Open" (a folder), "Save" (a disk),
// "Camera" and "Burn1" (a chip with a flash), and the program's icon.
QIcon toolbarIcon(const QString& image);
QIcon programIcon();

}  // namespace burnlab
