// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the main window beside the Tiles window showing a sprite in the palette being edited, its red
// picked by a click on the sprite, and saves both side by side as a PNG (default docs/tiles.png). Run it
// offscreen: QT_QPA_PLATFORM=offscreen tintorb_tiles_screenshot [path]

#include "app/Commands.h"
#include "app/TilesSession.h"
#include "platform/ToolWindow.h"
#include "support/GuiSupport.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <cstdio>

namespace {

constexpr int PaletteAt = 0x100;
constexpr int SpriteAt = 0x200;

// A 16 × 16 sprite, one colour index a character.
const char* const Sprite[16] = {
    "................", ".....111111.....", "...1122222211...", "..123322223321..",
    ".12333222233321.", ".12332222223321.", "1222222332222221", "1223322333322321",
    "1233322222233321", ".11111111111111.", "...1444444441...", "..144154415441..",
    "..144154415441..", "..144444444441..", "...1444444441...", "....11111111....",
};

// The sprite as 4bpp-packed tiles stored down its columns: top left, bottom left, top right, bottom right.
QByteArray SpriteTiles() {
    const auto index = [](int x, int y) { return Sprite[y][x] == '.' ? 0 : Sprite[y][x] - '0'; };
    QByteArray tiles;
    for (const auto& [column, row] : {std::pair{0, 0}, {0, 1}, {1, 0}, {1, 1}}) {
        for (int y = row * 8; y < row * 8 + 8; ++y) {
            for (int x = column * 8; x < column * 8 + 8; x += 2) {
                tiles.append(static_cast<char>(index(x, y) << 4 | index(x + 1, y)));
            }
        }
    }
    return tiles;
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    tintorb::gui::PrepareApplication();
    const QString path = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs/tiles.png");
    QTemporaryDir dir;
    const std::vector<std::uint16_t> palette{0x0A62, 0x0000, 0x002E, 0x0EEE, 0x08CE, 0x0222, 0x0E80, 0x0C60,
                                             0x0A40, 0x0820, 0x00E8, 0x00A6, 0x0084, 0x0E0E, 0x0A0A, 0x0606};
    QByteArray rom(0x400, '\0');
    rom.replace(PaletteAt, 32, tintorb::gui::WordBytes(palette));
    rom.replace(SpriteAt, 128, SpriteTiles());
    QFile file(dir.filePath(QStringLiteral("sprite.bin")));
    if (!file.open(QIODevice::WriteOnly) || file.write(rom) != rom.size()) {
        return 1;
    }
    file.close();

    tintorb::gui::GuiWindow window;
    window.AnswerOpen(file.fileName());
    window.Window().ActionOf(tintorb::Command::Load)->trigger();
    window.Window().Form().LocatePalette(PaletteAt, 16);
    window.Window().ActionOf(tintorb::Command::Tiles)->trigger();
    tintorb::TilesSession& tiles = window.Window().Form().Tiles();
    tiles.SetAddress("$200");
    tiles.SetColumns(4);
    tiles.SetOrder(2, 2);
    tiles.SetZoom(8);
    tintorb::ToolWindow* tilesWindow = window.Window().Tiles();
    tilesWindow->resize(560, window.Window().height());
    QApplication::processEvents();
    // The red of the cap, picked on the sprite.
    tiles.Click(8 * 6, 8 * 3);
    tiles.Hover(8 * 6, 8 * 3);
    QApplication::processEvents();

    const QImage main = window.Window().grab().toImage();
    const QImage side = tilesWindow->grab().toImage();
    QImage both(main.width() + 8 + side.width(), std::max(main.height(), side.height()),
                QImage::Format_RGB32);
    both.fill(Qt::white);
    QPainter painter(&both);
    painter.drawImage(0, 0, main);
    painter.drawImage(main.width() + 8, 0, side);
    painter.end();
    if (!both.save(path, "PNG")) {
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
        return 1;
    }
    return 0;
}
