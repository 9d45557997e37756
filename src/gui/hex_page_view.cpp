#include "gui/hex_page_view.h"

#include <QKeyEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <optional>
#include <utility>

namespace burnlab {
namespace {

constexpr int kNotch = 120;           // one wheel notch, in eighths of a degree
constexpr qreal kLargestPoints = 28;  // the font grows no further

// The scroll bar's move for a key that turns pages, if it is one.
std::optional<QAbstractSlider::SliderAction> pageTurn(int key) {
  using Slider = QAbstractSlider;
  static constexpr std::pair<int, Slider::SliderAction> kTurns[] = {
      {Qt::Key_PageDown, Slider::SliderPageStepAdd}, {Qt::Key_PageUp, Slider::SliderPageStepSub},
      {Qt::Key_Down, Slider::SliderSingleStepAdd},   {Qt::Key_Up, Slider::SliderSingleStepSub},
      {Qt::Key_Home, Slider::SliderToMinimum},       {Qt::Key_End, Slider::SliderToMaximum}};
  for (const auto& [turnKey, action] : kTurns) {
    if (turnKey == key) return action;
  }
  return std::nullopt;
}

}  // namespace

HexPageView::HexPageView(const QFont& font, QWidget* parent)
    : QPlainTextEdit(parent), baseFont_(font) {
  setFont(font);
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  // The page always fits, and the page scroll bar beside it does the scrolling.
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize HexPageView::pageSize(const QFont& font) const {
  const QFontMetrics metrics(font);
  const int margins = 2 * (frameWidth() + static_cast<int>(document()->documentMargin()) + 1);
  return {metrics.horizontalAdvance(QString(kPageColumns, QLatin1Char('0'))) + margins,
          kPageLines * metrics.lineSpacing() + margins};
}

QSize HexPageView::minimumSizeHint() const {
  return pageSize(baseFont_);
}

QSize HexPageView::sizeHint() const {
  return pageSize(baseFont_);
}

void HexPageView::fitFont() {
  // The largest size, in half points from the base size up, at which the page still fits.
  QFont fitting = baseFont_;
  for (qreal points = baseFont_.pointSizeF() + 0.5; points <= kLargestPoints; points += 0.5) {
    QFont larger = baseFont_;
    larger.setPointSizeF(points);
    const QSize needed = pageSize(larger);
    if (needed.width() > width() || needed.height() > height()) break;
    fitting = larger;
  }
  if (fitting != font()) setFont(fitting);
}

void HexPageView::resizeEvent(QResizeEvent* event) {
  QPlainTextEdit::resizeEvent(event);
  fitFont();
}

void HexPageView::wheelEvent(QWheelEvent* event) {
  if (!pages_ || !pages_->isEnabled()) return event->ignore();
  wheelTurn_ += event->angleDelta().y();
  while (wheelTurn_ >= kNotch) {
    pages_->triggerAction(QAbstractSlider::SliderSingleStepSub);
    wheelTurn_ -= kNotch;
  }
  while (wheelTurn_ <= -kNotch) {
    pages_->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    wheelTurn_ += kNotch;
  }
  event->accept();
}

void HexPageView::keyPressEvent(QKeyEvent* event) {
  const auto turn = pageTurn(event->key());
  // With a modifier (Ctrl+Home, Shift+End) the keys keep their text box meaning.
  const auto modifiers = event->modifiers() & ~Qt::KeypadModifier;
  if (!turn || modifiers != Qt::NoModifier) return QPlainTextEdit::keyPressEvent(event);
  if (pages_ && pages_->isEnabled()) pages_->triggerAction(*turn);
  event->accept();
}

}  // namespace burnlab
