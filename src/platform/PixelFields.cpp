// SPDX-License-Identifier: GPL-3.0-or-later
// The fields that draw what the session holds: a pixel area that shows a surface of the session's as it is,
// and a legend of a palette line's colours.

#include <algorithm>
#include <bit>
#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

#include "draw/Surface.h"
#include "platform/FieldWidget.h"
#include "platform/QtColour.h"
#include "platform/SurfaceView.h"
#include "tiles/TileSheet.h"

#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QWheelEvent>
#include <QWidget>

namespace tintorb {

namespace {

// A widget that draws its pixels straight into the image its paint event paints on (the window's backing
// store) when that image's pixels are this program's and one to a pixel: no copy and no painter.
class DrawnInPlace : public QWidget {
  public:
    using QWidget::QWidget;

  protected:
    // The image a painter of this paint event would paint on, at offset from this widget's top left, where
    // its pixels are laid out as a Surface's; null when there is none such.
    [[nodiscard]] QImage* PaintedImage(QPoint& offset) const {
        QPaintDevice* device = redirected(&offset);
        if (std::endian::native != std::endian::little || device == nullptr || sharedPainter() != nullptr ||
            device->devType() != QInternal::Image) {
            return nullptr;
        }
        auto* image = static_cast<QImage*>(device);
        const bool ours =
            image->format() == QImage::Format_RGB32 || image->format() == QImage::Format_ARGB32_Premultiplied;
        // A shared image would be copied by bits(), away from the memory the window shows.
        return ours && image->devicePixelRatio() == 1.0 && image->isDetached() ? image : nullptr;
    }

    // The image's pixels under rect, a rectangle of this widget's at offset in the image, cut to the image;
    // shown is set to the part of rect they are.
    [[nodiscard]] static Surface PartOf(QImage& image, QPoint offset, const QRect& rect, QRect& shown) {
        const QRect target = rect.translated(-offset) & image.rect();
        shown = target.translated(offset);
        return {image.bits() + target.top() * image.bytesPerLine() + target.left() * 4, image.bytesPerLine(),
                target.width(), target.height()};
    }
};

// The session's pixels, unscaled; the pointer, the wheel and the area's size go to the session.
class PixelArea : public DrawnInPlace {
  public:
    explicit PixelArea(const FieldContext& context)
        : DrawnInPlace(&context.parent),
          session_(context.session),
          field_(context.index),
          fire_(context.fire) {
        setMouseTracking(true);
        // Every pixel is painted below, so nothing need be cleared first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    [[nodiscard]] int PixelsWidth() const { return session_.PixelsBox(field_).Width(); }

    // Repaints the session's pixels that changed, and where they shrank, the area they left.
    void Show() {
        const PixelBox pixels = session_.PixelsBox(field_);
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
        const PixelBox box = session_.PixelsBox(field_);
        const QRect pixels(0, 0, box.Width(), box.Height());
        const bool drawn = DrawInPlace(event->region() & pixels & rect());
        if (drawn && pixels.contains(event->rect())) {
            return;
        }
        QPainter painter(this);
        if (!drawn) {
            const Surface& surface = Pixels();
            const QImage image(surface.Row0(), surface.Width(), surface.Height(), surface.Stride(),
                               QImage::Format_RGB32);
            PaintImage(painter, image, event->region() & image.rect());
        }
        // The rest of the area, right of and below the pixels.
        painter.fillRect(QRect(pixels.width(), 0, width() - pixels.width(), height()), palette().window());
        painter.fillRect(QRect(0, pixels.height(), pixels.width(), height() - pixels.height()),
                         palette().window());
    }
    void resizeEvent(QResizeEvent*) override { Fire(FieldAction::Resized, width(), height()); }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        Fire(FieldAction::PointerMoved, p.x(), p.y());
    }
    // Off the area the pointer names no tile.
    void leaveEvent(QEvent*) override { Fire(FieldAction::PointerMoved, -1, -1); }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            const QPoint p = event->position().toPoint();
            Fire(FieldAction::PointerPressed, p.x(), p.y());
        }
    }
    void wheelEvent(QWheelEvent* event) override {
        if (event->angleDelta().y() == 0) {
            event->ignore();  // sideways, for the view that scrolls the area
            return;
        }
        fire_({.field = field_, .action = FieldAction::Wheel, .value = event->angleDelta().y()});
    }

