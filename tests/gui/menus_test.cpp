// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar, its shortcuts and dialogs, the recent files and dropped files, on the real window.

#include <algorithm>
#include <set>
#include <vector>

#include "app/Commands.h"
#include "platform/ToolWindow.h"
#include "support/GuiSupport.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

using tintorb::Command;
using tintorb::CommandTable;
using tintorb::Ctl;
using tintorb::gui::GuiWindow;
using tintorb::gui::ReadFileBytes;

namespace {

// 64 valid colour words, each unlike its neighbours.
[[nodiscard]] std::vector<std::uint16_t> Words() {
    std::vector<std::uint16_t> words;
    for (int i = 0; i < 64; ++i) {
        words.push_back(static_cast<std::uint16_t>((i % 8) * 2 + (i / 8) * 0x20));
    }
    return words;
}

[[nodiscard]] QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

[[nodiscard]] QString Row(const QString& keys, const QString& does) {
    return keys + QStringLiteral(" | ") + does;
}

// Whether the action is an item of the menu with this title.
bool InMenu(const QAction* action, std::string_view title) {
    const QList<QObject*> owners = action->associatedObjects();
    return std::any_of(owners.begin(), owners.end(), [&](const QObject* owner) {
        const auto* menu = qobject_cast<const QMenu*>(owner);
        return menu != nullptr && menu->title() == Q(title);
    });
}

// Drags the files onto a widget and drops them there; whether the drop was taken.
bool Drop(QWidget* target, const QList<QUrl>& urls) {
    QMimeData mime;
    mime.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &drop);
    QApplication::processEvents();
    return enter.isAccepted() && drop.isAccepted();
}

}  // namespace

class MenusTest : public QObject {
    Q_OBJECT

  private slots:
    void everyItemRunsItsHandler();
    void keysWorkFromTheListingAndItemsFollowTheState();
    void shortcutsDialogListsTheTable();
    void droppingOneLocalFileOpensIt();
};

