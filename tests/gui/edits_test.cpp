// SPDX-License-Identifier: GPL-3.0-or-later
// Editing a palette on the real window: swatches, bits, the colour dialog, the listing and the range buttons,
// then "Save Changes", checked against the bytes that land in the file.

#include <cstdint>
#include <vector>

#include "support/GuiSupport.h"

#include <QApplication>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTemporaryDir>

namespace tintorb::gui {
namespace {

// The cell of a palette entry, as a point relative to areaPal.
QPoint Entry(int i) {
    return GuiWindow::At(Ctl::areaPal, 25 * (i % 16) + 12, 40 * (i / 16) + 20);
}

QColor Colour(ColourWord w) {
    return ColourOf(DisplayColour(w));
}

// Loads the words as a file and locates the palette at its first word; the invalid words behind it end the
// automatically found run.
void LoadPaletteFile(GuiWindow& w, const QString& path, std::vector<std::uint16_t> palette) {
    palette.insert(palette.end(), 16, 0x1234);
    WriteWordsFile(path, palette);
    w.AnswerOpen(path);
    w.Click(Ctl::btnLoad);
    w.Click(GuiWindow::At(Ctl::areaBrowser, 4, 4));
}

void SelectRun(GuiWindow& w, int first, int last) {
    w.Press(Entry(first));
    w.Move(Entry(last));
    w.Release(Entry(last));
}

}  // namespace

class EditsTest : public QObject {
    Q_OBJECT

  private slots:
    void editsOnTheWindowLandInTheSavedFile() {
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("rom.bin"));
        GuiWindow w;
        std::vector<std::uint16_t> palette;
        for (int i = 0; i < 16; ++i) {
            palette.push_back(static_cast<std::uint16_t>((i % 8) * 2 + (i / 8) * 32));
        }
        LoadPaletteFile(w, rom, palette);
        QCOMPARE(w.Form().State.PalLength, 16);

        // The listing, edited and written back.
        w.WidgetAs<QPlainTextEdit>(Ctl::memoASM)->setPlainText(QStringLiteral("dc.w $0EEE"));
        w.Click(Ctl::btnASM);
        // Green level 5 of entry 0.
        w.Click(GuiWindow::At(Ctl::areaRGB, 5 * 30 + 5, 30 + 5));
        QCOMPARE(w.Pixel(Entry(0).x(), Entry(0).y()), Colour(0x0EAE));

        // Bit 15 of entry 2 makes it invalid, so the browser stripes it; a double-click toggles bit 0 twice.
        w.Click(Entry(2));
        w.Click(GuiWindow::At(Ctl::editBits, 5, 8));
        w.DoubleClick(GuiWindow::At(Ctl::editBits, 15 * 11 + 5, 8));
        QCOMPARE(w.Form().State.GetEntry(2), ColourWord{0x8004});
        QCOMPARE(w.Pixel(RectOf(Ctl::areaBrowser).left + 2 * 16, RectOf(Ctl::areaBrowser).top),
                 QColor(64, 64, 64));

        w.Click(Entry(3));
        w.AnswerColour(QColor(200, 100, 50));
        w.Click(Ctl::btnColour);

        SelectRun(w, 4, 7);
        w.Click(Ctl::btnReverse);
        SelectRun(w, 4, 5);
        w.Click(Ctl::btnCopy);
        w.Click(Entry(14));
        w.Click(Ctl::btnPaste);
        SelectRun(w, 8, 9);
        w.Click(Ctl::btnSwap);
        SelectRun(w, 10, 15);
        w.Click(Ctl::btnGradient);
        w.Click(Ctl::btnSave);
        // Every edit presented only what it redrew, and the screen holds exactly what the window shows.
        QCOMPARE(w.Grab().convertToFormat(QImage::Format_RGB32),
                 w.Render().convertToFormat(QImage::Format_RGB32));

        std::vector<std::uint16_t> expected{0x0EAE, 0x0002, 0x8004, 0x026C, 0x000E, 0x000C, 0x000A, 0x0008,
                                            0x0022, 0x0020, 0x0024, 0x0026, 0x0006, 0x0008, 0x000A, 0x000C};
        expected.insert(expected.end(), 16, 0x1234);
        QCOMPARE(ReadFileBytes(rom), WordBytes(expected));
        QVERIFY(w.DialogsDone());
        QVERIFY(w.Messages().isEmpty());
    }

