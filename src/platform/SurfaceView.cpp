// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SurfaceView.h"

#include <algorithm>
#include <bit>

#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWheelEvent>

namespace tintorb {

namespace {

// The surface stores each pixel as the bytes blue, green, red, 255, which is Qt's RGB32 layout on a
// little-endian machine; that is what lets the picture be shown without converting it.
static_assert(std::endian::native == std::endian::little);

}  // namespace

std::optional<MouseButton> ButtonOf(Qt::MouseButton button) {
    switch (button) {
        case Qt::LeftButton:
            return MouseButton::Left;
        case Qt::RightButton:
            return MouseButton::Right;
        case Qt::MiddleButton:
            return MouseButton::Middle;
        default:
            return std::nullopt;
    }
}

SurfaceView::SurfaceView(QWidget* parent) : QWidget(parent) {
    // Moves without a button held reach the browser too: they update the label of the cell under the pointer.
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void SurfaceView::Show(const Surface& surface) {
    image_ = QImage(surface.Row0(), surface.Width(), surface.Height(),
                    static_cast<qsizetype>(surface.Stride()), QImage::Format_RGB32);
    update();
}

void PaintImage(QPainter& painter, const QImage& image, const QRegion& region) {
    // Rectangle by rectangle, as the bounding rectangle of a region of separate areas would copy the
    // controls' parts between them too; and in bands, because the paint engine hands a taller copy to its
    // thread pool, whose wake-ups cost more than the copy itself.
    constexpr int BandRows = 64;
    for (const QRect& rect : region) {
        for (int top = rect.top(); top <= rect.bottom(); top += BandRows) {
            const QRect band(rect.left(), top, rect.width(), std::min(BandRows, rect.bottom() + 1 - top));
            painter.drawImage(band.topLeft(), image, band);
        }
    }
}

void SurfaceView::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    if (image_.isNull()) {
        painter.fillRect(event->rect(), palette().window());
        return;
    }
    PaintImage(painter, image_, event->region());
}

QPoint SurfaceView::ClientPos(const QMouseEvent* event) const {
    return mapTo(parentWidget(), event->position().toPoint());
}

bool SurfaceView::Covered(QPoint client) const {
    const QWidget* child = parentWidget()->childAt(client);
    return child != nullptr && child != this && !child->testAttribute(Qt::WA_TransparentForMouseEvents);
}

void SurfaceView::Deliver(const std::optional<RoutedMouse>& routed) {
    if (routed && sink_) {
        sink_(*routed);
    }
}

// The second press of a double click comes through QWidget's own mouseDoubleClickEvent, which passes it
// on here: the areas see it as one more press.
void SurfaceView::mousePressEvent(QMouseEvent* event) {
    const std::optional<MouseButton> button = ButtonOf(event->button());
    if (!button) {
        return;
    }
    const QPoint p = ClientPos(event);
    Deliver(router_.Press(*button, p.x(), p.y(), Covered(p)));
}

void SurfaceView::mouseMoveEvent(QMouseEvent* event) {
    // The release of a drag can go astray (another window or the window system may take the pointer in the
    // middle of it); a move with the left button up shows the drag is over, and the capture ends with it.
    if (!(event->buttons() & Qt::LeftButton)) {
        router_.ReleaseCapture();
    }
    const QPoint p = ClientPos(event);
    Deliver(router_.Move(p.x(), p.y(), Covered(p)));
}

void SurfaceView::mouseReleaseEvent(QMouseEvent* event) {
    const std::optional<MouseButton> button = ButtonOf(event->button());
    if (!button) {
        return;
    }
    const QPoint p = ClientPos(event);
    Deliver(router_.Release(*button, p.x(), p.y(), Covered(p)));
}

void SurfaceView::wheelEvent(QWheelEvent* event) {
    const QPoint p = mapTo(parentWidget(), event->position().toPoint());
    if (wheelSink_ && !Covered(p)) {
        wheelSink_(p.x(), p.y(), event->angleDelta().y());
    }
}

}  // namespace tintorb
