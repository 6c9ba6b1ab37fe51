// SPDX-License-Identifier: GPL-3.0-or-later
// The Tiles tool window on the real window: a click on a pixel selects its entry in the main window, a level
// change recolours the tile at once, and undo brings it back.

#include "app/Commands.h"
#include "app/TilesPanel.h"
#include "app/TilesSession.h"
#include "platform/ToolWindow.h"
#include "support/GuiSupport.h"

#include <QAction>
#include <QBackingStore>
#include <QLineEdit>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

namespace tintorb::gui {

// Whether the window shows, where the tile area lies, what the session's surface holds: the area draws its
// pixels straight into the window's memory without the surface, which is drawn only when asked.
[[nodiscard]] bool AreaShowsTheSession(ToolWindow& tiles, const TilesSession& session) {
    QPaintDevice* device = tiles.backingStore()->paintDevice();
    if (device->devType() != QInternal::Image) {
        return false;
    }
    const QWidget* area = tiles.FieldWidget(TilesPanel::Area);
    const QImage& window = *static_cast<QImage*>(device);
    const Surface& pixels = session.Pixels();
    const QRect shown =
        QRect(area->mapTo(&tiles, QPoint()), area->size().boundedTo({pixels.Width(), pixels.Height()}));
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (window.pixelColor(shown.topLeft() + QPoint(x, y)) != ColourOf(pixels.PixelAt(x, y))) {
                return false;
            }
        }
    }
    return !shown.isEmpty();
}

// Whether the legend shows in the window as it draws anywhere else: it draws straight into the window's
// memory, and into an image of its own for a grab.
[[nodiscard]] bool LegendShowsAsGrabbed(ToolWindow& tiles) {
    QWidget* legend = tiles.FieldWidget(TilesPanel::LegendStrip);
    const QImage window =
        static_cast<QImage*>(tiles.backingStore()->paintDevice())->convertToFormat(QImage::Format_RGB32);
    const QImage grabbed = legend->grab().toImage().convertToFormat(QImage::Format_RGB32);
    return window.copy(QRect(legend->mapTo(&tiles, QPoint()), legend->size())) == grabbed;
}

class TilesTest : public QObject {
    Q_OBJECT

  private slots:
    void aClickSelectsTheEntryAndALevelRecoloursTheTile();
};

void TilesTest::aClickSelectsTheEntryAndALevelRecoloursTheTile() {
    QTemporaryDir dir;
    GuiWindow w;
    std::vector<std::uint16_t> palette;
    for (int i = 0; i < 16; ++i) {
        palette.push_back(static_cast<std::uint16_t>(i * 0x0222 & 0x0EEE));
    }
    // The palette, then one 4bpp-packed tile of index 5.
    const QByteArray rom = WordBytes(palette) + QByteArray(32, '\x55');
    QFile file(dir.filePath(QStringLiteral("rom.bin")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(rom) == rom.size());
    file.close();
    w.AnswerOpen(file.fileName());
    w.Window().ActionOf(Command::Load)->trigger();
    w.Click(Ctl::btnReload);

    w.Key(Ctl::editAddress, Qt::Key_T, Qt::ControlModifier);
    ToolWindow* tiles = w.Window().Tiles();
    QVERIFY(tiles != nullptr && tiles->isVisible());
    // Placed by the size it shows at, which its controls make wider than the size it was made with: on the
    // screen, or at its left edge when wider than the screen.
    const QRect frame = tiles->frameGeometry();
    const QRect screen = tiles->screen()->availableGeometry();
    QVERIFY(frame.right() <= screen.right() || frame.left() == screen.left());
    // The tiles take the keys from the start: a list box would take the page keys as choices of its own.
    QWidget* area = tiles->FieldWidget(TilesPanel::Area);
    QCOMPARE(tiles->focusWidget(), area);
    auto* address = tiles->findChild<QLineEdit*>(QStringLiteral("tileAddress"));
    address->setFocus();
    address->selectAll();
    QTest::keyClicks(address, QStringLiteral("$20"));
    QTest::keyClick(address, Qt::Key_Return);
    const QPoint pixel(5, 5);
    QTRY_COMPARE(area->grab().toImage().pixelColor(pixel), ColourOf(DisplayColour(0x0AAA)));
    // The arrows step the start, rather than scroll the view sideways.
    QTest::keyClick(area, Qt::Key_Right);
    QCOMPARE(w.Form().Tiles().Settings().start, 0x21);
    QTest::keyClick(area, Qt::Key_Left);

    QTest::mouseClick(tiles->windowHandle(), Qt::LeftButton, {}, area->mapTo(tiles, pixel));
    QCOMPARE(w.Form().State.SelStart, 5);
    w.Click(GuiWindow::At(Ctl::areaRGB, 30 * 7 + 5, 5));
    QCOMPARE(area->grab().toImage().pixelColor(pixel), ColourOf(DisplayColour(0x0AAE)));
    QTRY_VERIFY(AreaShowsTheSession(*tiles, w.Form().Tiles()));
    QWidget* legend = tiles->FieldWidget(TilesPanel::LegendStrip);
    QCOMPARE(legend->grab().toImage().pixelColor(legend->width() / 16 * 5 + 1, 1),
             ColourOf(DisplayColour(0x0AAE)));
    QVERIFY(LegendShowsAsGrabbed(*tiles));
    w.Window().ActionOf(Command::Undo)->trigger();
    QCOMPARE(area->grab().toImage().pixelColor(pixel), ColourOf(DisplayColour(0x0AAA)));
    QTRY_VERIFY(AreaShowsTheSession(*tiles, w.Form().Tiles()));
    QVERIFY(LegendShowsAsGrabbed(*tiles));
}

}  // namespace tintorb::gui

TINTORB_GUI_TEST_MAIN(tintorb::gui::TilesTest)
#include "tiles_test.moc"
