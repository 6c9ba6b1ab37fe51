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
#include "platform/SurfaceView.h"
#include "tiles/TileSheet.h"

#include <QImage>
#include <QMouseEvent>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QTextLayout>
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
    // Has the session draw the region straight into the image this paint event paints on (the window's
    // backing store), where its pixels are this program's and one to a pixel: no copy of the session's
    // surface, and no painter. Nothing is written outside the region, which lies in the area, nor outside the
    // image.
    bool DrawInPlace(const QRegion& region) const {
        QPoint offset;
        QImage* image = PaintedImage(offset);
        if (image == nullptr) {
            return false;
        }
        for (const QRect& rect : region) {
            const QRect target = rect.translated(-offset) & image->rect();
            if (target.isEmpty()) {
                continue;
            }
            Surface surface(image->bits() + target.top() * image->bytesPerLine() + target.left() * 4,
                            image->bytesPerLine(), target.width(), target.height());
            const QRect shown = target.translated(offset);
            if (!session_.DrawPixels(field_, surface,
                                     {shown.left(), shown.top(), shown.right() + 1, shown.bottom() + 1})) {
                return false;
            }
        }
        return true;
    }
    // The image a painter of this paint event would paint on, at offset from this area's top left, where its
    // pixels are laid out as a Surface's.
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
        setFocusPolicy(Qt::NoFocus);
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

// A count laid out once as QPainter::drawText lays out its text on every call: a legend cell repainted in its
// entry's new colour draws the same count again without laying it out anew, which was most of the repaint.
class CountText {
  public:
    CountText(const QString& text, const QFont& font) : layout_(text, font) {
        QTextOption option;
        option.setWrapMode(QTextOption::ManualWrap);
        option.setFlags(QTextOption::IncludeTrailingSpaces);
        layout_.setTextOption(option);
        layout_.setCacheEnabled(true);
        layout_.beginLayout();
        line_ = layout_.createLine();
        line_.setLineWidth(0x01000000);
        line_.setPosition({0, 0});
        layout_.endLayout();
    }

    // The pixels drawText(cell, Qt::AlignCenter, text) draws: centred, and cut to the cell.
    void Draw(QPainter& painter, const QRect& cell) const {
        const QSizeF size(line_.horizontalAdvance(), line_.height());
        const bool cut = size.width() > cell.width() || size.height() > cell.height();
        if (cut) {
            painter.setClipRect(cell);
        }
        line_.draw(&painter, {cell.x() + (cell.width() - size.width()) / 2,
                              cell.y() + (cell.height() - size.height()) / 2});
        if (cut) {
            painter.setClipping(false);
        }
    }

  private:
    QTextLayout layout_;
    QTextLine line_;
};

// A palette line's colours, sixteen to a row, each with how many pixels use it; an unused colour is crossed
// out.
class ColourLegend : public QWidget {
  public:
    explicit ColourLegend(const FieldContext& context)
        : QWidget(&context.parent), session_(context.session), field_(context.index) {
        // Every pixel is painted below, the gaps between the cells too: the window need not paint its
        // background under a changed cell first.
        setAttribute(Qt::WA_OpaquePaintEvent);
        // The counts are digits, which need no text shaping: shaping was most of the cost of repainting a
        // cell.
        QFont digits = font();
        digits.setStyleStrategy(QFont::PreferNoShaping);
        setFont(digits);
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
        QPainter painter(this);
        painter.fillRect(event->rect(), palette().window());
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
                Count(i).Draw(painter, cell);
            }
        }
    }

    void changeEvent(QEvent* event) override {
        if (event->type() == QEvent::FontChange) {
            counts_.clear();
        }
        QWidget::changeEvent(event);
    }

  private:
    static constexpr int PerRow = 16;
    // Entry i's count, laid out again only when it changed.
    const CountText& Count(std::size_t i) {
        counts_.resize(shown_.size());
        auto& [uses, text] = counts_[i];
        if (text == nullptr || uses != shown_[i].uses) {
            uses = shown_[i].uses;
            text = std::make_unique<CountText>(QString::number(uses), font());
        }
        return *text;
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
    std::vector<std::pair<std::int64_t, std::unique_ptr<CountText>>> counts_;
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
