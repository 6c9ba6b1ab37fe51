// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandLine.h"
#include "model/FileImage.h"
#include "platform/MainWindow.h"
#include "platform/Program.h"

#include <cstdio>
#include <string>
#include <vector>

#include <QApplication>

int main(int argc, char* argv[]) {
    tintorb::IgnoreFileSizeSignal();
    // Read before the window system is reached, so that --help, --version and a mistake need no display.
    const tintorb::CommandLine line = tintorb::ParseCommandLine(std::vector<std::string>(argv, argv + argc));
    if (line.exitStatus) {
        std::FILE* out = *line.exitStatus == 0 ? stdout : stderr;
        std::fprintf(out, "%s\n", line.message.c_str());
        return *line.exitStatus;
    }
    QApplication app(argc, argv);
    tintorb::SetProgramIdentity();
    tintorb::MainWindow window;
    window.show();
    window.KeepOnScreen();
    window.Start(line.options);
    return QApplication::exec();
}
