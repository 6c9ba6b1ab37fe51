#include "platform/CommandLine.h"

#include "model/NumberText.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>

namespace tintorb {

namespace {

// Mistakes stop the program before any window opens.
constexpr int UsageStatus = 2;

[[nodiscard]] CommandLine Mistake(const QStringList& arguments, const QString& text) {
    const QString program =
        arguments.isEmpty() ? QStringLiteral("tintorb") : QFileInfo(arguments[0]).fileName();
    return {{}, UsageStatus, program + QStringLiteral(": ") + text};
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Finds, shows and edits colour palettes inside binary files."));
    // Qt's own help option would also offer --help-all, for options of Qt's that this parser never sees.
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("CommandLine", "Show this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QCoreApplication::translate("CommandLine", "Show the version."));
    parser.addOption(help);
    parser.addOption(version);
    const QCommandLineOption address(
        {QStringLiteral("a"), QStringLiteral("address")},
        QCoreApplication::translate(
            "CommandLine",
            "Show the palette at byte offset ADDR, as \"Load\" beside the address box "
            "does: $1F40 or 0x1F40 (hexadecimal), 8000 (decimal)."),
        QStringLiteral("ADDR"));
    const QCommandLineOption length(
        {QStringLiteral("l"), QStringLiteral("length")},
        QCoreApplication::translate("CommandLine", "Set the length menu: auto, or 1 to 64 entries."),
        QStringLiteral("N|auto"));
    parser.addOption(address);
    parser.addOption(length);
    parser.addPositionalArgument(QStringLiteral("FILE"),
                                 QCoreApplication::translate("CommandLine", "The file to open."),
                                 QStringLiteral("[FILE]"));

    if (!parser.parse(arguments)) {
        return Mistake(arguments, parser.errorText());
    }
    if (parser.isSet(help)) {
        return {{}, 0, parser.helpText().trimmed()};
    }
    if (parser.isSet(version)) {
        return {
            {},
            0,
            QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion()};
    }

    CommandLine line;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return Mistake(arguments, QStringLiteral("give one FILE at most, not %1").arg(files.size()));
    }
    if (parser.isSet(length)) {
        const QString text = parser.value(length);
        line.options.length = ReadLengthArgument(text.toStdString());
        if (!line.options.length) {
            return Mistake(arguments, QStringLiteral("bad length '%1': give auto or 1 to 64").arg(text));
        }
    }
    if (files.isEmpty()) {
        if (parser.isSet(address)) {
            return Mistake(arguments, QStringLiteral("--address needs a FILE"));
        }
        return line;
    }
    const QFileInfo file(files.front());
    if (!file.exists()) {
        return Mistake(arguments, QStringLiteral("%1: no such file").arg(files.front()));
    }
    line.options.file = file.absoluteFilePath().toStdString();
    if (parser.isSet(address)) {
        const QString text = parser.value(address);
        const std::optional<std::int32_t> offset = ReadAddressArgument(text.toStdString());
        if (!offset) {
            return Mistake(
                arguments,
                QStringLiteral("bad address '%1': give a byte offset such as $1F40, 0x1F40 or 8000")
                    .arg(text));
        }
        // A palette needs a whole word at its address.
        if (file.isFile() && std::int64_t{*offset} + 2 > file.size()) {
            return Mistake(
                arguments,
                QStringLiteral("no word at address $%1 in %2, which holds %3 bytes")
                    .arg(QString::fromStdString(HexText(static_cast<std::uint32_t>(*offset))), files.front())
                    .arg(file.size()));
        }
        line.options.address = text.toStdString();
    }
    return line;
}

}  // namespace tintorb
