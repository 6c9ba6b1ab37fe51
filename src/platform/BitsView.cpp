// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BitsView.h"

#include <algorithm>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QRawFont>

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

int BitsView::Baseline() {
    if (!digit_) {
        digit_ = QFontMetrics(font()).tightBoundingRect(QStringLiteral("0"));
    }
    // The digits sit in the middle of the line, however tall the font found for them is.
    return (height() - digit_->height()) / 2 - digit_->top();
}

const BitsView::Glyph& BitsView::GlyphOf(QChar ch) {
    const auto found = glyphs_.constFind(ch);
    if (found != glyphs_.constEnd()) {
        return *found;
    }
    Glyph glyph;
    glyph.left = (CellWidth - QFontMetrics(font()).horizontalAdvance(ch)) / 2;
    const QRawFont raw = QRawFont::fromFont(font());
    const QList<quint32> indexes = raw.glyphIndexesForString(QString(ch));
    if (raw.supportsCharacter(ch) && indexes.size() == 1) {
        glyph.run.setRawFont(raw);
        glyph.run.setGlyphIndexes(indexes);
        glyph.run.setPositions({QPointF(0, 0)});
    }
    return *glyphs_.insert(ch, glyph);
}

void BitsView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setFont(font());
    const int baseline = Baseline();
    for (int i = 0; i < static_cast<int>(text_.size()); ++i) {
        const QChar ch = text_.at(i);
        const Glyph& glyph = GlyphOf(ch);
        const int x = i * CellWidth + glyph.left;
        painter.setPen(colours_[static_cast<std::size_t>(i)]);
        if (glyph.run.isEmpty()) {
            painter.drawText(x, baseline, QString(ch));
        } else {
            painter.drawGlyphRun(QPointF(x, baseline), glyph.run);
        }
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
    if (event->type() == QEvent::FontChange) {
        glyphs_.clear();
        digit_.reset();
    }
    // Disabled, the view neither takes the focus nor shows a caret.
    if (event->type() == QEvent::EnabledChange) {
        setFocusPolicy(isEnabled() ? Qt::StrongFocus : Qt::NoFocus);
        update();
    }
    QWidget::changeEvent(event);
}

}  // namespace tintorb
