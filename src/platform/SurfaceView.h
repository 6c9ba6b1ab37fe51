// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The picture under every other control: it shows the form's surface memory as it is (no copy), and it is
// where mouse events over the client area arrive that no windowed control takes; it routes them to the
// areas of the layout.

#include <functional>

#include "app/MouseRouter.h"
#include "draw/Surface.h"

#include <QImage>
#include <QWidget>

class QPainter;
class QRegion;

namespace tintorb {

// Copies the region's pixels of image, wrapped around memory of the core, to the same place of the painter's
// device.
void PaintImage(QPainter& painter, const QImage& image, const QRegion& region);

// The form's name for a mouse button; nothing for a button the form has no use for.
[[nodiscard]] std::optional<MouseButton> ButtonOf(Qt::MouseButton button);

class SurfaceView : public QWidget {
    Q_OBJECT

  public:
    explicit SurfaceView(QWidget* parent);

    // Shows the surface's memory from now on; the surface must outlive this view.
    void Show(const Surface& surface);
    // Called with every mouse event that reaches an area (or imgMain, where no area lies).
    void OnMouse(std::function<void(const RoutedMouse&)> sink) { sink_ = std::move(sink); }
    void ReleaseCapture() { router_.ReleaseCapture(); }
    // Called with each wheel turn over the client area where no windowed control lies: the client point
    // and the turn's angle.
    void OnWheel(std::function<void(int, int, int)> sink) { wheelSink_ = std::move(sink); }

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    // Whether a windowed control of the window lies at the client point.
    [[nodiscard]] bool Covered(QPoint client) const;
    [[nodiscard]] QPoint ClientPos(const QMouseEvent* event) const;
    void Deliver(const std::optional<RoutedMouse>& routed);

    QImage image_;
    MouseRouter router_;
    std::function<void(const RoutedMouse&)> sink_;
    std::function<void(int, int, int)> wheelSink_;
};

}  // namespace tintorb