void MenusTest::everyItemRunsItsHandler() {
    GuiWindow w;
    QTemporaryDir dir;
    const std::vector<std::uint16_t> words = Words();
    const QString path = tintorb::gui::WriteWordsFile(dir.filePath(QStringLiteral("rom.bin")), words);
    const tintorb::EditorState& state = w.Form().State;
    std::set<Command> ran;
    // Clicks the command's item in its menu, once the item is enabled.
    const auto run = [&](Command id) {
        QAction* action = w.Window().ActionOf(id);
        const auto menu = static_cast<std::size_t>(CommandTable[static_cast<std::size_t>(id)].menu);
        QVERIFY(action->isEnabled() && InMenu(action, tintorb::MenuTitles[menu]));
        action->trigger();
        QApplication::processEvents();
        ran.insert(id);
    };

    w.AnswerOpen(path);
    run(Command::Load);
    QCOMPARE(w.Window().RecentMenu()->actions().front()->text(), QStringLiteral("&1 ") + path);
    w.Click(GuiWindow::At(Ctl::areaBrowser, 2, 2));
    w.Press(GuiWindow::At(Ctl::areaPal, 25 + 2, 2));
    w.Release(GuiWindow::At(Ctl::areaPal, 100 + 2, 2));  // entries 1 … 4
    run(Command::Copy);
    QCOMPARE(state.ClipData.size(), 8u);
    run(Command::Swap);
    QCOMPARE(state.GetEntry(1), words[4]);
    run(Command::Undo);
    QCOMPARE(state.GetEntry(1), words[1]);
    run(Command::Redo);
    run(Command::Reverse);
    QCOMPARE(state.GetEntry(2), words[3]);
    run(Command::Gradient);  // red 1 to 4 in even steps
    QCOMPARE(state.GetEntry(2), words[2]);
    w.Click(GuiWindow::At(Ctl::areaPal, 250 + 2, 2));
    run(Command::Paste);
    QCOMPARE(state.GetEntry(10), words[1]);
    w.AnswerSave(dir.filePath(QStringLiteral("palette.gpl")));
    run(Command::ExportPalette);
    w.AnswerOpen(dir.filePath(QStringLiteral("palette.gpl")));
    run(Command::ImportPalette);
    QVERIFY(w.Window().StatusLine()->text().startsWith(QStringLiteral("Imported ")));
    w.AnswerSave(dir.filePath(QStringLiteral("edits.ips")));
    run(Command::CreatePatch);
    QVERIFY(w.Messages().last().startsWith(QStringLiteral("IPS patch written: ")));
    w.AnswerOpen(path);
    w.AnswerSave(dir.filePath(QStringLiteral("against-saved.bps")));
    run(Command::CreatePatchFromOriginal);
    QVERIFY(w.Messages().last().startsWith(QStringLiteral("BPS patch written: ")));
    // Its bytes are already there: nothing changes, but the patch is read and applied.
    w.AnswerOpen(dir.filePath(QStringLiteral("edits.ips")));
    run(Command::ApplyPatch);
    QVERIFY(w.Messages().last().endsWith(QStringLiteral(", 0 bytes changed")));
    run(Command::FindPalettes);
    QVERIFY(w.Window().Finder()->isVisible());
    w.AnswerTitle(QStringLiteral("Entries"));
    run(Command::NamePalette);
    emit w.Window().NamedMenu()->aboutToShow();
    QVERIFY(w.Window().NamedMenu()->actions().front()->text().startsWith(QStringLiteral("Entries")));
    QCOMPARE(w.Window().NamedMenu()->actions().back()->text(), QStringLiteral("All names…"));
    run(Command::ShowInvalid);
    QVERIFY(w.WidgetAs<QCheckBox>(Ctl::chkInvalid)->isChecked());
    w.Click(Ctl::chkInvalid);
    QVERIFY(!w.Window().ActionOf(Command::ShowInvalid)->isChecked());
    run(Command::Tiles);
    QVERIFY(w.Window().Tiles()->isVisible());
    run(Command::Save);
    QCOMPARE(ReadFileBytes(path), QByteArray(reinterpret_cast<const char*>(state.FileData.data()), 128));
    w.AnswerSave(dir.filePath(QStringLiteral("copy.bin")));
    run(Command::SaveAs);
    QCOMPARE(ReadFileBytes(dir.filePath(QStringLiteral("copy.bin"))), ReadFileBytes(path));
    // Another file that is there already is replaced only when the user says so.
    run(Command::Undo);
    for (const auto role : {QMessageBox::RejectRole, QMessageBox::AcceptRole}) {
        w.AnswerSave(dir.filePath(QStringLiteral("copy.bin")));
        w.AnswerQuestion(role);
        run(Command::SaveAs);
        QCOMPARE(w.Questions().last(), QStringLiteral("copy.bin already exists. Replace it?"));
        QCOMPARE(ReadFileBytes(dir.filePath(QStringLiteral("copy.bin"))) == ReadFileBytes(path),
                 role == QMessageBox::RejectRole);
    }
    run(Command::Redo);
    run(Command::KeyboardShortcuts);
    run(Command::About);
    QVERIFY(w.Messages().last().startsWith(QStringLiteral("Tintorb 2.1")) &&
            w.Messages().last().contains(QStringLiteral("Qt ")));
    run(Command::Quit);
    QVERIFY(!w.Window().isVisible());
    QVERIFY(w.DialogsDone());
    for (const tintorb::CommandEntry& command : CommandTable) {
        QCOMPARE(ran.contains(command.id), command.menu != tintorb::Menu::None);
    }
}