  private:
    void Fire(FieldAction action, int x, int y) {
        fire_({.field = field_, .action = action, .x = x, .y = y});
    }
    // Has the session draw the region in place. Nothing is written outside the region, which lies in the
    // area, nor outside the image.
    bool DrawInPlace(const QRegion& region) const {
        QPoint offset;
        QImage* image = PaintedImage(offset);
        if (image == nullptr) {
            return false;
        }
        for (const QRect& rect : region) {
            QRect shown;
            Surface surface = PartOf(*image, offset, rect, shown);
            if (!shown.isEmpty() &&
                !session_.DrawPixels(field_, surface,
                                     {shown.left(), shown.top(), shown.right() + 1, shown.bottom() + 1})) {
                return false;
            }
        }
        return true;
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

// The area in a view that scrolls it sideways. The session pages through the rows itself, so the area is as
// high as the view; tiles wider than the window lie in an area as wide as they are, scrolled with a bar
// below.
class SideScrolledArea : public QScrollArea {
  public:
    explicit SideScrolledArea(const FieldContext& context)
        : QScrollArea(&context.parent), area_(new PixelArea(context)) {
        setFrameShape(QFrame::NoFrame);
        // A click on the tiles, or Tab, gives the window's keys back to the tiles.
        setFocusPolicy(Qt::StrongFocus);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setMinimumSize(context.field.minimumSide, context.field.minimumSide);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setWidget(area_);
    }

    void Show() {
        area_->Show();
        FitArea();
    }

  protected:
    // The keys are the window's (the arrows step the start, the page keys scroll the rows), not the view's.
    void keyPressEvent(QKeyEvent* event) override { event->ignore(); }
    // Also told when the bar comes or goes and the view's height with it.
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        FitArea();
    }

  private:
    void FitArea() {
        area_->resize(std::max(area_->PixelsWidth(), viewport()->width()), viewport()->height());
    }

    PixelArea* area_;
};

// What a legend cell shows over its colour, in a pen that stands out from it: the entry's count, or a cross
// when no pixel uses it. Drawn once, with its edges smoothed, onto a clear image, and laid over the colour
// from there: a level click repaints a cell in a new colour, and laying the same text out and drawing it
// glyph by glyph each time was most of that repaint.
class CellMark {
  public:
    struct Look {
        std::int64_t uses = 0;
        bool counted = false;  // whether the count is written, which small cells have no room for
        bool light = false;    // a light pen, for a dark colour
        QSize size;
        qreal pixelRatio = 1;  // device pixels to a pixel of the widget's
        friend bool operator==(const Look&, const Look&) = default;
    };

    CellMark(const Look& look, const QFont& font)
        : look_(look), image_(look.size * look.pixelRatio, QImage::Format_ARGB32_Premultiplied) {
        if (image_.isNull()) {
            return;
        }
        image_.setDevicePixelRatio(look.pixelRatio);
        image_.fill(Qt::transparent);
        QPainter painter(&image_);
        painter.setPen(look.light ? Qt::white : Qt::black);
        painter.setFont(font);
        if (look.uses == 0) {
            painter.drawLine(0, 0, look.size.width() - 1, look.size.height() - 1);
        } else if (look.counted) {
            painter.drawText(QRect(QPoint(), look.size), Qt::AlignCenter, QString::number(look.uses));
        }
        painter.end();
        inked_ = Inked();
    }

    [[nodiscard]] const Look& Shows() const { return look_; }
    [[nodiscard]] const QImage& Image() const { return image_; }

    // Laid over a cell at (x, y) of the surface, its pixels cut to the surface.
    void LayOver(Surface& surface, int x, int y) const {
        const QRect under = inked_.translated(x, y) & QRect(0, 0, surface.Width(), surface.Height());
        for (int row = under.top(); row <= under.bottom(); ++row) {
            const auto* mark = reinterpret_cast<const QRgb*>(image_.constScanLine(row - y));
            std::uint8_t* out = surface.Row0() + row * surface.Stride() + std::ptrdiff_t{under.left()} * 4;
            for (int column = under.left(); column <= under.right(); ++column, out += 4) {
                const QRgb ink = mark[column - x];
                const int clear = 255 - qAlpha(ink);
                if (clear == 255) {
                    continue;
                }
                // Blue, green and red, each the ink's (already weighted by its cover) over what shows
                // through.
                out[0] = static_cast<std::uint8_t>(qBlue(ink) + (out[0] * clear + 127) / 255);
                out[1] = static_cast<std::uint8_t>(qGreen(ink) + (out[1] * clear + 127) / 255);
                out[2] = static_cast<std::uint8_t>(qRed(ink) + (out[2] * clear + 127) / 255);
            }
        }
    }

