// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TilesWindow.h"

#include <algorithm>
#include <array>
#include <string>
#include <utility>

#include "app/Dispatcher.h"
#include "app/TilesSession.h"
#include "model/EditorState.h"
#include "model/NumberText.h"
#include "platform/QtText.h"
#include "platform/SurfaceView.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QHBoxLayout>
#include <QImage>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWheelEvent>

namespace tintorb {

// The tile area: the session's pixels, unscaled; the pointer and the wheel go to the session.
class TilesArea : public QWidget {
  public:
    TilesArea(TilesSession& session, Dispatcher& dispatcher, QWidget* parent)
        : QWidget(parent), session_(session), dispatcher_(dispatcher) {
        setMouseTracking(true);
        setMinimumSize(256, 256);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
        setObjectName(QStringLiteral("tileArea"));
        // Every pixel is painted below, so nothing need be cleared first.
        setAttribute(Qt::WA_OpaquePaintEvent);
    }

    // Repaints the session's pixels that changed, and where they shrank, the area they left.
    void Show() {
        const Surface& pixels = session_.Pixels();
        const QSize size(pixels.Width(), pixels.Height());
        const DirtyRegion changed = session_.TakeChanged();
        if (size != shownSize_) {
            update(QRect(QPoint(0, 0), size.expandedTo(shownSize_)));
            shownSize_ = size;
            return;
        }
        for (const PixelBox& box : changed.Boxes()) {
            update(box.left, box.top, box.Width(), box.Height());
        }
    }

  protected:
    void paintEvent(QPaintEvent* event) override {
        QPainter painter(this);
        const Surface& pixels = session_.Pixels();
        const QImage image(pixels.Row0(), pixels.Width(), pixels.Height(), pixels.Stride(),
                           QImage::Format_RGB32);
        PaintImage(painter, image, event->region() & image.rect());
        // The rest of the area, right of and below the tiles.
        painter.fillRect(QRect(image.width(), 0, width() - image.width(), height()), palette().window());
        painter.fillRect(QRect(0, image.height(), image.width(), height() - image.height()),
                         palette().window());
    }
    void resizeEvent(QResizeEvent*) override {
        Fire([this] { session_.SetViewport(width(), height()); });
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        const QPoint p = event->position().toPoint();
        Fire([this, p] { session_.Hover(p.x(), p.y()); });
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            const QPoint p = event->position().toPoint();
            Fire([this, p] { session_.Click(p.x(), p.y()); });
        }
    }
    void wheelEvent(QWheelEvent* event) override {
        Fire([this, angle = event->angleDelta().y()] { session_.Wheel(angle); });
    }

  private:
    template <class Call>
    void Fire(Call&& call) {
        dispatcher_.Fire(std::forward<Call>(call));
    }

    TilesSession& session_;
    Dispatcher& dispatcher_;
    QSize shownSize_;
};

// The shown line's colours, sixteen to a row, each with how many pixels use it; an unused colour is crossed
// out.
class TilesLegend : public QWidget {
  public:
    TilesLegend(TilesSession& session, QWidget* parent) : QWidget(parent), session_(session) {}

