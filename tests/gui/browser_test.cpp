// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a file in the real window: its words as browser cells, the caption, and paging through it.

#include <cstdint>
#include <random>
#include <vector>

#include "model/ColourWord.h"
#include "support/GuiSupport.h"
#include "views/BrowserView.h"

#include <QDir>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

namespace tintorb::gui {

namespace {

[[nodiscard]] QString WriteWords(const QTemporaryDir& dir, const std::vector<std::uint16_t>& words) {
    return WriteWordsFile(dir.filePath(QStringLiteral("rom.bin")), words);
}

// A valid colour word of its own for every word index.
[[nodiscard]] std::uint16_t NumberedWord(int i) {
    return static_cast<std::uint16_t>((i * 2) & 0x0EEE);
}

// Client point (dx, dy) inside browser cell i.
[[nodiscard]] QPoint CellPoint(int i, int dx = 8, int dy = 8) {
    return GuiWindow::At(Ctl::areaBrowser, BrowserCellSize * (i % BrowserColumns) + dx,
                         BrowserCellSize * (i / BrowserColumns) + dy);
}

void Open(GuiWindow& w, const QString& path) {
    w.AnswerOpen(path);
    w.Click(Ctl::btnLoad);
}

// Whether every cell of the grid shows the numbered word at byte offset top + 2i.
[[nodiscard]] bool ShowsNumberedWordsFrom(const QImage& image, int top) {
    for (int i = 0; i < BrowserCells; ++i) {
        const QColor expected = ColourOf(DisplayColour(NumberedWord(top / 2 + i)));
        if (image.pixelColor(CellPoint(i, 0, 0)) != expected ||
            image.pixelColor(CellPoint(i, 15, 15)) != expected) {
            qWarning("cell %d of the grid at $%X is not the file's word", i, top);
            return false;
        }
    }
    return true;
}

}  // namespace

class BrowserTest : public QObject {
    Q_OBJECT

  private slots:
    void OpeningAFileShowsItsWordsAsCells() {
        QTemporaryDir dir;
        GuiWindow w;
        const QString path = WriteWords(dir, {0x0EEE, 0x1234, 0x000E, 0x0E00, 0x0222});
        Open(w, path);

        QCOMPARE(w.ShownCaption(), QStringLiteral("Tintorb 2.1 - ") + path);
        const QImage image = w.Grab();
        QCOMPARE(image.pixelColor(CellPoint(0)), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(CellPoint(1, 3, 0)), QColor(64, 64, 64));
        QCOMPARE(image.pixelColor(CellPoint(1, 3, 1)), QColor(128, 128, 128));
        QCOMPARE(image.pixelColor(CellPoint(2, 15, 15)), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(CellPoint(3)), QColor(0, 0, 255));
        QCOMPARE(image.pixelColor(CellPoint(4)), QColor(52, 52, 52));
        QCOMPARE(image.pixelColor(CellPoint(5)), ColourOf(BackgroundColour));
        QCOMPARE(w.TextOf(Ctl::lblBrowser), QStringLiteral("Top Left: $0"));
        QVERIFY(!w.Widget(Ctl::barBrowser)->isEnabled());

        w.Click(Ctl::chkInvalid);
        QCOMPARE(w.Pixel(CellPoint(1).x(), CellPoint(1).y()), QColor(87, 52, 52));

        w.Move(CellPoint(4));
        QCOMPARE(w.TextOf(Ctl::lblBrowserMouse), QStringLiteral("Under Mouse: $8"));
        w.Move(CellPoint(5));
        QCOMPARE(w.TextOf(Ctl::lblBrowserMouse), QStringLiteral("Under Mouse: x"));
        QVERIFY(w.DialogsDone());
    }

    void TheScrollBarPagesThroughTheFile() {
        QTemporaryDir dir;
        GuiWindow w;
        std::vector<std::uint16_t> words;
        for (int i = 0; i < 32768; ++i) {
            words.push_back(NumberedWord(i));
        }
        Open(w, WriteWords(dir, words));

        auto* bar = w.WidgetAs<QScrollBar>(Ctl::barBrowser);
        QVERIFY(bar->isEnabled());
        QCOMPARE(bar->maximum(), 992);
        QVERIFY(ShowsNumberedWordsFrom(w.Grab(), 0));

        // A click on the trough below the handle moves one page of 32 rows.
        w.Click(GuiWindow::At(Ctl::barBrowser, 8, RectOf(Ctl::barBrowser).height - 30));
        QCOMPARE(bar->value(), 32);
        QCOMPARE(w.TextOf(Ctl::lblBrowser), QStringLiteral("Top Left: $800"));
        QVERIFY(ShowsNumberedWordsFrom(w.Grab(), 0x800));

        w.Key(Ctl::barBrowser, Qt::Key_End);
        QCOMPARE(bar->value(), 992);
        QCOMPARE(w.TextOf(Ctl::lblBrowser), QStringLiteral("Top Left: $F800"));
        QVERIFY(ShowsNumberedWordsFrom(w.Grab(), 0xF800));
        w.Move(CellPoint(1023));
        QCOMPARE(w.TextOf(Ctl::lblBrowserMouse), QStringLiteral("Under Mouse: $FFFE"));
    }

    // Not a check: a picture of the browser over palettes among random bytes, kept when
    // TINTORB_SCREENSHOT_DIR names a folder.
    void PicturesPalettesAmongRandomBytes() {
        const QString folder = qEnvironmentVariable("TINTORB_SCREENSHOT_DIR");
        if (folder.isEmpty()) {
            QSKIP("TINTORB_SCREENSHOT_DIR is not set");
        }
        std::mt19937 random(4);
        std::vector<std::uint16_t> words(2048);
        for (std::uint16_t& word : words) {
            word = static_cast<std::uint16_t>(random());
        }
        // Three palettes: a grey ramp, a red-to-blue blend and a run of greens.
        for (int k = 0; k < 16; ++k) {
            const auto level = static_cast<std::uint16_t>(2 * (k / 2));
            words[100 + static_cast<std::size_t>(k)] =
                static_cast<std::uint16_t>(level << 8 | level << 4 | level);
            words[420 + static_cast<std::size_t>(k)] =
                static_cast<std::uint16_t>((2 * (k / 2)) << 8 | (14 - 2 * (k / 2)));
        }
        for (int k = 0; k < 48; ++k) {
            words[700 + static_cast<std::size_t>(k)] = static_cast<std::uint16_t>((2 * (k % 8)) << 4);
        }
        QTemporaryDir dir;
        GuiWindow w;
        Open(w, WriteWords(dir, words));
        QVERIFY(w.Grab().save(QDir(folder).filePath(QStringLiteral("browser.png"))));
    }
};

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::BrowserTest)
#include "browser_test.moc"
