// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the whole window, its menu and status bars included, as it looks right after start-up, and saves
// it as a PNG (default docs/window.png). Run it offscreen: QT_QPA_PLATFORM=offscreen tintorb_screenshot PATH

#include "support/GuiSupport.h"

#include <QApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tintorb::gui::PrepareApplication();
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/window.png");
    tintorb::gui::GuiWindow window;
    const QImage image = window.Window().grab().toImage();
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
