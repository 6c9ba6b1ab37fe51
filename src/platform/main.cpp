// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/FileImage.h"
#include "platform/CommandLine.h"
#include "platform/MainWindow.h"
#include "platform/Program.h"

#include <cstdio>

#include <QApplication>
#include <QCoreApplication>

int main(int argc, char* argv[]) {
    tintorb::IgnoreFileSizeSignal();
    tintorb::StartOptions options;
    {
        // Read before the window system is reached, so that --help, --version and a mistake need no display.
        const QCoreApplication reader(argc, argv);
        tintorb::SetProgramIdentity();
        const tintorb::CommandLine line = tintorb::ParseCommandLine(QCoreApplication::arguments());
        if (line.exitStatus) {
            std::FILE* out = *line.exitStatus == 0 ? stdout : stderr;
            std::fprintf(out, "%s\n", qPrintable(line.message));
            return *line.exitStatus;
        }
        options = line.options;
    }
    QApplication app(argc, argv);
    tintorb::SetProgramIdentity();
    tintorb::MainWindow window;
    window.show();
    window.KeepOnScreen();
    window.Start(options);
    return QApplication::exec();
}
