#pragma once

#include <QFont>
#include <QPlainTextEdit>

class QScrollBar;

namespace burnlab {

// The hex display: one page, always whole. A code or chip page is 16 lines of 62 characters after
// the empty line it starts with; the view is never smaller than that page in its fixed-width
// font, and where it is given more room the font grows to fill it. The page is chosen by the
// scroll bar beside it; the mouse wheel over the page turns that scroll bar one page a notch, and
// the keys move it as its own keys do: PgUp/PgDn and the arrows a page, Home and End to the first
// and the last page.
class HexPageView final : public QPlainTextEdit {
  Q_OBJECT

 public:
  HexPageView(const QFont& font, QWidget* parent);

  // The scroll bar that chooses the page.
  void setPageScrollBar(QScrollBar* bar) { pages_ = bar; }

  QSize minimumSizeHint() const override;
  QSize sizeHint() const override;

  // The page's lines and columns (the empty first line and a caret's width included).
  static constexpr int kPageLines = 17;
  static constexpr int kPageColumns = 63;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  // The view's size that shows the whole page in `font`.
  QSize pageSize(const QFont& font) const;
  void fitFont();

  QFont baseFont_;
  QScrollBar* pages_ = nullptr;
  int wheelTurn_ = 0;  // the part of a notch turned so far (a notch is 120)
};

}  // namespace burnlab
