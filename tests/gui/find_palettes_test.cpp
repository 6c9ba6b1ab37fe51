// SPDX-License-Identifier: GPL-3.0-or-later
// The Find Palettes tool window on the real window: its rows locate palettes, names and searches show in
// it, and a long scan runs beside the window with progress and Cancel.

#include "app/Commands.h"
#include "app/FinderPanel.h"
#include "model/NumberText.h"
#include "platform/ToolWindow.h"
#include "support/GuiSupport.h"
#include "views/BrowserView.h"
#include "views/PaletteView.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace tintorb::gui {

namespace {

constexpr int Even = 0x2468;  // beyond the first screen of the browser
constexpr int Odd = 0x101;
const std::vector<std::uint16_t> EvenPalette{0x0E2A, 0x0C46, 0x0A62, 0x088E, 0x06AA, 0x04C6, 0x02E2, 0x0E0E,
                                             0x0C28, 0x0A44, 0x0860, 0x068C, 0x04A8, 0x02C4, 0x00E0, 0x0EEC};
const std::vector<std::uint16_t> OddPalette{0x0246, 0x0468, 0x068A, 0x08AC, 0x0ACE, 0x0CE2, 0x0E24, 0x0442};

QString WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

// The cell of a row in a column, invalid when no row has that address.
QModelIndex RowAt(const QTableView* table, std::int64_t address, int column = 0) {
    const QAbstractItemModel* model = table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data().toString() == QString::fromStdString(AddressText(address))) {
            return model->index(row, column);
        }
    }
    return {};
}

// The boxes, the palette view and the browser all show the palette at address.
void CheckShown(const GuiWindow& w, int address, const std::vector<std::uint16_t>& words) {
    const EditorState& state = w.Form().State;
    QCOMPARE(state.PalAddress, address);
    QCOMPARE(state.PalLength, static_cast<int>(words.size()));
    QCOMPARE(w.TextOf(Ctl::editAddress), QString::fromStdString(AddressText(address)));
    QVERIFY(state.BrowserOffset <= address &&
            address + 2 * state.PalLength <= state.BrowserOffset + 2 * BrowserCells);
    const QImage shown = w.Grab();
    const int last = state.PalLength - 1;
    const QPoint lastCell = GuiWindow::At(Ctl::areaPal, PaletteCellWidth * (last % PaletteColumns) + 5,
                                          PaletteCellHeight * (last / PaletteColumns) + 5);
    QCOMPARE(shown.pixelColor(GuiWindow::At(Ctl::areaPal, 5, 5)), ColourOf(DisplayColour(words.front())));
    QCOMPARE(shown.pixelColor(lastCell), ColourOf(DisplayColour(words.back())));
    // An odd palette's words straddle the browser's cells.
    const int cell = (address - state.BrowserOffset) / 2;
    const QPoint inBrowser = GuiWindow::At(Ctl::areaBrowser, BrowserCellSize * (cell % BrowserColumns) + 8,
                                           BrowserCellSize * (cell / BrowserColumns) + 8);
    QVERIFY(address % 2 != 0 || shown.pixelColor(inBrowser) == ColourOf(DisplayColour(words.front())));
}

}  // namespace

class FindPalettesTest : public QObject {
    Q_OBJECT

  private slots:
    void rowsLocateNamesAndSearchesShow();
    void aLongScanRunsBesideTheWindow();
};

