// SPDX-License-Identifier: GPL-3.0-or-later
// Locating a palette in the real window and finding every palette view on screen.

#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "model/ColourWord.h"
#include "support/GuiSupport.h"
#include "views/PaletteView.h"

#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTextCursor>

namespace tintorb::gui {

namespace {

[[nodiscard]] int Distance(const QColor& a, const QColor& b) {
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

// A distinct valid colour for each palette entry.
[[nodiscard]] ColourWord EntryWord(int i) {
    return static_cast<ColourWord>((((i % 8) * 2) << 8) | ((((i / 8) % 8) * 2) << 4) | ((7 - i % 8) * 2));
}

// The centre of palette entry i, in client coordinates.
[[nodiscard]] QPoint CellCentre(int i) {
    return GuiWindow::At(Ctl::areaPal, PaletteCellWidth * (i % PaletteColumns) + PaletteCellWidth / 2,
                         PaletteCellHeight * (i / PaletteColumns) + PaletteCellHeight / 2);
}

[[nodiscard]] QPoint CellCorner(int i, int inset) {
    return GuiWindow::At(Ctl::areaPal, PaletteCellWidth * (i % PaletteColumns) + inset,
                         PaletteCellHeight * (i / PaletteColumns) + inset);
}

// A file with 100 invalid words, then count valid entries at byte offset $C8, then invalid words again.
[[nodiscard]] QString WritePaletteFile(const QTemporaryDir& dir, int count) {
    std::vector<std::uint16_t> words(100, 0x1111);
    for (int i = 0; i < count; ++i) {
        words.push_back(EntryWord(i));
    }
    words.resize(words.size() + 300, 0xF000);
    return WriteWordsFile(dir.filePath(QStringLiteral("rom.bin")), words);
}

// Loads the file and clicks the browser cell of byte offset $C8 (word 100: row 3, column 4).
void LoadAndClickPalette(GuiWindow& w, const QString& path) {
    w.AnswerOpen(path);
    w.Click(Ctl::btnLoad);
    w.Click(GuiWindow::At(Ctl::areaBrowser, 4 * 16 + 8, 3 * 16 + 8));
}

// Whether the strongest ink of each 11-pixel digit cell of the bit view wears its run's colour.
[[nodiscard]] bool BitRunsShown(const QImage& image) {
    const Rect view = RectOf(Ctl::editBits);
    const QColor background = image.pixelColor(view.left + 182, view.top + view.height / 2);
    const QColor black(0, 0, 0), blue(0, 0, 255), green(0, 128, 0), red(255, 0, 0);
    const std::array<QColor, 16> colours{black, black, black, black, blue, blue, blue, black,
                                         green, green, green, black, red,  red,  red,  black};
    for (int cell = 0; cell < 16; ++cell) {
        QColor strongest = background;
        for (int dx = 0; dx < 11; ++dx) {
            for (int y = view.top; y < view.top + view.height; ++y) {
                const QColor pixel = image.pixelColor(view.left + 11 * cell + dx, y);
                if (Distance(pixel, background) > Distance(strongest, background)) {
                    strongest = pixel;
                }
            }
        }
        if (Distance(strongest, colours[static_cast<std::size_t>(cell)]) > 90) {
            qWarning("bit cell %d shows %s", cell, qPrintable(strongest.name()));
            return false;
        }
    }
    return true;
}

}  // namespace

class PaletteTest : public QObject {
    Q_OBJECT