    // Repaints the entries whose colour or count changed (a level click changes one); the height the
    // entries take follows their number (a line of 256 entries gets small cells without counts).
    void Show() {
        std::vector<LegendEntry> legend = session_.Legend();
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

    TilesSession& session_;
    std::vector<LegendEntry> shown_;
};

TilesWindow::TilesWindow(QWidget& parent, TilesSession& session, Dispatcher& dispatcher)
    : QWidget(&parent, Qt::Tool), session_(session), dispatcher_(dispatcher) {
    setObjectName(QStringLiteral("tiles"));
    setWindowTitle(tr("Tiles"));
    BuildControls();
    Wire();
    resize(600, 640);
}

// The boxes go after this part of the window: a box losing its focus as it goes must not reach the session.
TilesWindow::~TilesWindow() {
    for (QObject* child : children()) {
        child->disconnect(this);
    }
}

void TilesWindow::Call(const std::function<void()>& call) {
    dispatcher_.Fire(call);
}

QWidget* TilesWindow::Area() const {
    return area_;
}

void TilesWindow::BuildControls() {
    codec_ = new QComboBox(this);
    for (const TileCodec& codec : TileCodecs()) {
        codec_->addItem(ToQString(codec.name));
    }
    address_ = new QLineEdit(this);
    address_->setObjectName(QStringLiteral("tileAddress"));
    address_->setMinimumWidth(address_->fontMetrics().horizontalAdvance(QStringLiteral("$00000000")) + 16);
    columns_ = new QSpinBox(this);
    columns_->setRange(1, MaxTileColumns);
    order_ = new QComboBox(this);
    for (const auto& order : TileOrders) {
        order_->addItem(ToQString(TileOrderText(order)));
    }
    line_ = new QSpinBox(this);
    line_->setRange(0, MaxPalLength - 1);
    zoom_ = new QSpinBox(this);
    zoom_->setRange(1, MaxTileZoom);
    zoom_->setSuffix(QStringLiteral("×"));
    transparent_ = new QCheckBox(tr("Index 0 &transparent"), this);
    area_ = new TilesArea(session_, dispatcher_, this);
    bar_ = new QScrollBar(Qt::Vertical, this);
    legend_ = new TilesLegend(session_, this);
    hover_ = new QLabel(this);
    status_ = new QLabel(this);
    status_->setObjectName(QStringLiteral("status"));
    status_->setWordWrap(true);
    auto* exportPng = new QPushButton(tr("&Export Tiles as PNG…"), this);
    connect(exportPng, &QPushButton::clicked, this, [this] { Call([this] { session_.ExportPng(); }); });

    auto* settings = new QHBoxLayout;
    for (const auto& [label, widget] : {std::pair{tr("&Codec:"), static_cast<QWidget*>(codec_)},
                                        {tr("&Start:"), address_},
                                        {tr("C&olumns:"), columns_},
                                        {tr("&Order:"), order_},
                                        {tr("&Line:"), line_},
                                        {tr("&Zoom:"), zoom_}}) {
        auto* name = new QLabel(label, this);
        name->setBuddy(widget);
        settings->addWidget(name);
        settings->addWidget(widget);
    }
    auto* tiles = new QHBoxLayout;
    tiles->addWidget(area_, 1);
    tiles->addWidget(bar_);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(transparent_);
    bottom->addWidget(hover_, 1);
    bottom->addWidget(exportPng);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addLayout(tiles, 1);
    layout->addWidget(legend_);
    layout->addLayout(bottom);
    layout->addWidget(status_);
}

void TilesWindow::Wire() {
    const auto call = [this](auto&& change) {
        return [this, change](auto value) {
            if (!showing_) {
                Call([change, value] { change(value); });
            }
        };
    };
    connect(codec_, &QComboBox::currentTextChanged, this,
            call([this](const QString& name) { session_.SetCodec(name.toStdString()); }));
    connect(address_, &QLineEdit::editingFinished, this,
            [this] { Call([this] { session_.SetAddress(address_->text().toStdString()); }); });
    connect(columns_, &QSpinBox::valueChanged, this, call([this](int n) { session_.SetColumns(n); }));
    connect(order_, &QComboBox::currentIndexChanged, this, call([this](int i) {
                const auto [width, height] = TileOrders[static_cast<std::size_t>(std::max(i, 0))];
                session_.SetOrder(width, height);
            }));
    connect(line_, &QSpinBox::valueChanged, this, call([this](int n) { session_.SetLine(n); }));
    connect(zoom_, &QSpinBox::valueChanged, this, call([this](int n) { session_.SetZoom(n); }));
    connect(transparent_, &QCheckBox::toggled, this,
            call([this](bool on) { session_.SetTransparentZero(on); }));
    connect(bar_, &QScrollBar::valueChanged, this, call([this](int row) { session_.ScrollTo(row); }));
}

void TilesWindow::Present() {
    ShowSettings();
    hover_->setText(ToQString(session_.HoverText()));
    status_->setText(ToQString(session_.Status()));
    area_->Show();
    legend_->Show();
}

// The boxes as the session holds them; the scroll bar counts rows of tiles.
void TilesWindow::ShowSettings() {
    showing_ = true;
    const TilesSettings& s = session_.Settings();
    const QString codec = ToQString(s.codec);
    if (codec_->currentText() != codec) {
        codec_->setCurrentText(codec);
    }
    // Line and spin boxes repaint on any set, the same value included, and this runs on every edit.
    const QString address = ToQString(AddressText(s.start));
    if (!address_->hasFocus() && address_->text() != address) {
        address_->setText(address);
    }
    for (const auto& [box, value] :
         {std::pair{columns_, s.layout.columns}, {line_, s.line}, {zoom_, s.zoom}}) {
        if (box->value() != value) {
            box->setValue(value);
        }
    }
    order_->setCurrentIndex(session_.OrderIndex());
    transparent_->setChecked(s.transparentZero);
    bar_->setRange(0, static_cast<int>(std::min<std::int64_t>(session_.LastFirstRow(), INT32_MAX)));
    bar_->setPageStep(session_.PageRows());
    bar_->setValue(static_cast<int>(std::min<std::int64_t>(session_.FirstRow(), INT32_MAX)));
    showing_ = false;
}

void TilesWindow::keyPressEvent(QKeyEvent* event) {
    static constexpr std::array<std::pair<int, TilesKey>, 4> Keys{{{Qt::Key_Left, TilesKey::Left},
                                                                   {Qt::Key_Right, TilesKey::Right},
                                                                   {Qt::Key_PageUp, TilesKey::PageUp},
                                                                   {Qt::Key_PageDown, TilesKey::PageDown}}};
    for (const auto& key : Keys) {
        if (event->key() == key.first) {
            return Call([this, key] { session_.Press(key.second); });
        }
    }
    QWidget::keyPressEvent(event);
}

void TilesWindow::closeEvent(QCloseEvent* event) {
    session_.Close();
    QWidget::closeEvent(event);
}

}  // namespace tintorb
