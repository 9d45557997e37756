#pragma once

#include <QDialog>

#include "panel/about_box.h"

namespace burnlab {

class App;

// The About window: draws the App's AboutBox and hands its buttons to the core.
class AboutDialog final : public QDialog {
  Q_OBJECT

 public:
  AboutDialog(App& app, AboutBox& about, QWidget* owner);
};

}  // namespace burnlab
