// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FinderWindow.h"

#include <algorithm>
#include <utility>

#include "app/Dispatcher.h"
#include "app/Generic.h"
#include "finder/SearchQuery.h"
#include "platform/FinderJob.h"
#include "platform/FinderTable.h"
#include "platform/QtText.h"
#include "platform/WindowDialogs.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QVBoxLayout>

namespace tintorb {

namespace {

constexpr qint64 QuietMs = 100;
constexpr int PollMs = 20;
constexpr int RescanDelayMs = 250;
constexpr int ProgressSteps = 1000;

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
    if (session_.Open(minimum_->value())) {
        Started();
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

void FinderWindow::FileChanged() {
    session_.FileChanged();
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
    const QModelIndex was = table_->currentIndex();
    const int current = RowToKeep(session_.Rows(), was.isValid() ? &model_->Row(was.row()) : nullptr);
    model_->SetRows(session_.Rows(), session_.RowsSearched());
    table_->setCurrentIndex(model_->index(current, 0));
}

void FinderWindow::Activate(int row) {
    const FindRow found = model_->Row(row);
    dispatcher_.Fire([&] { form_.LocatePalette(found.address, found.length); });
}

}  // namespace tintorb
