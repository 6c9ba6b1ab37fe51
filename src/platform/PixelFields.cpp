// SPDX-License-Identifier: GPL-3.0-or-later
// The fields that draw what the session holds: a pixel area that shows a surface of the session's as it is,
// and a legend of a palette line's colours.

#include <algorithm>
#include <utility>
#include <vector>

#include "draw/Surface.h"
#include "platform/FieldWidget.h"
#include "platform/SurfaceView.h"
#include "tiles/TileSheet.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QWheelEvent>
#include <QWidget>

namespace tintorb {

namespace {

// The session's pixels, unscaled; the pointer, the wheel and the area's size go to the session.
class PixelArea : public QWidget {
  public:
    explicit PixelArea(const FieldContext& context)
        : QWidget(&context.parent), session_(context.session), field_(context.index), fire_(context.fire) {
        setMouseTracking(true);
        setMinimumSize(context.field.minimumSide, context.field.minimumSide);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        // Every pixel is painted below, so nothing need be cleared first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // Repaints the session's pixels that changed, and where they shrank, the area they left.
    void Show() {
        const Surface& pixels = Pixels();
        const QSize size(pixels.Width(), pixels.Height());
        const std::optional<DirtyRegion> changed = session_.TakeChangedPixels(field_);
        if (size != shownSize_ || !changed) {
            update(QRect(QPoint(0, 0), size.expandedTo(shownSize_)));
            shownSize_ = size;
            return;
        }
        for (const PixelBox& box : changed->Boxes()) {
            update(box.left, box.top, box.Width(), box.Height());
        }
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const Surface& pixels = Pixels();
        const QImage image(pixels.Row0(), pixels.Width(), pixels.Height(), pixels.Stride(),
                           QImage::Format_RGB32);
        PaintImage(painter, image, event->region() & image.rect());
        // The rest of the area, right of and below the pixels.
        painter.fillRect(QRect(image.width(), 0, width() - image.width(), height()), palette().window());
        painter.fillRect(QRect(0, image.height(), image.width(), height() - image.height()),
                         palette().window());
    }
    void resizeEvent(QResizeEvent*) override { Fire(FieldAction::Resized, width(), height()); }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        Fire(FieldAction::PointerMoved, p.x(), p.y());
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            const QPoint p = event->position().toPoint();
            Fire(FieldAction::PointerPressed, p.x(), p.y());
        }
    }
    void wheelEvent(QWheelEvent* event) override {
        fire_({.field = field_, .action = FieldAction::Wheel, .value = event->angleDelta().y()});
    }

  private:
    void Fire(FieldAction action, int x, int y) {
        fire_({.field = field_, .action = action, .x = x, .y = y});
    }
    // An area whose session has no surface for it shows none.
    [[nodiscard]] const Surface& Pixels() const {
        static const Surface none(0, 0);
        const Surface* pixels = session_.Pixels(field_);
        return pixels != nullptr ? *pixels : none;
    }

    const PanelSession& session_;
    int field_;
    std::function<void(const PanelEvent&)> fire_;
    QSize shownSize_;
};

// A palette line's colours, sixteen to a row, each with how many pixels use it; an unused colour is crossed
// out.
class ColourLegend : public QWidget {
  public:
    explicit ColourLegend(const FieldContext& context)
        : QWidget(&context.parent), session_(context.session), field_(context.index) {}

    // Repaints the entries whose colour or count changed (a level click changes one); the height the
    // entries take follows their number (a line of 256 entries gets small cells without counts).
    void Show() {
        std::vector<LegendEntry> legend = session_.Legend(field_);
        if (legend.size() != shown_.size()) {
            shown_ = std::move(legend);
            setFixedHeight(Rows() * CellHeight());
            update();
            return;
        }
        for (std::size_t i = 0; i < legend.size(); ++i) {
            if (legend[i] != shown_[i]) {
                update(Cell(i));
            }
        }
        shown_ = std::move(legend);
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const std::vector<LegendEntry>& legend = shown_;
        for (std::size_t i = 0; i < legend.size(); ++i) {
            const QRect cell = Cell(i);
            if (!event->region().intersects(cell)) {
                continue;
            }
            const LegendEntry& entry = legend[i];
            const Rgb c = entry.colour.value_or(CheckerDark);
            painter.fillRect(cell, QColor(c.r, c.g, c.b));
            painter.setPen((c.r + c.g + c.b) / 3 > 128 ? Qt::black : Qt::white);
            if (entry.uses == 0) {
                painter.drawLine(cell.topLeft(), cell.bottomRight());
            } else if (legend.size() <= PerRow) {
                painter.drawText(cell, Qt::AlignCenter, QString::number(entry.uses));
            }
        }
    }

  private:
    static constexpr int PerRow = 16;
    [[nodiscard]] int Rows() const {
        return std::max<int>(1, (static_cast<int>(shown_.size()) + PerRow - 1) / PerRow);
    }
    [[nodiscard]] int CellHeight() const { return Rows() == 1 ? 36 : 12; }
    [[nodiscard]] QRect Cell(std::size_t i) const {
        const int cellWidth = width() / PerRow;
        return {static_cast<int>(i) % PerRow * cellWidth, static_cast<int>(i) / PerRow * CellHeight(),
                cellWidth - 2, CellHeight() - 2};
    }

    const PanelSession& session_;
    int field_;
    std::vector<LegendEntry> shown_;
};

// Both show the session anew when refreshed.
template <class Shown>
class ShownField : public FieldOf<Shown> {
  public:
    explicit ShownField(const FieldContext& context) : FieldOf<Shown>(new Shown(context)) {}
    void Refresh() override { this->widget_->Show(); }
};

}  // namespace

std::unique_ptr<FieldWidget> MakePixelArea(const FieldContext& context) {
    return std::make_unique<ShownField<PixelArea>>(context);
}

std::unique_ptr<FieldWidget> MakeLegend(const FieldContext& context) {
    return std::make_unique<ShownField<ColourLegend>>(context);
}

}  // namespace tintorb