  private slots:
    void ClickingTheBrowserShowsThePalette() {
        QTemporaryDir dir;
        GuiWindow w;
        LoadAndClickPalette(w, WritePaletteFile(dir, 20));

        QCOMPARE(w.TextOf(Ctl::editAddress), QStringLiteral("$C8"));
        QCOMPARE(w.Form().State.PalLength, 20);
        const QImage image = w.Grab();
        for (int i = 0; i < 20; ++i) {
            QCOMPARE(image.pixelColor(CellCentre(i)), ColourOf(DisplayColour(EntryWord(i))));
        }
        QCOMPARE(image.pixelColor(CellCentre(20)), ColourOf(BackgroundColour));
        // The start marker on entry 0, and no end marker.
        QCOMPARE(image.pixelColor(CellCorner(0, 0)), QColor(0, 0, 0));
        QCOMPARE(image.pixelColor(CellCorner(0, 1)), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(CellCorner(1, 0)), ColourOf(DisplayColour(EntryWord(1))));

        // Entry 0 is 0x000E: red level 7, green and blue level 0.
        QCOMPARE(image.pixelColor(GuiWindow::At(Ctl::areaRGB, 7 * 30, 0)), QColor(255, 255, 0));
        QCOMPARE(image.pixelColor(GuiWindow::At(Ctl::areaRGB, 0, 30)), QColor(255, 128, 0));
        QCOMPARE(image.pixelColor(GuiWindow::At(Ctl::areaRGB, 0, 60)), QColor(255, 255, 128));
        QCOMPARE(image.pixelColor(GuiWindow::At(Ctl::areaRGB, 7 * 30 + 15, 15)), QColor(255, 0, 0));

        auto* memo = w.WidgetAs<QPlainTextEdit>(Ctl::memoASM);
        QVERIFY(memo->toPlainText().startsWith(QStringLiteral("dc.w $000E,$020C,")));
        QCOMPARE(memo->toPlainText().count(QStringLiteral("dc.w")), 2);
        QCOMPARE(memo->textCursor().selectedText(), QStringLiteral("$000E"));
        // Offscreen the window may stay inactive after the open dialog; its focus widget is what counts.
        QCOMPARE(w.Window().focusWidget(), memo);
        QCOMPARE(w.TextOf(Ctl::editBits), QStringLiteral("0000000000001110"));
        QVERIFY(BitRunsShown(image));
        QVERIFY(w.DialogsDone());
    }

    void DraggingOverThePaletteMarksBothEnds() {
        QTemporaryDir dir;
        GuiWindow w;
        LoadAndClickPalette(w, WritePaletteFile(dir, 64));
        QCOMPARE(w.Form().State.PalLength, 64);

        w.Press(CellCentre(5));
        w.Move(CellCentre(40));
        w.Release(CellCentre(40));

        const QImage image = w.Grab();
        QCOMPARE(image.pixelColor(CellCorner(5, 0)), QColor(0, 0, 0));
        QCOMPARE(image.pixelColor(CellCorner(5, 1)), QColor(255, 255, 255));
        QCOMPARE(image.pixelColor(CellCorner(40, 0)), QColor(255, 0, 0));
        QCOMPARE(image.pixelColor(CellCorner(40, 1)), QColor(255, 255, 0));
        QCOMPARE(image.pixelColor(CellCorner(20, 0)), ColourOf(DisplayColour(EntryWord(20))));

        // Kept for looking at: TINTORB_SCREENSHOT_DIR names the folder.
        if (const QString folder = qEnvironmentVariable("TINTORB_SCREENSHOT_DIR"); !folder.isEmpty()) {
            QVERIFY(image.save(QDir(folder).filePath(QStringLiteral("palette.png"))));
        }
    }

    void TypingAnAddressAndPressingLoadLocatesThere() {
        QTemporaryDir dir;
        GuiWindow w;
        w.AnswerOpen(WritePaletteFile(dir, 20));
        w.Click(Ctl::btnLoad);

        w.Type(Ctl::editAddress, QStringLiteral("g-c"));
        QCOMPARE(w.TextOf(Ctl::editAddress), QStringLiteral("$c"));
        // Keys that type nothing still edit: the caret goes back before "c" and "D" goes in there.
        w.Key(Ctl::editAddress, Qt::Key_End);
        w.Key(Ctl::editAddress, Qt::Key_Left);
        w.Type(Ctl::editAddress, QStringLiteral("D"));
        QCOMPARE(w.TextOf(Ctl::editAddress), QStringLiteral("$Dc"));
        w.Key(Ctl::editAddress, Qt::Key_Backspace);
        QCOMPARE(w.TextOf(Ctl::editAddress), QStringLiteral("$c"));
        // Deleting the "$" before a letter only brings it back.
        w.Key(Ctl::editAddress, Qt::Key_Home);
        w.Key(Ctl::editAddress, Qt::Key_Delete);
        QCOMPARE(w.TextOf(Ctl::editAddress), QStringLiteral("$c"));
        w.Key(Ctl::editAddress, Qt::Key_End);
        w.Type(Ctl::editAddress, QStringLiteral("8"));
        QCOMPARE(w.TextOf(Ctl::editAddress), QStringLiteral("$c8"));

        w.Click(Ctl::btnReload);
        QCOMPARE(w.Form().State.PalAddress, 0xC8);
        QCOMPARE(w.Form().State.PalLength, 20);
        QCOMPARE(w.Grab().pixelColor(CellCentre(3)), ColourOf(DisplayColour(EntryWord(3))));
        QVERIFY(w.DialogsDone());
    }
};

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::PaletteTest)
#include "palette_test.moc"
