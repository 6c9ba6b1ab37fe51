// The Find Palettes tool window on the real window: its rows locate palettes, names and searches show in
// it, and a long scan runs beside the window with progress and Cancel.

#include <vector>

#include "app/Commands.h"
#include "model/NumberText.h"
#include "platform/FinderWindow.h"
#include "support/GuiSupport.h"
#include "support/PlantedFile.h"
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

constexpr std::int64_t Even = 0x2468;  // beyond the first screen of the browser
constexpr std::int64_t Odd = 0x101;
const std::vector<std::uint16_t> EvenPalette{0x0E2A, 0x0C46, 0x0A62, 0x088E, 0x06AA, 0x04C6, 0x02E2, 0x0E0E,
                                             0x0C28, 0x0A44, 0x0860, 0x068C, 0x04A8, 0x02C4, 0x00E0, 0x0EEC};
const std::vector<std::uint16_t> OddPalette{0x0246, 0x0468, 0x068A, 0x08AC, 0x0ACE, 0x0CE2, 0x0E24, 0x0442};

QString WriteFile(const QString& path, const std::vector<std::uint8_t>& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size())) !=
            static_cast<qsizetype>(bytes.size())) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

// Invalid words everywhere but the two palettes.
QString WriteRom(const QString& path) {
    std::vector<std::uint8_t> bytes(0x4000, 0xFF);
    const auto plant = [&](std::int64_t at, const std::vector<std::uint16_t>& words) {
        test::Plant(bytes, static_cast<std::size_t>(at), std::vector<ColourWord>(words.begin(), words.end()));
    };
    plant(Even, EvenPalette);
    plant(Odd, OddPalette);
    return WriteFile(path, bytes);
}

// The index of the row at address in a column, invalid when no row has it.
QModelIndex RowAt(const QTableView* table, std::int64_t address, int column = 0) {
    const QAbstractItemModel* model = table->model();
    for (int row = 0; row < model->rowCount(); ++row) {
        if (model->index(row, 0).data().toString() == QString::fromStdString(AddressText(address))) {
            return model->index(row, column);
        }
    }
    return {};
}

// The palette view and the browser both show the palette at address.
void CheckShown(const GuiWindow& w, std::int64_t address, const std::vector<std::uint16_t>& words) {
    const EditorState& state = w.Form().State;
    QCOMPARE(state.PalAddress, address);
    QCOMPARE(state.PalLength, static_cast<int>(words.size()));
    QCOMPARE(w.TextOf(Ctl::editAddress), QString::fromStdString(AddressText(address)));
    QVERIFY(state.BrowserOffset <= address &&
            address + 2 * std::int64_t(words.size()) <= state.BrowserOffset + 2 * BrowserCells);
    const QImage shown = w.Grab();
    const Rect pal = RectOf(Ctl::areaPal);
    const Rect browser = RectOf(Ctl::areaBrowser);
    const std::int64_t cell = (address - state.BrowserOffset) / 2;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const QColor colour = ColourOf(DisplayColour(words[i]));
        QCOMPARE(
            shown.pixelColor(pal.left + PaletteCellWidth * (int(i) % PaletteColumns) + PaletteCellWidth / 2,
                             pal.top + PaletteCellHeight * (int(i) / PaletteColumns) + PaletteCellHeight / 2),
            colour);
        // Even words fill browser cells; an odd palette's words straddle them.
        if (address % 2 == 0) {
            const std::int64_t c = cell + std::int64_t(i);
            QCOMPARE(shown.pixelColor(browser.left + int(c % BrowserColumns) * BrowserCellSize + 8,
                                      browser.top + int(c / BrowserColumns) * BrowserCellSize + 8),
                     colour);
        }
    }
}

}  // namespace

class FinderTest : public QObject {
    Q_OBJECT

  private slots:
    void rowsLocateNamesAndSearchesShow();
    void aLongScanRunsBesideTheWindow();
};

