// SPDX-License-Identifier: GPL-3.0-or-later
// The real window around its client area: the status bar read after each step of a short piece of work,
// keys and the wheel as a user sends them, and the tooltips.

#include "app/Commands.h"
#include "platform/ShortcutsDialog.h"
#include "support/GuiSupport.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QWheelEvent>
#include <QtTest>

namespace tintorb::gui {

class StatusBarTest : public QObject {
    Q_OBJECT

    static QString Status(const GuiWindow& w) { return w.Window().StatusLine()->text(); }

  private slots:
    void aShortPieceOfWorkSaysWhatEachStepDid() {
        QTemporaryDir dir;
        GuiWindow w;
        QCOMPARE(w.Window().ClientArea()->size(), QSize(ClientWidth, ClientHeight));
        std::vector<std::uint16_t> words(0x80000, 0);
        words[0x1F40 / 2] = 0x0EEE;
        words[0x1F42 / 2] = 0xF00A;
        w.AnswerOpen(WriteWordsFile(dir.filePath(QStringLiteral("rom.bin")), words));
        w.Click(Ctl::btnLoad);
        QCOMPARE(Status(w), QStringLiteral("Loaded rom.bin: 1,048,576 bytes"));

        auto* bar = w.WidgetAs<QScrollBar>(Ctl::barBrowser);
        bar->setValue(0x1F40 / 64);
        w.Move(GuiWindow::At(Ctl::areaBrowser, 3, 3));
        QCOMPARE(Status(w), QStringLiteral("$01F40 $0EEE 7,7,7"));
        w.Move(GuiWindow::At(Ctl::areaBrowser, 19, 3));
        QCOMPARE(Status(w), QStringLiteral("$01F42 $F00A not a colour word"));
        const QPoint cell = GuiWindow::At(Ctl::areaBrowser, 40, 40);
        QWheelEvent wheel(cell, w.Window().mapToGlobal(cell), {}, {0, -120}, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.Widget(Ctl::areaBrowser), &wheel);
        QCOMPARE(bar->value(), 0x1F40 / 64 + 3);

        w.ChooseItem(Ctl::menuLength, 1);
        w.Type(Ctl::editAddress, QStringLiteral("$1F40"));
        w.Key(Ctl::editAddress, Qt::Key_Return);
        QCOMPARE(w.TextOf(Ctl::editAddress), QStringLiteral("$1F40"));
        QCOMPARE(w.Form().State.PalAddress, 0x1F40);
        w.WidgetAs<QPlainTextEdit>(Ctl::memoASM)->setPlainText(QStringLiteral("dc.w $0EEE,$zzzz,zz"));
        w.Click(Ctl::btnASM);
        QCOMPARE(Status(w), QStringLiteral("2 fields were no numbers and were read as 0 (line 1: `$zzzz`)"));

        w.Key(Ctl::editAddress, Qt::Key_A, Qt::ControlModifier);
        w.Type(Ctl::editAddress, QStringLiteral("$123459"));
        w.Key(Ctl::editAddress, Qt::Key_Return);
        QCOMPARE(Status(w), QStringLiteral("$123459 lies past the end of the file (1,048,576 bytes)"));

        w.Click(Ctl::btnSave);
        QCOMPARE(Status(w), QStringLiteral("Saved rom.bin"));
        w.Key(Ctl::editAddress, Qt::Key_A, Qt::ControlModifier);
        w.Type(Ctl::editAddress, QStringLiteral("$1F40"));
        w.Key(Ctl::editAddress, Qt::Key_Return);
        w.AnswerSave(dir.filePath(QStringLiteral("x.gpl")));
        w.Window().ActionOf(Command::ExportPalette)->trigger();
        QCOMPARE(Status(w), QStringLiteral("Exported 16 colours to x.gpl"));
        QVERIFY(w.DialogsDone());
    }

    void tooltipsSayWhatAndF1ShowsTheShortcuts() {
        GuiWindow w;
        QCOMPARE(w.Widget(Ctl::btnGradient)->toolTip(),
                 QStringLiteral(
                     "Fill the selected entries with a gradient between the first and the last (Ctrl+G)"));
        QVERIFY(!w.Window().ActionOf(Command::Tiles)->statusTip().isEmpty());
        QTest::keyClick(&w.Window(), Qt::Key_F1);
        auto* shortcuts = w.Window().findChild<ShortcutsDialog*>();
        QVERIFY(shortcuts != nullptr && shortcuts->isVisible());
    }
};

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::StatusBarTest)
#include "status_bar_test.moc"