    // Right after an edit the listing has the focus, but has nothing of its own to undo: the keys reach
    // the document. Typed text in the listing is taken back first.
    void undoAndRedoKeysFromTheFocusedListing() {
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("rom.bin"));
        GuiWindow w;
        LoadPaletteFile(w, rom, std::vector<std::uint16_t>(4, 0x0000));
        const QString caption = QStringLiteral("Tintorb 2.1 - ") + rom;
        QCOMPARE(w.ShownCaption(), caption);
        w.Click(GuiWindow::At(Ctl::areaRGB, 5 * 30 + 5, 30 + 5));  // green level 5 of entry 0
        QCOMPARE(w.Form().State.GetEntry(0), ColourWord{0x00A0});
        QCOMPARE(w.ShownCaption(), caption + QLatin1Char('*'));
        QCOMPARE(w.Window().focusWidget(), w.Widget(Ctl::memoASM));

        w.Type(Ctl::memoASM, QStringLiteral("x"));
        w.Key(Ctl::memoASM, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.TextOf(Ctl::memoASM), QStringLiteral("dc.w $00A0,$0000,$0000,$0000"));
        QCOMPARE(w.Form().State.GetEntry(0), ColourWord{0x00A0});

        w.Key(Ctl::memoASM, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.Form().State.GetEntry(0), ColourWord{0x0000});
        QCOMPARE(w.Pixel(Entry(0).x(), Entry(0).y()), Colour(0x0000));
        QCOMPARE(w.ShownCaption(), caption);
        w.Key(Ctl::memoASM, Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(w.Form().State.GetEntry(0), ColourWord{0x00A0});
        // From a control that has no undo of its own, through the window's shortcuts. Offscreen, the window
        // is no longer the active one once a dialog has closed; a user's window is.
        QApplication::setActiveWindow(&w.Window());
        w.Key(Ctl::btnSwap, Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(w.Form().State.GetEntry(0), ColourWord{0x0000});
        w.Key(Ctl::btnSwap, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(w.Form().State.GetEntry(0), ColourWord{0x00A0});
        QVERIFY(w.DialogsDone());
    }

    void unsavedEditsAreAskedAboutBeforeClosingOrLoading() {
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("rom.bin"));
        {
            GuiWindow w;
            LoadPaletteFile(w, rom, std::vector<std::uint16_t>(4, 0x0000));
            w.Click(GuiWindow::At(Ctl::areaRGB, 5 * 30 + 5, 30 + 5));

            w.AnswerQuestion(QMessageBox::RejectRole);
            w.Click(Ctl::btnLoad);  // cancelled: no file dialog follows
            w.AnswerQuestion(QMessageBox::RejectRole);
            QVERIFY(!w.Window().close());
            QVERIFY(w.Window().isVisible());
            w.AnswerQuestion(QMessageBox::AcceptRole);
            QVERIFY(w.Window().close());
            QCOMPARE(ReadFileBytes(rom).left(2), WordBytes({0x00A0}));
            QCOMPARE(w.Questions(), QStringList(3, QStringLiteral("Save changes to rom.bin?")));
            QVERIFY(w.DialogsDone());
        }
        GuiWindow w;
        LoadPaletteFile(w, rom, std::vector<std::uint16_t>(4, 0x0000));
        w.Click(GuiWindow::At(Ctl::areaRGB, 5 * 30 + 5, 5));
        w.AnswerQuestion(QMessageBox::DestructiveRole);
        QVERIFY(w.Window().close());
        QCOMPARE(ReadFileBytes(rom).left(2), WordBytes({0x0000}));
        QVERIFY(w.DialogsDone());
    }

    void gradientAcrossSixteenEntries() {
        QTemporaryDir dir;
        const QString rom = dir.filePath(QStringLiteral("rom.bin"));
        GuiWindow w;
        std::vector<std::uint16_t> palette(16, 0x0EEE);
        palette.front() = 0x000E;
        palette.back() = 0x0E00;
        LoadPaletteFile(w, rom, palette);
        SelectRun(w, 0, 15);
        w.Click(Ctl::btnGradient);

        const std::vector<std::uint16_t> expected{0x000E, 0x000C, 0x020C, 0x020A, 0x040A, 0x0408,
                                                  0x0608, 0x0606, 0x0606, 0x0806, 0x0804, 0x0A04,
                                                  0x0A02, 0x0C02, 0x0C00, 0x0E00};
        const QImage shot = w.Grab();
        for (int i = 0; i < 16; ++i) {
            QCOMPARE(shot.pixelColor(Entry(i)), Colour(expected[static_cast<std::size_t>(i)]));
        }
        // Kept for looking at: TINTORB_SCREENSHOT_DIR names the folder.
        if (const QString folder = qEnvironmentVariable("TINTORB_SCREENSHOT_DIR"); !folder.isEmpty()) {
            QVERIFY(shot.save(QDir(folder).filePath(QStringLiteral("gradient.png"))));
        }
    }
};

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::EditsTest)
#include "edits_test.moc"
