// SPDX-License-Identifier: GPL-3.0-or-later
// The palette file dialogs and the import's status line on the real window.

#include "support/GuiSupport.h"

#include <QFileInfo>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

namespace tintorb::gui {

class PaletteFilesTest : public QObject {
    Q_OBJECT

  private slots:
    // A name typed without an extension takes the chosen filter's; the import tells what it took.
    void exportedFileImportsBackWithItsCount() {
        QTemporaryDir dir;
        GuiWindow w;
        w.AnswerOpen(
            WriteWordsFile(dir.filePath(QStringLiteral("rom.bin")), {0x0EEE, 0x000E, 0x00E0, 0xF000}));
        w.Click(Ctl::btnLoad);
        w.Click(GuiWindow::At(Ctl::areaBrowser, 8, 8));
        QCOMPARE(w.Form().State.PalLength, 3);

        w.AnswerSave(dir.filePath(QStringLiteral("strip")));
        w.Form().ExportPaletteClick();
        QVERIFY(QFileInfo::exists(dir.filePath(QStringLiteral("strip.gpl"))));

        w.AnswerOpen(dir.filePath(QStringLiteral("strip.gpl")));
        w.Form().ImportPaletteClick();
        QCOMPARE(w.Window().StatusLine()->text(), QStringLiteral("Imported 3 colours, 0 left out"));
        QVERIFY(w.Messages().isEmpty());
        QVERIFY(w.DialogsDone());
    }
};

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::PaletteFilesTest)
#include "palette_files_test.moc"
