// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/BitsView.h"

#include "platform/SurfaceView.h"

#include <algorithm>
#include <array>
#include <utility>

#include <QFontMetrics>
#include <QKeyEvent>
#include <QMetaObject>
#include <QMouseEvent>
#include <QPaintEvent>
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

namespace {

// How far a digit may reach beyond its cell, however wide the font found for it.
constexpr int GlyphOverhang = 3;

[[nodiscard]] bool SameCell(const BitLine& a, const BitLine& b, int i) {
    const auto at = static_cast<std::size_t>(i);
    return at < a.Text().size() && at < b.Text().size() && a.Text()[at] == b.Text()[at] &&
           a.ColourAt(i) == b.ColourAt(i);
}

}  // namespace

void BitsView::ShowChangesLater() {
    if (!changesPending_) {
        changesPending_ = true;
        // Queued calls run before the window's paint request, which waits at a lower priority.
        QMetaObject::invokeMethod(this, &BitsView::ShowChanges, Qt::QueuedConnection);
    }
}

void BitsView::ShowChanges() {
    changesPending_ = false;
    QRegion changed;
    const auto cells = static_cast<int>(std::max(line_.Text().size(), shown_.Text().size()));
    for (int i = 0; i < cells; ++i) {
        if (!SameCell(line_, shown_, i)) {
            changed += QRect(i * CellWidth - GlyphOverhang, 0, CellWidth + 2 * GlyphOverhang, height());
        }
    }
    if (line_.Caret() != shown_.Caret()) {
        for (const int caret : {line_.Caret(), shown_.Caret()}) {
            changed += QRect(std::min(caret * CellWidth, width() - 1) - 1, 0, 3, height());
        }
    }
    shown_ = line_;
    update(changed);
}

void BitsView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setFont(font());
    const int baseline = Baseline();
    const std::u16string& text = line_.Text();
    // Only the digits whose cells the paint covers: each costs a glyph drawing, clipped or not.
    const QRect area = event->rect().adjusted(-GlyphOverhang, 0, GlyphOverhang, 0);
    const int first = std::max(0, area.left() / CellWidth);
    const int last = std::min(static_cast<int>(text.size()) - 1, area.right() / CellWidth);
    for (int i = first; i <= last; ++i) {
        const QChar ch(text[static_cast<std::size_t>(i)]);
        const Glyph& glyph = GlyphOf(ch);
        const int x = i * CellWidth + glyph.left;
        const Rgb colour = line_.ColourAt(i);
        painter.setPen(QColor(colour.r, colour.g, colour.b));
        if (glyph.run.isEmpty()) {
            painter.drawText(x, baseline, QString(ch));
        } else {
            painter.drawGlyphRun(QPointF(x, baseline), glyph.run);
        }
    }
    if (hasFocus()) {
        painter.setPen(palette().color(QPalette::Text));
        const int x = std::min(line_.Caret() * CellWidth, width() - 1);
        painter.drawLine(x, 1, x, height() - 2);
    }
}

void BitsView::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    Edit([&](BitLine& line) { line.SetCaret((p.x() + CellWidth / 2) / CellWidth); });
    setFocus(Qt::MouseFocusReason);
    if (const std::optional<MouseButton> button = ButtonOf(event->button())) {
        emit Pressed(*button, p.x(), p.y());
    }
}

void BitsView::keyPressEvent(QKeyEvent* event) {
    static constexpr std::array<std::pair<int, BitLineKey>, 6> Keys{
        {{Qt::Key_Left, BitLineKey::Left},
         {Qt::Key_Right, BitLineKey::Right},
         {Qt::Key_Home, BitLineKey::Home},
         {Qt::Key_End, BitLineKey::End},
         {Qt::Key_Backspace, BitLineKey::Backspace},
         {Qt::Key_Delete, BitLineKey::Delete}}};
    for (const auto& key : Keys) {
        if (event->key() == key.first) {
            return Edit([&](BitLine& line) { line.Press(key.second); });
        }
    }
    const QString typed = event->text();
    if (!typed.isEmpty() && typed.at(0).isPrint() && !(event->modifiers() & Qt::ControlModifier)) {
        return Edit([&](BitLine& line) { line.Type(typed.toStdU16String()); });
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
