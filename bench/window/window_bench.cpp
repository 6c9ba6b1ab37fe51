// SPDX-License-Identifier: GPL-3.0-or-later
// A level click through the real window, offscreen, until every widget it changed is painted, against a
// memcpy of the client area's pixels in the same run; and the same click with the Tiles window open, against
// the click with it closed and a fill of the tile area.

#include "app/Commands.h"
#include "app/Layout.h"
#include "app/TilesPanel.h"
#include "goals/Goals.h"
#include "platform/MainWindow.h"
#include "platform/ToolWindow.h"
#include "views/LevelPicker.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include <QApplication>
#include <QBackingStore>
#include <QImage>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>

namespace tintorb::bench {

namespace {

// The window with its open dialog answered by a file of 16384 colour words: enough for a full tile area.
class BenchWindow : public MainWindow {
  public:
    BenchWindow() {
        std::ofstream out(path_, std::ios::binary);
        for (int i = 0; i < 16384; ++i) {
            const auto word = static_cast<std::uint16_t>((i * 0x0122) & 0x0EEE);
            out.put(static_cast<char>(word >> 8)).put(static_cast<char>(word & 0xFF));
        }
    }
    ~BenchWindow() override { std::filesystem::remove(path_); }
    BenchWindow(const BenchWindow&) = delete;
    BenchWindow& operator=(const BenchWindow&) = delete;

    std::optional<std::string> RunOpenDialog() override { return path_.string(); }

  private:
    std::filesystem::path path_ = std::filesystem::temp_directory_path() / "tintorb-window-bench.bin";
};

// Client coordinates lie below the menu bar.
void ClickAt(MainWindow& window, QPoint client) {
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      client + window.ClientArea()->pos());
}

QPoint CentreOf(Ctl c) {
    const Rect r = RectOf(c);
    return {r.left + r.width / 2, r.top + r.height / 2};
}

// The tile area: 32 × 32 tiles at zoom 2. The benchmarks run interleaved, so its size is fixed here rather
// than taken from a run that may not have come first.
constexpr int TileAreaSide = 32 * 8 * 2;
// The session's pixels as the window sized them, for the reference line.
int tileAreaWidth = 0;
int tileAreaHeight = 0;

// The window with a file loaded and a palette located, and with the Tiles window open when asked; false,
// with the state told why, when it could not be made so.
bool Prepare(benchmark::State& state, BenchWindow& window, bool tilesOpen) {
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not exposed");
        return false;
    }
    ClickAt(window, CentreOf(Ctl::btnLoad));
    const Rect browser = RectOf(Ctl::areaBrowser);
    ClickAt(window, {browser.left + 4, browser.top + 4});
    QApplication::processEvents();
    if (window.Form().State.PalLength == 0) {
        state.SkipWithError("no palette was located, so the clicks would edit nothing");
        return false;
    }
    if (tilesOpen) {
        // 32 tiles across at zoom 2, in a window tall enough for 32 rows of them.
        window.ActionOf(Command::Tiles)->trigger();
        TilesSession& tiles = window.Form().Tiles();
        // Tiles after the palette, so that a level click changes no tile's bytes, only their colours.
        tiles.SetAddress("$100");
        tiles.SetColumns(32);
        tiles.SetZoom(2);
        window.Tiles()->show();
        QApplication::processEvents();
        // The window grown or shrunk until its tile area is exactly the area filled below.
        const QSize area = window.Tiles()->FieldWidget(TilesPanel::Area)->size();
        window.Tiles()->resize(window.Tiles()->size() + QSize(TileAreaSide, TileAreaSide) - area);
        QApplication::processEvents();
        tileAreaWidth = tiles.Pixels().Width();
        tileAreaHeight = tiles.Pixels().Height();
    }
    return true;
}

// A click on a red level swatch, alternating between two levels so that every click changes the entry:
// the palette, picker, browser, listing and bit view all redraw, and the tiles too when their window is open.
void ClickLevel(MainWindow& window) {
    static int level = 3;
    level = level == 3 ? 5 : 3;
    const Rect picker = RectOf(Ctl::areaRGB);
    ClickAt(window, {picker.left + SwatchSize * level + SwatchSize / 2, picker.top + SwatchSize / 2});
    QApplication::processEvents();
}

void LevelClicks(benchmark::State& state, bool tilesOpen) {
    BenchWindow window;
    if (!Prepare(state, window, tilesOpen)) {
        return;
    }
    for (auto _ : state) {
        ClickLevel(window);
    }
    if (!window.Form().document().CanUndo()) {
        state.SkipWithError("the clicks edited nothing");
    }
}

void ClickToPaint(benchmark::State& state) {
    LevelClicks(state, false);
}
BENCHMARK(ClickToPaint)->Unit(benchmark::kMicrosecond);

void ClickToPaintTilesOpen(benchmark::State& state) {
    LevelClicks(state, true);
}
BENCHMARK(ClickToPaintTilesOpen)->Unit(benchmark::kMicrosecond);

// The tile area's pixels where the window holds them; null when the window's memory is not 32-bit pixels of
// its own.
std::optional<Surface> TileAreaInWindow(MainWindow& window) {
    ToolWindow* tiles = window.Tiles();
    QPaintDevice* device = tiles->backingStore()->paintDevice();
    if (device == nullptr || device->devType() != QInternal::Image) {
        return std::nullopt;
    }
    auto* image = static_cast<QImage*>(device);
    const QPoint at = tiles->FieldWidget(TilesPanel::Area)->mapTo(tiles, QPoint(0, 0));
    if (image->depth() != 32 || !image->isDetached() ||
        !image->rect().contains(QRect(at, QSize(TileAreaSide, TileAreaSide)))) {
        return std::nullopt;
    }
    return Surface(image->bits() + at.y() * image->bytesPerLine() + at.x() * 4, image->bytesPerLine(),
                   TileAreaSide, TileAreaSide);
}