void MenusTest::keysWorkFromTheListingAndItemsFollowTheState() {
    GuiWindow w;
    // Items are enabled exactly when their command could do something, after every handler that ran.
    const auto followState = [&] {
        for (const tintorb::CommandEntry& command : CommandTable) {
            if (QAction* action = w.Window().ActionOf(command.id)) {
                QCOMPARE(action->isEnabled(), tintorb::CommandAvailable(w.Form(), command.id));
            }
        }
    };
    followState();
    QTemporaryDir dir;
    const QString path = tintorb::gui::WriteWordsFile(dir.filePath(QStringLiteral("rom.bin")), Words());
    w.AnswerOpen(path);
    w.Key(Ctl::memoASM, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(QString::fromStdString(w.Form().State.FileName), path);
    w.Click(GuiWindow::At(Ctl::areaBrowser, 2, 2));
    followState();

    // The listing keeps its own copy key; the entries have theirs.
    w.Key(Ctl::memoASM, Qt::Key_A, Qt::ControlModifier);
    w.Type(Ctl::memoASM, QStringLiteral("dc.w $0EEE"));
    w.Key(Ctl::memoASM, Qt::Key_A, Qt::ControlModifier);
    w.Key(Ctl::memoASM, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("dc.w $0EEE"));
    QVERIFY(w.Form().State.ClipData.empty());
    w.Key(Ctl::memoASM, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(w.Form().State.ClipData.size(), 2u);

    w.Click(Ctl::btnASM);
    followState();
    w.Key(Ctl::memoASM, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(ReadFileBytes(path).left(2), QByteArray("\x0E\xEE", 2));
    w.Key(Ctl::memoASM, Qt::Key_Q, Qt::ControlModifier);
    QVERIFY(!w.Window().isVisible());
}

// The dialog lists what the window's actions carry, and leaves out nothing of the tables.
void MenusTest::shortcutsDialogListsTheTable() {
    GuiWindow w;
    w.Window().ActionOf(Command::KeyboardShortcuts)->trigger();
    auto* dialog = w.Window().findChild<QDialog*>(QStringLiteral("keyboardShortcuts"));
    QVERIFY(dialog->isVisible() && !dialog->isModal());
    const auto* table = dialog->findChild<QTableWidget*>();
    QStringList rows;
    for (int r = 0; r < table->rowCount(); ++r) {
        rows << Row(table->item(r, 0)->text(), table->item(r, 1)->text());
    }
    QStringList expected;
    for (const tintorb::CommandEntry& command : CommandTable) {
        if (!command.shortcuts[0].empty()) {
            const QAction* action = w.Window().ActionOf(command.id);
            QStringList keys;
            for (const QKeySequence& key : action->shortcuts()) {
                keys << key.toString(QKeySequence::NativeText);
            }
            expected << Row(keys.join(QStringLiteral(", ")), action->text().remove(u'&'));
        }
    }
    for (const tintorb::MouseWiring& wiring : tintorb::MouseTable) {
        if (!wiring.gesture.empty()) {
            expected << Row(Q(wiring.gesture), Q(wiring.effect));
        }
    }
    for (const tintorb::Gesture& other : tintorb::OtherGestures) {
        expected << Row(Q(other.gesture), Q(other.effect));
    }
    QCOMPARE(rows, expected);
}

void MenusTest::droppingOneLocalFileOpensIt() {
    GuiWindow w;
    QTemporaryDir dir;
    const QString a = tintorb::gui::WriteWordsFile(dir.filePath(QStringLiteral("a.bin")), Words());
    const QString b = tintorb::gui::WriteWordsFile(dir.filePath(QStringLiteral("b.bin")), Words());
    QVERIFY(!Drop(&w.Window(), {QUrl::fromLocalFile(a), QUrl::fromLocalFile(b)}));
    QVERIFY(!Drop(&w.Window(), {QUrl(QStringLiteral("https://example.org/a.bin"))}));
    QVERIFY(w.Form().State.FileName.empty());
    // Over the listing a file is still the window's to open, not text for the box.
    auto* listing = w.WidgetAs<QPlainTextEdit>(Ctl::memoASM);
    QVERIFY(Drop(listing->viewport(), {QUrl::fromLocalFile(a)}));
    QCOMPARE(QString::fromStdString(w.Form().State.FileName), a);
    QVERIFY(listing->toPlainText().isEmpty());
    // Unsaved edits are asked about first; Cancel keeps them.
    w.Click(GuiWindow::At(Ctl::areaBrowser, 2, 2));
    w.Click(GuiWindow::At(Ctl::areaRGB, 92, 2));  // red level 3
    w.AnswerQuestion(QMessageBox::RejectRole);
    QVERIFY(Drop(&w.Window(), {QUrl::fromLocalFile(b)}));
    QCOMPARE(QString::fromStdString(w.Form().State.FileName), a);
    QCOMPARE(w.Questions(), QStringList{QStringLiteral("Save changes to a.bin?")});
}

TINTORB_GUI_TEST_MAIN(MenusTest)

#include "menus_test.moc"