void FinderTest::rowsLocateNamesAndSearchesShow() {
    QTemporaryDir dir;
    GuiWindow w;
    const QString path = WriteRom(dir.filePath(QStringLiteral("rom.bin")));
    w.AnswerOpen(path);
    w.Window().ActionOf(Command::Load)->trigger();

    // The command's key reaches the window from a text box too.
    w.Key(Ctl::editAddress, Qt::Key_F, Qt::ControlModifier);
    FinderWindow* finder = w.Window().Finder();
    QVERIFY(finder != nullptr && finder->isVisible());
    QTRY_VERIFY(!finder->Busy());
    QTableView* table = finder->Table();
    QCOMPARE(table->model()->rowCount(), 2);

    // A double click on a row, and Enter on another.
    const QModelIndex even = RowAt(table, Even);
    QTest::mouseDClick(finder->windowHandle(), Qt::LeftButton, {},
                       table->viewport()->mapTo(finder, table->visualRect(even).center()));
    CheckShown(w, Even, EvenPalette);
    QCOMPARE(w.TextOf(Ctl::menuLength), QStringLiteral("$10"));
    table->setFocus();
    table->setCurrentIndex(RowAt(table, Odd));
    QTest::keyClick(table, Qt::Key_Return);
    CheckShown(w, Odd, OddPalette);

    w.AnswerTitle(QStringLiteral("Odd one"));
    w.Key(Ctl::memoASM, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(RowAt(table, Odd, 4).data().toString(), QStringLiteral("Odd one"));
    QCOMPARE(w.Window().NamedMenu()->actions().size(), 1);
    w.Window().NamedMenu()->actions().front()->trigger();
    CheckShown(w, Odd, OddPalette);

    // The even palette's listing, searched for from the clipboard.
    std::string listing;
    for (const std::uint16_t word : EvenPalette) {
        listing += "$" + HexText(word, 4) + "\n";
    }
    QGuiApplication::clipboard()->setText(QString::fromStdString(listing));
    finder->SearchClipboardAction()->trigger();
    QTRY_VERIFY(!finder->Busy());
    QCOMPARE(RowAt(table, Even, 3).data().toString(), QStringLiteral("entries 0–15, exact"));

    // Loading the file again lists its palettes afresh, with the name kept beside it.
    w.AnswerOpen(path);
    w.Window().ActionOf(Command::Load)->trigger();
    QTRY_VERIFY(!finder->Busy());
    QCOMPARE(table->model()->rowCount(), 2);
    QCOMPARE(RowAt(table, Odd, 4).data().toString(), QStringLiteral("Odd one"));
    QVERIFY(w.DialogsDone());
}

void FinderTest::aLongScanRunsBesideTheWindow() {
    QTemporaryDir dir;
    GuiWindow w;
    // 64 MiB of valid colour words, each drawn at random: one run that the scan cuts into a million
    // palettes, slow enough in any build to show the progress bar.
    std::vector<std::uint8_t> bytes(std::size_t{64} << 20);
    std::uint32_t seed = 1;
    for (std::size_t i = 0; i < bytes.size(); i += 2) {
        seed = seed * 1664525u + 1013904223u;
        bytes[i] = static_cast<std::uint8_t>((seed >> 24) & 0x0E);
        bytes[i + 1] = static_cast<std::uint8_t>((seed >> 16) & 0xEE);
    }
    w.AnswerOpen(WriteFile(dir.filePath(QStringLiteral("big.bin")), bytes));
    w.Window().ActionOf(Command::Load)->trigger();

    w.Window().ActionOf(Command::FindPalettes)->trigger();
    FinderWindow* finder = w.Window().Finder();
    auto* cancel = finder->findChild<QPushButton*>(QStringLiteral("cancel"));
    QTRY_VERIFY(cancel->isVisible());
    // The window answers meanwhile.
    w.Click(GuiWindow::At(Ctl::areaBrowser, 16 * 3 + 2, 2));
    QCOMPARE(w.Form().State.PalAddress, 6);
    QVERIFY(finder->Busy());
    cancel->click();
    QVERIFY(!finder->Busy() && !cancel->isVisible());
    QCOMPARE(finder->Table()->model()->rowCount(), 0);
    QCOMPARE(finder->findChild<QLabel*>(QStringLiteral("status"))->text(), QStringLiteral("Cancelled"));

    // Closing the program during a scan stops it.
    finder->findChild<QPushButton*>(QStringLiteral("scan"))->click();
    QVERIFY(finder->Busy());
}

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::FinderTest)
#include "finder_test.moc"
