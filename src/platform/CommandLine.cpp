// SPDX-License-Identifier: GPL-3.0-or-later
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

QString Translated(const char* text) {
    return QCoreApplication::translate("CommandLine", text);
}

struct Options {
    // Qt's own help option would also offer --help-all, for options of Qt's that this parser never sees.
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, Translated("Show this help.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               Translated("Show the version.")};
    QCommandLineOption address{
        {QStringLiteral("a"), QStringLiteral("address")},
        Translated("Show the palette at byte offset ADDR, as \"Load\" beside the address box "
                   "does: $1F40 or 0x1F40 (hexadecimal), 8000 (decimal)."),
        QStringLiteral("ADDR")};
    QCommandLineOption length{{QStringLiteral("l"), QStringLiteral("length")},
                              Translated("Set the length menu: auto, or 1 to 64 entries."),
                              QStringLiteral("N|auto")};
};

void Describe(QCommandLineParser& parser, const Options& options) {
    parser.setApplicationDescription(
        Translated("Finds, shows and edits colour palettes inside binary files."));
    parser.addOption(options.help);
    parser.addOption(options.version);
    parser.addOption(options.address);
    parser.addOption(options.length);
    parser.addPositionalArgument(QStringLiteral("FILE"), Translated("The file to open."),
                                 QStringLiteral("[FILE]"));
}

// Each of these reads one argument into options; what is wrong with it, if anything.
using Mistaken = std::optional<QString>;

[[nodiscard]] Mistaken ReadLength(const QCommandLineParser& parser, const Options& given,
                                  StartOptions& options) {
    if (!parser.isSet(given.length)) {
        return {};
    }
    const QString text = parser.value(given.length);
    options.length = ReadLengthArgument(text.toStdString());
    if (!options.length) {
        return QStringLiteral("bad length '%1': give auto or 1 to 64").arg(text);
    }
    return {};
}

[[nodiscard]] Mistaken ReadAddress(const QCommandLineParser& parser, const Options& given,
                                   const QString& name, const QFileInfo& file, StartOptions& options) {
    if (!parser.isSet(given.address)) {
        return {};
    }
    const QString text = parser.value(given.address);
    const std::optional<std::int32_t> offset = ReadAddressArgument(text.toStdString());
    if (!offset) {
        return QStringLiteral("bad address '%1': give a byte offset such as $1F40, 0x1F40 or 8000").arg(text);
    }
    // A palette needs a whole word at its address.
    if (file.isFile() && std::int64_t{*offset} + 2 > file.size()) {
        return QStringLiteral("no word at address $%1 in %2, which holds %3 bytes")
            .arg(QString::fromStdString(HexText(static_cast<std::uint32_t>(*offset))), name)
            .arg(file.size());
    }
    options.address = text.toStdString();
    return {};
}

[[nodiscard]] Mistaken ReadArguments(const QCommandLineParser& parser, const Options& given,
                                     StartOptions& options) {
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1) {
        return QStringLiteral("give one FILE at most, not %1").arg(files.size());
    }
    if (Mistaken mistake = ReadLength(parser, given, options)) {
        return mistake;
    }
    if (files.isEmpty()) {
        return parser.isSet(given.address) ? Mistaken(QStringLiteral("--address needs a FILE")) : Mistaken();
    }
    const QFileInfo file(files.front());
    if (!file.exists()) {
        return QStringLiteral("%1: no such file").arg(files.front());
    }
    options.file = file.absoluteFilePath().toStdString();
    return ReadAddress(parser, given, files.front(), file, options);
}

}  // namespace

CommandLine ParseCommandLine(const QStringList& arguments) {
    QCommandLineParser parser;
    const Options given;
    Describe(parser, given);
    if (!parser.parse(arguments)) {
        return Mistake(arguments, parser.errorText());
    }
    if (parser.isSet(given.help)) {
        return {{}, 0, parser.helpText().trimmed()};
    }
    if (parser.isSet(given.version)) {
        return {
            {},
            0,
            QCoreApplication::applicationName() + QLatin1Char(' ') + QCoreApplication::applicationVersion()};
    }
    CommandLine line;
    if (const Mistaken mistake = ReadArguments(parser, given, line.options)) {
        return Mistake(arguments, *mistake);
    }
    return line;
}

}  // namespace tintorb