void FindPalettesTest::rowsLocateNamesAndSearchesShow() {
    QTemporaryDir dir;
    GuiWindow w;
    QByteArray rom(0x4000, '\xFF');  // invalid words everywhere but the two palettes
    rom.replace(Even, 2 * EvenPalette.size(), WordBytes(EvenPalette));
    rom.replace(Odd, 2 * OddPalette.size(), WordBytes(OddPalette));
    const QString path = WriteFile(dir.filePath(QStringLiteral("rom.bin")), rom);
    w.AnswerOpen(path);
    w.Window().ActionOf(Command::Load)->trigger();

    // The command's key reaches the window from a text box too.
    w.Key(Ctl::editAddress, Qt::Key_F, Qt::ControlModifier);
    ToolWindow* finder = w.Window().Finder();
    QVERIFY(finder != nullptr && finder->isVisible());
    const FindSession& session = *w.Window().FinderSession();
    QTRY_VERIFY(!session.Busy());
    auto* table = qobject_cast<QTableView*>(finder->FieldWidget(FinderPanel::Table));
    QCOMPARE(table->model()->rowCount(), 2);

    // A double click on a row, and Enter on another.
    QTest::mouseDClick(finder->windowHandle(), Qt::LeftButton, {},
                       table->viewport()->mapTo(finder, table->visualRect(RowAt(table, Even)).center()));
    CheckShown(w, Even, EvenPalette);
    QCOMPARE(w.TextOf(Ctl::menuLength), QStringLiteral("$10"));
    table->setCurrentIndex(RowAt(table, Odd));
    QTest::keyClick(table, Qt::Key_Return);
    CheckShown(w, Odd, OddPalette);

    w.AnswerTitle(QStringLiteral("Odd one"));
    w.Key(Ctl::memoASM, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(RowAt(table, Odd, 4).data().toString(), QStringLiteral("Odd one"));
    w.Click(GuiWindow::At(Ctl::areaBrowser, 2, 2));
    emit w.Window().NamedMenu()->aboutToShow();
    w.Window().NamedMenu()->actions().front()->trigger();
    CheckShown(w, Odd, OddPalette);

    QString listing;
    for (const std::uint16_t word : EvenPalette) {
        listing += QStringLiteral("$%1\n").arg(word, 4, 16, QLatin1Char('0'));
    }
    QGuiApplication::clipboard()->setText(listing);
    finder->Action(FinderPanel::SearchButton, FinderPanel::FromClipboard)->trigger();
    QTRY_VERIFY(!session.Busy());
    QCOMPARE(RowAt(table, Even, 3).data().toString(), QStringLiteral("entries 0–15, exact"));

    // Loading the file again lists its palettes afresh, with the name kept beside it.
    w.AnswerOpen(path);
    w.Window().ActionOf(Command::Load)->trigger();
    QTRY_VERIFY(!session.Busy() && table->model()->rowCount() == 2);
    QCOMPARE(RowAt(table, Odd, 4).data().toString(), QStringLiteral("Odd one"));
    QVERIFY(w.DialogsDone());
}

void FindPalettesTest::aLongScanRunsBesideTheWindow() {
    // 64 MiB of valid colour words drawn at random: one run that the scan cuts into a million palettes,
    // slow enough in any build to show the progress bar.
    QByteArray bytes(64 << 20, '\0');
    std::uint32_t seed = 1;
    for (qsizetype i = 0; i < bytes.size(); i += 2) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = static_cast<char>((seed >> 24) & 0x0E);
        bytes[i + 1] = static_cast<char>((seed >> 16) & 0xEE);
    }
    QTemporaryDir dir;
    GuiWindow w;
    w.AnswerOpen(WriteFile(dir.filePath(QStringLiteral("big.bin")), bytes));
    w.Window().ActionOf(Command::Load)->trigger();

    w.Window().ActionOf(Command::FindPalettes)->trigger();
    ToolWindow* finder = w.Window().Finder();
    const FindSession& session = *w.Window().FinderSession();
    auto* cancel = finder->findChild<QPushButton*>(QStringLiteral("cancel"));
    QTRY_VERIFY(cancel->isVisible());
    w.Click(GuiWindow::At(Ctl::areaBrowser, 16 * 3 + 2, 2));  // the window answers meanwhile
    QCOMPARE(w.Form().State.PalAddress, 6);
    QVERIFY(session.Busy());
    cancel->click();
    QVERIFY(!session.Busy() && !cancel->isVisible());
    QCOMPARE(finder->findChild<QTableView*>()->model()->rowCount(), 0);
    QCOMPARE(finder->findChild<QLabel*>(QStringLiteral("status"))->text(), QStringLiteral("Cancelled"));

    // The program ends during a scan: the work stops with it.
    finder->findChild<QPushButton*>(QStringLiteral("scan"))->click();
    QVERIFY(session.Busy());
}

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::FindPalettesTest)
#include "find_palettes_test.moc"
