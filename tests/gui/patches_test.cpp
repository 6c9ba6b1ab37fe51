// SPDX-License-Identifier: GPL-3.0-or-later
// Patches through the real window's File menu: made from an edit, applied to a fresh copy of the original,
// undone, and refused for another original.

#include "app/Commands.h"
#include "support/GuiSupport.h"

#include <QAction>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace tintorb::gui {

class PatchesTest : public QObject {
    Q_OBJECT

  private slots:
    void aPatchOfAnEditAppliesToTheOriginalAndUndoes() {
        QTemporaryDir dir;
        const std::vector<std::uint16_t> words{0x0EEE, 0x000E, 0x00E0, 0x0E00, 0x0444, 0x0222};
        const QString rom = WriteWordsFile(dir.filePath(QStringLiteral("rom.bin")), words);
        const QString copy = WriteWordsFile(dir.filePath(QStringLiteral("copy.bin")), words);
        const QString patch = dir.filePath(QStringLiteral("reversed.bps"));
        GuiWindow w;
        const auto run = [&](Command id) {
            w.Window().ActionOf(id)->trigger();
            QApplication::processEvents();
        };
        w.AnswerOpen(rom);
        run(Command::Load);
        w.Click(GuiWindow::At(Ctl::areaBrowser, 2, 2));
        w.Press(GuiWindow::At(Ctl::areaPal, 2, 2));
        w.Release(GuiWindow::At(Ctl::areaPal, 125 + 2, 2));
        run(Command::Reverse);
        const FileBytes edited = w.Form().State.FileData;
        w.AnswerSave(patch);
        run(Command::CreatePatch);
        QCOMPARE(w.Messages().last(), QStringLiteral("BPS patch written: 1 action, 12 bytes changed"));

        // The edit is not saved: the question before the copy opens drops it.
        w.AnswerQuestion(QMessageBox::DestructiveRole);
        w.AnswerOpen(copy);
        run(Command::Load);
        w.AnswerOpen(patch);
        run(Command::ApplyPatch);
        QCOMPARE(w.Form().State.FileData, edited);
        QVERIFY(w.Messages().last().startsWith(QStringLiteral("BPS patch applied, the CRC32s")));
        QVERIFY(w.ShownCaption().contains(QLatin1Char('*')));
        w.Key(Ctl::memoASM, Qt::Key_Z, Qt::ControlModifier);
        const FileBytes& now = w.Form().State.FileData;
        QCOMPARE(QByteArray(reinterpret_cast<const char*>(now.data()), static_cast<qsizetype>(now.size())),
                 WordBytes(words));

        // The original's bytes no longer match once the edit is done again.
        w.Key(Ctl::memoASM, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        w.AnswerOpen(patch);
        run(Command::ApplyPatch);
        QVERIFY(w.Messages().last().startsWith(
            QStringLiteral("The BPS patch was made for another original: it expects CRC32 ")));
        QCOMPARE(w.Form().State.FileData, edited);
        QVERIFY(w.DialogsDone());
    }
};

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::PatchesTest)
#include "patches_test.moc"