  private:
    // The smallest rectangle holding every pixel with ink.
    [[nodiscard]] QRect Inked() const {
        QRect inked;
        for (int y = 0; y < image_.height(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(image_.constScanLine(y));
            for (int x = 0; x < image_.width(); ++x) {
                if (qAlpha(row[x]) != 0) {
                    inked |= QRect(x, y, 1, 1);
                }
            }
        }
        return inked;
    }

    Look look_;
    QImage image_;
    QRect inked_;
};

// A palette line's colours, sixteen to a row, each with how many pixels use it; an unused colour is crossed
// out.
class ColourLegend : public DrawnInPlace {
  public:
    explicit ColourLegend(const FieldContext& context)
        : DrawnInPlace(&context.parent), session_(context.session), field_(context.index) {
        // Every pixel is painted below, the gaps between the cells too: the window need not paint its
        // background under a changed cell first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

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
        QPoint offset;
        if (QImage* image = PaintedImage(offset)) {
            for (const QRect& rect : event->region()) {
                QRect shown;
                Surface surface = PartOf(*image, offset, rect, shown);
                Draw(surface, shown);
            }
            return;
        }
        // Anywhere else (a grab, a screen of more device pixels than the widget's), the same through a
        // painter.
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().window());
        for (std::size_t i = 0; i < shown_.size(); ++i) {
            const QRect cell = Cell(i);
            if (event->region().intersects(cell)) {
                const Rgb c = shown_[i].colour.value_or(CheckerDark);
                painter.fillRect(cell, QColor(c.r, c.g, c.b));
                painter.drawImage(cell.topLeft(), Mark(i, c, painter.device()->devicePixelRatio()).Image());
            }
        }
    }

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange) {
            marks_.clear();
        }
        QWidget::changeEvent(event);
    }

  private:
    static constexpr int PerRow = 16;

    // In place: the cells over box, a rectangle of this widget's, drawn on surface, whose top left is box's.
    // The window's colour shows between them; a box within one cell, as a changed entry's is, needs none.
    void Draw(Surface& surface, const QRect& box) {
        const QRect shown(QPoint(), box.size());
        bool withinACell = false;
        for (std::size_t i = 0; i < shown_.size() && !withinACell; ++i) {
            withinACell = Cell(i).contains(box);
        }
        if (!withinACell) {
            surface.FillBox(RgbOf(palette().window().color()), 0, 0, box.width(), box.height());
        }
        for (std::size_t i = 0; i < shown_.size(); ++i) {
            const QRect cell = Cell(i).translated(-box.topLeft());
            if (!cell.intersects(shown)) {
                continue;
            }
            const Rgb c = shown_[i].colour.value_or(CheckerDark);
            surface.FillBox(c, cell.x(), cell.y(), cell.width(), cell.height());
            Mark(i, c, 1).LayOver(surface, cell.x(), cell.y());
        }
        (void)surface.TakeDirty();
    }

    // Entry i's mark over colour c, drawn again only when it changed.
    const CellMark& Mark(std::size_t i, Rgb c, qreal pixelRatio) {
        marks_.resize(shown_.size());
        const CellMark::Look look{shown_[i].uses, shown_.size() <= PerRow, (c.r + c.g + c.b) / 3 <= 128,
                                  Cell(i).size(), pixelRatio};
        std::unique_ptr<CellMark>& mark = marks_[i];
        if (mark == nullptr || mark->Shows() != look) {
            mark = std::make_unique<CellMark>(look, font());
        }
        return *mark;
    }
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
    std::vector<std::unique_ptr<CellMark>> marks_;
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
    return std::make_unique<ShownField<SideScrolledArea>>(context);
}

std::unique_ptr<FieldWidget> MakeLegend(const FieldContext& context) {
    return std::make_unique<ShownField<ColourLegend>>(context);
}

}  // namespace tintorb