// Those pixels filled with one colour, after each level click, so that they are in the cache as much as a
// click leaves them. Only the fill is timed.
void FillTileArea(benchmark::State& state) {
    BenchWindow window;
    if (!Prepare(state, window, true)) {
        return;
    }
    for (auto _ : state) {
        ClickLevel(window);
        std::optional<Surface> area = TileAreaInWindow(window);
        if (!area) {
            state.SkipWithError("the tile area is not in 32-bit memory of the window's own");
            return;
        }
        const auto start = std::chrono::steady_clock::now();
        area->FillBox(Rgb{1, 2, 3}, 0, 0, TileAreaSide, TileAreaSide);
        benchmark::DoNotOptimize(area->Row0());
        benchmark::ClobberMemory();
        state.SetIterationTime(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
}
BENCHMARK(FillTileArea)->UseManualTime()->MinTime(0.1)->Unit(benchmark::kMicrosecond);

// The same fill on a surface of its own, which nothing else touches between fills, for reference.
void FillTileAreaAside(benchmark::State& state) {
    Surface surface(TileAreaSide, TileAreaSide);
    for (auto _ : state) {
        surface.FillBox(Rgb{1, 2, 3}, 0, 0, TileAreaSide, TileAreaSide);
        benchmark::DoNotOptimize(surface.Row0());
        (void)surface.TakeDirty();
    }
}
BENCHMARK(FillTileAreaAside)->Unit(benchmark::kMicrosecond);

// The floor the toolkit sets while the listing is a Qt text box: a bare window with one text box whose one
// line changes on each click, clicked as the level swatch is.
class OneLineWindow : public QWidget {
  public:
    OneLineWindow() {
        resize(ClientWidth, ClientHeight);
        const Rect r = RectOf(Ctl::memoASM);
        box_->setGeometry(r.left, r.top, r.width, r.height);
        box_->setPlainText(QStringLiteral("dc.w $0EEE,$0EEE,$0EEE,$0EEE\ndc.w $0EEE,$0EEE,$0EEE,$0EEE"));
    }

  protected:
    void mousePressEvent(QMouseEvent*) override {
        red_ = !red_;
        QTextCursor cursor(box_->document()->findBlockByNumber(0));
        cursor.setPosition(cursor.position() + 5);
        cursor.setPosition(cursor.position() + 5, QTextCursor::KeepAnchor);
        cursor.insertText(red_ ? QStringLiteral("$000E") : QStringLiteral("$0EEE"));
    }

  private:
    QPlainTextEdit* box_ = new QPlainTextEdit(this);
    bool red_ = false;
};

void ClickToPaintTextBox(benchmark::State& state) {
    OneLineWindow window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        state.SkipWithError("the window was not exposed");
        return;
    }
    const QPoint outsideTheBox = CentreOf(Ctl::areaRGB);
    for (auto _ : state) {
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, Qt::NoModifier, outsideTheBox);
        QApplication::processEvents();
    }
}
BENCHMARK(ClickToPaintTextBox)->Unit(benchmark::kMicrosecond);

void MemcpyClientArea(benchmark::State& state) {
    const std::size_t bytes = std::size_t{ClientWidth} * ClientHeight * 4;
    std::vector<std::uint8_t> from(bytes, 1);
    std::vector<std::uint8_t> to(bytes, 2);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(MemcpyClientArea)->Unit(benchmark::kMicrosecond);

}  // namespace

}  // namespace tintorb::bench

int main(int argc, char* argv[]) {
    // The goal is defined offscreen, where no window system's compositor takes part.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication app(argc, argv);
    // What the runs leave in the settings (recent files, places, the Tiles window's choices) goes to a folder
    // of their own, never the user's.
    const QTemporaryDir settings;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    const tintorb::bench::Medians medians = tintorb::bench::RunBenchmarks(argc, argv);
    const auto click = medians.find("ClickToPaint");
    if (click != medians.end()) {
        tintorb::bench::PrintGoal("click-to-paint", click->second * 1e3, 0.9, " ms");
    }
    tintorb::bench::PrintRatioGoal(medians, "click-to-paint/memcpy", "ClickToPaint", "MemcpyClientArea", 1.0);
    tintorb::bench::PrintReference(medians, "text-box-click/memcpy", "ClickToPaintTextBox",
                                   "MemcpyClientArea");
    tintorb::bench::PrintReference(medians, "click-to-paint/text-box-click", "ClickToPaint",
                                   "ClickToPaintTextBox");
    // The fill's name carries its options after a slash.
    const auto fill = std::ranges::find_if(
        medians, [](const auto& median) { return median.first.starts_with("FillTileArea/"); });
    if (medians.contains("ClickToPaintTilesOpen") && medians.contains("ClickToPaint") &&
        fill != medians.end()) {
        const double allowed = 1.2 * medians.at("ClickToPaint") + fill->second;
        tintorb::bench::PrintGoal("click-to-paint-tiles-open/(1.2*closed+tile-fill)",
                                  medians.at("ClickToPaintTilesOpen") / allowed, 1.0, "x");
        std::printf("reference tile area: %d x %d pixels\n", tintorb::bench::tileAreaWidth,
                    tintorb::bench::tileAreaHeight);
        if (medians.contains("FillTileAreaAside")) {
            std::printf("reference tile-fill/fill-aside: %.2fx\n",
                        fill->second / medians.at("FillTileAreaAside"));
        }
    }
    return 0;
}
