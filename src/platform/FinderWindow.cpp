#include "platform/FinderWindow.h"

#include <algorithm>
#include <utility>

#include "app/Generic.h"
#include "finder/SearchQuery.h"
#include "platform/Dispatcher.h"
#include "platform/FinderJob.h"
#include "platform/QtText.h"
#include "platform/WindowDialogs.h"

#include <QAbstractTableModel>
#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPainter>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QVBoxLayout>

namespace tintorb {

namespace {

enum Column { AddressColumn, LengthColumn, ColoursColumn, RatingColumn, NameColumn, ColumnCount };

constexpr qint64 QuietMs = 100;
constexpr int PollMs = 20;
constexpr int RescanDelayMs = 250;
constexpr int ProgressSteps = 1000;

// The strip of a palette's colours, read from the file as it is now, so that edits show at once.
class ColoursDelegate : public QStyledItemDelegate {
  public:
    ColoursDelegate(const TForm1& form, const FinderModel& model, QObject* parent)
        : QStyledItemDelegate(parent), form_(form), model_(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    const TForm1& form_;
    const FinderModel& model_;
};

}  // namespace

class FinderModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<FindRow> rows, bool searched) {
        beginResetModel();
        rows_ = std::move(rows);
        searched_ = searched;
        endResetModel();
        emit headerDataChanged(Qt::Horizontal, RatingColumn, RatingColumn);
    }
    [[nodiscard]] const FindRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

    [[nodiscard]] int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    [[nodiscard]] int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : ColumnCount;
    }
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        const FindRow& row = Row(index.row());
        if (role == Qt::TextAlignmentRole && index.column() == LengthColumn) {
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole) {
            return {};
        }
        switch (index.column()) {
            case AddressColumn:
                return ToQString(row.addressText);
            case LengthColumn:
                return row.length;
            case RatingColumn:
                return ToQString(row.rating);
            case NameColumn:
                return ToQString(row.title);
            default:
                return {};
        }
    }
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return QAbstractTableModel::headerData(section, orientation, role);
        }
        switch (section) {
            case AddressColumn:
                return tr("Address");
            case LengthColumn:
                return tr("Length");
            case ColoursColumn:
                return tr("Colours");
            case RatingColumn:
                return searched_ ? tr("Match") : tr("Score");
            default:
                return tr("Name");
        }
    }

  private:
    std::vector<FindRow> rows_;
    bool searched_ = false;
};

namespace {

void ColoursDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const FindRow& row = model_.Row(index.row());
    const QRect strip = option.rect.adjusted(2, 3, -2, -3);
    if (row.length <= 0 || strip.width() <= 0) {
        return;
    }
    // Whole pixels per entry, so every entry is as wide as the next; what is left stays blank.
    const int width = std::max(1, strip.width() / row.length);
    for (std::int32_t i = 0; i < row.length && width * i < strip.width(); ++i) {
        const Rgb c = DisplayColour(form_.State.ReadWordAt(row.address + 2 * std::int64_t{i}));
        painter->fillRect(strip.left() + width * i, strip.top(), width, strip.height(),
                          QColor(c.r, c.g, c.b));
    }
}

}  // namespace

FinderWindow::FinderWindow(QWidget& parent, TForm1& form, Dispatcher& dispatcher, WindowDialogs& dialogs)
    : QWidget(&parent, Qt::Tool),
      form_(form),
      dispatcher_(dispatcher),
      dialogs_(dialogs),
      session_(form, [](std::vector<std::uint8_t> bytes, FindJob::Work work) {
          return std::make_unique<FinderJob>(std::move(bytes), std::move(work));
      }) {
    setObjectName(QStringLiteral("findPalettes"));
    setWindowTitle(tr("Find Palettes"));
    // Creation order is tab order: the question, the rows, then the status row.
    QBoxLayout* top = BuildQuestionRow();
    BuildTable();
    QBoxLayout* bottom = BuildStatusRow();
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(table_);
    layout->addLayout(bottom);
    resize(620, 480);
    ConnectWork();
}

QBoxLayout* FinderWindow::BuildQuestionRow() {
    minimum_ = new QSpinBox(this);
    minimum_->setRange(1, MaxPalLength);
    minimum_->setValue(DefaultMinRun);
    auto* minimumLabel = new QLabel(tr("&Minimum length:"), this);
    minimumLabel->setBuddy(minimum_);
    auto* scan = new QPushButton(tr("S&can"), this);
    scan->setObjectName(QStringLiteral("scan"));
    connect(scan, &QPushButton::clicked, this, &FinderWindow::Scan);
    auto* search = new QPushButton(tr("&Search colours…"), this);
    auto* sources = new QMenu(search);
    fromClipboard_ = sources->addAction(tr("From the &Clipboard"));
    fromFile_ = sources->addAction(tr("From a &File…"));
    search->setMenu(sources);

    auto* row = new QHBoxLayout;
    row->addWidget(minimumLabel);
    row->addWidget(minimum_);
    row->addWidget(scan);
    row->addStretch();
    row->addWidget(search);
    return row;
}

