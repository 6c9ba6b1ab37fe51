// SPDX-License-Identifier: GPL-3.0-or-later
// The window against what its surroundings can throw at it: a clipboard that nothing owns, and a file-size
// limit that a save runs into.

#include <sys/resource.h>

#include <csignal>
#include <cstdio>
#include <string_view>

#include "model/FileImage.h"
#include "platform/ListingEdit.h"
#include "support/GuiSupport.h"

#include <QClipboard>
#include <QDir>
#include <QDropEvent>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using tintorb::Ctl;
using tintorb::gui::GuiWindow;

namespace {

// This executable run as a child with this flag and a file's path starts as the program does, then loads
// the file and saves it.
constexpr std::string_view SaveChildFlag = "--save-under-file-size-limit";
// What `ulimit -f 50` sets, and a file twice that size.
constexpr rlim_t FileSizeLimit = 50 * 1024;
constexpr qsizetype FileSize = 100 * 1024;

// The child's part: load, "Save Changes", then a click on the browser that must still be answered. Writes
// the error texts shown, one a line, to standard output.
int LoadAndSave(const QString& path) {
    GuiWindow w;
    w.AnswerOpen(path);
    w.Click(Ctl::btnLoad);
    w.Click(Ctl::btnSave);
    w.Click(GuiWindow::At(Ctl::areaBrowser, 20, 4));
    QStringList report = w.Messages();
    report.append(w.TextOf(Ctl::editAddress));
    std::fputs(qPrintable(report.join(QLatin1Char('\n'))), stdout);
    return 0;
}

}  // namespace

class SystemFaultsTest : public QObject {
    Q_OBJECT

  private slots:
    void pastingFromAnEmptyClipboardChangesNothing();
    void savingOverTheFileSizeLimitSaysSoAndGoesOn();
};

// Offscreen, a cleared clipboard has no source at all, as in an X session where nothing owns it; there
// is no selection offscreen, so the middle clicks paste nothing, and the drag events hand the listing the
// missing source instead.
void SystemFaultsTest::pastingFromAnEmptyClipboardChangesNothing() {
    GuiWindow w;
    w.Window().SetVisible(Ctl::editLength, true);
    QGuiApplication::clipboard()->clear();
    QVERIFY(QGuiApplication::clipboard()->mimeData() == nullptr);
    for (const Ctl box : {Ctl::memoASM, Ctl::editAddress, Ctl::editLength}) {
        const QString before = w.TextOf(box);
        w.Key(box, Qt::Key_V, Qt::ControlModifier);
        w.Click(GuiWindow::CentreOf(box), Qt::MiddleButton);
        QCOMPARE(w.TextOf(box), before);
    }

    auto* listing = w.WidgetAs<QPlainTextEdit>(Ctl::memoASM);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, nullptr, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(listing->viewport(), &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, nullptr, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(listing->viewport(), &drop);
    qobject_cast<tintorb::ListingEdit*>(listing)->insertFromMimeData(nullptr);
    QCOMPARE(w.TextOf(Ctl::memoASM), QString());

    // The listing pastes by itself, never through the stock path that crashes under X with no owner.
    QGuiApplication::clipboard()->setText(QStringLiteral("dc.w $0EEE"));
    w.Key(Ctl::memoASM, Qt::Key_V, Qt::ControlModifier);
    w.Key(Ctl::memoASM, Qt::Key_Insert, Qt::ShiftModifier);
    QCOMPARE(w.TextOf(Ctl::memoASM), QStringLiteral("dc.w $0EEEdc.w $0EEE"));
}

void SystemFaultsTest::savingOverTheFileSizeLimitSaysSoAndGoesOn() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("rom.bin"));
    const QByteArray bytes(FileSize, '\x0E');
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == FileSize);
    file.close();

    QProcess child;
    child.setChildProcessModifier([] {
        // Whatever this process inherited, the child starts with the signal's default action.
        std::signal(SIGXFSZ, SIG_DFL);
        const rlimit limit{FileSizeLimit, FileSizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(SaveChildFlag), path});
    QVERIFY(child.waitForFinished(120'000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 0);
    QCOMPARE(QString::fromUtf8(child.readAllStandardOutput()),
             QStringLiteral("The file is larger than the system lets this program write.\n$2"));
    QCOMPARE(tintorb::gui::ReadFileBytes(path), bytes);
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("rom.bin")});
}

int main(int argc, char* argv[]) {
    const bool saveChild = argc == 3 && argv[1] == SaveChildFlag;
    if (saveChild) {
        tintorb::IgnoreFileSizeSignal();  // as the program's main does first
    }
    QApplication app(argc, argv);
    tintorb::gui::PrepareApplication();
    if (saveChild) {
        return LoadAndSave(QString::fromLocal8Bit(argv[2]));
    }
    SystemFaultsTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "system_faults_test.moc"
