// SPDX-License-Identifier: GPL-3.0-or-later
// The program's command line: mistakes end it at once with one line and status 2, run as a process; what
// a good command line asks for shows in the window.

#include <cstdint>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "support/GuiSupport.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using tintorb::Ctl;
using tintorb::gui::GuiWindow;

namespace {

constexpr int PaletteAt = 0x1F40;

}  // namespace

class CommandLineTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void endsWithOneLine_data();
    void endsWithOneLine();
    void addressShowsThatPalette();

  private:
    QTemporaryDir dir_;
    QString rom_;
};

// 8 KiB of invalid words, with a few valid ones at $1F40.
void CommandLineTest::initTestCase() {
    std::vector<std::uint16_t> words(0x1000, 0xFFFF);
    for (int i = 0; i < 5; ++i) {
        words[PaletteAt / 2 + i] = static_cast<std::uint16_t>(0x0222 * i);
    }
    rom_ = tintorb::gui::WriteWordsFile(dir_.filePath(QStringLiteral("rom.bin")), words);
}

void CommandLineTest::endsWithOneLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("line");
    const QString missing = dir_.filePath(QStringLiteral("missing.bin"));
    QTest::newRow("bad option") << QStringList{QStringLiteral("--bogus")} << 2
                                << QStringLiteral("tintorb: Unknown option 'bogus'.");
    QTest::newRow("missing file") << QStringList{missing} << 2
                                  << QStringLiteral("tintorb: %1: no such file").arg(missing);
    QTest::newRow("bad address") << QStringList{rom_, QStringLiteral("--address"), QStringLiteral("xyz")} << 2
                                 << QStringLiteral(
                                        "tintorb: bad address 'xyz': give a byte offset such as $1F40, "
                                        "0x1F40 or 8000");
    QTest::newRow("address past the end")
        << QStringList{rom_, QStringLiteral("--address"), QStringLiteral("$2000")} << 2
        << QStringLiteral("tintorb: no word at address $2000 in %1, which holds 8192 bytes").arg(rom_);
    QTest::newRow("bad length") << QStringList{QStringLiteral("--length"), QStringLiteral("65")} << 2
                                << QStringLiteral("tintorb: bad length '65': give auto or 1 to 64");
    QTest::newRow("version") << QStringList{QStringLiteral("--version")} << 0
                             << QStringLiteral("Tintorb 2.1.0");
}

void CommandLineTest::endsWithOneLine() {
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, line);
    QProcess program;
    program.start(QStringLiteral(TINTORB_PROGRAM), arguments);
    QVERIFY(program.waitForFinished(60'000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), status);
    const QByteArray out = status == 0 ? program.readAllStandardOutput() : program.readAllStandardError();
    QCOMPARE(QString::fromLocal8Bit(out), line + QLatin1Char('\n'));
}

void CommandLineTest::addressShowsThatPalette() {
    const std::vector<std::string> arguments{"tintorb", rom_.toStdString(), "--address",
                                             "$1F40",   "--length",         "7"};
    const tintorb::CommandLine line = tintorb::ParseCommandLine(arguments);
    QVERIFY(!line.exitStatus);
    GuiWindow w;
    w.Window().Start(line.options);
    QCOMPARE(QString::fromStdString(w.Form().State.FileName), rom_);
    QCOMPARE(w.Form().State.PalAddress, PaletteAt);
    QCOMPARE(w.Form().State.PalLength, 7);
    QCOMPARE(w.TextOf(Ctl::editAddress), QStringLiteral("$1F40"));
    QCOMPARE(w.TextOf(Ctl::menuLength) + w.TextOf(Ctl::editLength), QStringLiteral("Other7"));
    QCOMPARE(
        w.Pixel(tintorb::RectOf(Ctl::areaPal).left + 4 * 25 + 12, tintorb::RectOf(Ctl::areaPal).top + 20),
        tintorb::gui::ColourOf(tintorb::DisplayColour(0x0888)));
    QVERIFY(w.Messages().isEmpty());
}

TINTORB_GUI_TEST_MAIN(CommandLineTest)

#include "command_line_test.moc"
