#include "platform/BitsView.h"

#include <algorithm>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace tintorb {

BitsView::BitsView(QWidget* parent) : QWidget(parent) {
    setCursor(Qt::ArrowCursor);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Window);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setFocusPolicy(Qt::StrongFocus);
}

void BitsView::SetText(const QString& text) {
    text_.clear();
    colours_.clear();
    caret_ = 0;
    Insert(text, QColor(Qt::black));
    caret_ = 0;
    update();
}

void BitsView::InsertText(const QString& text) {
    Insert(text, insertColour_);
    update();
}

void BitsView::Insert(const QString& text, const QColor& colour) {
    text_.insert(caret_, text);
    colours_.insert(colours_.begin() + caret_, static_cast<std::size_t>(text.size()), colour);
    caret_ += static_cast<int>(text.size());
}

void BitsView::Erase(int position) {
    text_.remove(position, 1);
    colours_.erase(colours_.begin() + position);
}

void BitsView::SetCaret(int position) {
    caret_ = std::clamp(position, 0, static_cast<int>(text_.size()));
    update();
}

void BitsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const QFontMetrics metrics(font());
    // The digits sit in the middle of the line, however tall the font found for them is.
    const QRect digit = metrics.tightBoundingRect(QStringLiteral("0"));
    const int baseline = (height() - digit.height()) / 2 - digit.top();
    for (int i = 0; i < static_cast<int>(text_.size()); ++i) {
        const QString ch = text_.mid(i, 1);
        const int cellLeft = i * CellWidth;
        const int x = cellLeft + (CellWidth - metrics.horizontalAdvance(ch)) / 2;
        painter.setPen(colours_[static_cast<std::size_t>(i)]);
        painter.drawText(x, baseline, ch);
    }
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::Text));
        const int x = std::min(caret_ * CellWidth, width() - 1);
        painter.drawLine(x, 1, x, height() - 2);
    }
}

void BitsView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    SetCaret((p.x() + CellWidth / 2) / CellWidth);
    setFocus(Qt::MouseFocusReason);
    switch (event->button()) {
        case Qt::LeftButton:
            emit Pressed(MouseButton::Left, p.x(), p.y());
            break;
        case Qt::RightButton:
            emit Pressed(MouseButton::Right, p.x(), p.y());
            break;
        case Qt::MiddleButton:
            emit Pressed(MouseButton::Middle, p.x(), p.y());
            break;
        default:
            break;
    }
}

void BitsView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Left:
            SetCaret(caret_ - 1);
            return;
        case Qt::Key_Right:
            SetCaret(caret_ + 1);
            return;
        case Qt::Key_Home:
            SetCaret(0);
            return;
        case Qt::Key_End:
            SetCaret(static_cast<int>(text_.size()));
            return;
        case Qt::Key_Backspace:
            if (caret_ > 0) {
                Erase(--caret_);
                update();
            }
            return;
        case Qt::Key_Delete:
            if (caret_ < static_cast<int>(text_.size())) {
                Erase(caret_);
                update();
            }
            return;
        default:
            break;
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        Insert(typed, QColor(Qt::black));
        update();
        return;
    }
    QWidget::keyPressEvent(event);
}

void BitsView::changeEvent(QEvent* event) {
    // Disabled, the view neither takes the focus nor shows a caret.
    if (event->type() == QEvent::EnabledChange) {
        setFocusPolicy(isEnabled() ? Qt::StrongFocus : Qt::NoFocus);
        update();
    }
    QWidget::changeEvent(event);
}

}  // namespace tintorb