void FinderWindow::BuildTable() {
    model_ = new FinderModel(this);
    table_ = new QTableView(this);
    table_->setModel(model_);
    table_->setItemDelegateForColumn(ColoursColumn, new ColoursDelegate(form_, *model_, table_));
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->horizontalHeader()->setStretchLastSection(true);
    for (const auto& [column, width] :
         {std::pair{AddressColumn, 80}, {LengthColumn, 56}, {ColoursColumn, 192}, {RatingColumn, 130}}) {
        table_->setColumnWidth(column, width);
    }
}

QBoxLayout* FinderWindow::BuildStatusRow() {
    status_ = new QLabel(this);
    progress_ = new QProgressBar(this);
    progress_->setRange(0, ProgressSteps);
    cancel_ = new QPushButton(tr("Cancel"), this);
    progress_->hide();
    cancel_->hide();
    // Names for the window tests.
    status_->setObjectName(QStringLiteral("status"));
    progress_->setObjectName(QStringLiteral("progress"));
    cancel_->setObjectName(QStringLiteral("cancel"));

    auto* row = new QHBoxLayout;
    row->addWidget(status_, 1);
    row->addWidget(progress_);
    row->addWidget(cancel_);
    return row;
}

void FinderWindow::ConnectWork() {
    // Stepping through lengths with the arrows scans once, for the length the steps end at.
    rescan_.setSingleShot(true);
    rescan_.setInterval(RescanDelayMs);
    connect(&rescan_, &QTimer::timeout, this, &FinderWindow::Scan);
    connect(minimum_, &QSpinBox::valueChanged, &rescan_, qOverload<>(&QTimer::start));
    connect(fromClipboard_, &QAction::triggered, this, &FinderWindow::SearchClipboard);
    connect(fromFile_, &QAction::triggered, this, &FinderWindow::SearchFile);
    connect(cancel_, &QPushButton::clicked, this, [this] {
        session_.Stop("Cancelled");
        Show();
    });
    connect(table_, &QTableView::activated, this,
            [this](const QModelIndex& index) { Activate(index.row()); });
    poll_.setInterval(PollMs);
    connect(&poll_, &QTimer::timeout, this, &FinderWindow::Poll);
}

FinderWindow::~FinderWindow() = default;

void FinderWindow::Open() {
    Raise();
    if (!session_.Listed() && !session_.Busy()) {
        Scan();
    }
}

void FinderWindow::OpenNames() {
    Raise();
    session_.ListNames();
    Show();
}

void FinderWindow::Raise() {
    show();
    raise();
    activateWindow();
    // Arrows and Enter go to the rows at once.
    table_->setFocus();
}

void FinderWindow::Clear() {
    session_.Clear();
    Show();
    if (isVisible()) {
        Scan();
    }
}

void FinderWindow::ShowNames() {
    session_.ShowNames();
    Show();
}

void FinderWindow::closeEvent(QCloseEvent* event) {
    session_.Stop();
    Show();
    QWidget::closeEvent(event);
}

void FinderWindow::Scan() {
    session_.Scan(minimum_->value());
    Started();
}

void FinderWindow::SearchClipboard() {
    dispatcher_.Fire([this] { Search(ParseQueryText(QGuiApplication::clipboard()->text().toStdString())); });
}

void FinderWindow::SearchFile() {
    if (const std::optional<std::string> path = dialogs_.RunQueryDialog()) {
        dispatcher_.Fire([&] { Search(ReadQueryFile(*path)); });
    }
}

void FinderWindow::Search(std::vector<ColourWord> query) {
    session_.Search(std::move(query));
    Started();
}

void FinderWindow::Started() {
    started_.start();
    poll_.start();
    Show();
}

void FinderWindow::Poll() {
    session_.Poll();
    if (!session_.Working()) {
        poll_.stop();
    }
    Show();
}

void FinderWindow::Show() {
    if (session_.RowsVersion() != shownRows_) {
        ShowRows();
    }
    status_->setText(ToQString(session_.Status()));
    minimum_->setEnabled(session_.MinimumApplies());
    // Work that ends this soon shows no progress bar: it would only flicker.
    const bool slow = session_.Busy() && started_.elapsed() > QuietMs;
    if (slow) {
        progress_->setValue(static_cast<int>(session_.Done() * ProgressSteps));
    }
    progress_->setVisible(slow);
    cancel_->setVisible(slow);
}

void FinderWindow::ShowRows() {
    shownRows_ = session_.RowsVersion();
    std::vector<FindRow> rows = session_.Rows();
    // The row the user was on stays current when the rows are listed again (with new names); in new
    // results the best one is, so that Enter goes to it. Nothing is located before the user asks.
    int current = 0;
    if (const QModelIndex was = table_->currentIndex(); was.isValid()) {
        const FindRow& row = model_->Row(was.row());
        const auto same = std::find_if(rows.begin(), rows.end(), [&](const FindRow& r) {
            return r.address == row.address && r.length == row.length;
        });
        current = same != rows.end() ? static_cast<int>(same - rows.begin()) : 0;
    }
    model_->SetRows(std::move(rows), session_.RowsSearched());
    table_->setCurrentIndex(model_->index(current, 0));
}

void FinderWindow::Activate(int row) {
    const FindRow found = model_->Row(row);
    dispatcher_.Fire([&] { form_.LocatePalette(found.address, found.length); });
}

}  // namespace tintorb
