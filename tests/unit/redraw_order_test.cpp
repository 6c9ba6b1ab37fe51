// SPDX-License-Identifier: GPL-3.0-or-later
// Each redraw shows its pixels once, right after drawing them and before it updates any text, so that the
// window never shows new texts beside old pixels; it shows only the pixels that changed, and what it leaves
// on the screen is what a full redraw would draw; commands that change nothing redraw nothing.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/Generic.h"
#include "support/FormHarness.h"
#include "views/BrowserView.h"
#include "views/LevelPicker.h"
#include "views/PaletteView.h"

namespace tintorb::test {
namespace {

// Records the calls by which the form updates what the user sees.
class RedrawLog : public MemoryControls {
  public:
    std::vector<std::string> calls;

    void Present() override {
        calls.emplace_back("present");
        MemoryControls::Present();
    }
    void SetText(Ctl c, std::string_view text) override {
        calls.emplace_back(std::string(LayoutOf(c).name));
        MemoryControls::SetText(c, text);
    }
    void SetLines(Ctl c, std::span<const std::string> lines) override {
        calls.emplace_back("listing");
        MemoryControls::SetLines(c, lines);
    }
    void InsertText(Ctl c, std::string_view text) override {
        if (calls.empty() || calls.back() != "bits") {
            calls.emplace_back("bits");
        }
        MemoryControls::InsertText(c, text);
    }
};

struct LoggedForm {
    RedrawLog controls;
    TForm1 form{controls};

    // A form showing a palette of four white entries with the first two selected.
    LoggedForm() {
        controls.Attach(form);
        form.FormCreate();
        EditorState& s = Mutable(form);
        s.FileData = WordBytes({0x0EEE, 0x0EEE, 0x0EEE, 0x0EEE});
        s.WordCount = 4;
        s.FileName = "palette.bin";
        s.PalLength = 4;
        s.SelEnd = 1;
        form.surface().TakeDirty();
        controls.calls.clear();
    }
};

TEST(RedrawOrder, TheBrowserPresentsBeforeItsLabel) {
    LoggedForm f;
    f.form.DrawBrowser();
    EXPECT_EQ(f.controls.calls, (std::vector<std::string>{"present", "lblBrowser"}));
}

TEST(RedrawOrder, ThePalettePresentsBeforeTheListingAndTheBits) {
    LoggedForm f;
    f.form.DrawPalette();
    EXPECT_EQ(f.controls.calls, (std::vector<std::string>{"present", "listing", "bits"}));
}

// The palette's and the browser's cells show in one present; the browser's label says the same as before.
TEST(RedrawOrder, AnEditPresentsOnceThenWritesTheListingAndTheBits) {
    LoggedForm f;
    f.form.areaRGBMouseDown(MouseButton::Left, 100, 10);
    EXPECT_EQ(f.controls.calls, (std::vector<std::string>{"present", "listing", "bits"}));
}

// The present shows only the pixels that changed: the edited entry's cell without its unchanged marks, the
// red mark's move in the picker, and the entry's browser cell.
TEST(RedrawOrder, AnEditPresentsOnlyWhatChanged) {
    LoggedForm f;
    f.form.DrawPalette();
    f.form.DrawBrowser();
    const std::size_t shownBefore = f.controls.Presented().size();
    f.form.areaRGBMouseDown(MouseButton::Left, 100, 10);
    const Rect pal = RectOf(Ctl::areaPal);
    const Rect rgb = RectOf(Ctl::areaRGB);
    const Rect grid = RectOf(Ctl::areaBrowser);
    const std::vector<std::vector<PixelBox>> expected{
        {{pal.left + 2, pal.top + 2, pal.left + PaletteCellWidth - 2, pal.top + PaletteCellHeight - 2},
         {rgb.left + 3 * SwatchSize, rgb.top, rgb.left + 8 * SwatchSize, rgb.top + SwatchSize},
         {grid.left, grid.top, grid.left + BrowserCellSize, grid.top + BrowserCellSize}},
    };
    EXPECT_EQ(std::vector(f.controls.Presented().begin() + static_cast<std::ptrdiff_t>(shownBefore),
                          f.controls.Presented().end()),
              expected);
}

// The window's screen as the presents leave it: each copies only what the surface reports drawn.
class ScreenControls : public MemoryControls {
  public:
    void Present() override {
        const Surface& surface = form->surface();
        if (screen.empty()) {
            screen.assign(static_cast<std::size_t>(ClientWidth) * ClientHeight, 0);
        }
        for (const PixelBox& box : surface.Dirty().Boxes()) {
            for (int y = box.top; y < std::min(box.bottom, ClientHeight); ++y) {
                for (int x = box.left; x < std::min(box.right, ClientWidth); ++x) {
                    screen[static_cast<std::size_t>(y) * ClientWidth + x] = PixelOf(surface.PixelAt(x, y));
                }
            }
        }
        MemoryControls::Present();
    }

    TForm1* form = nullptr;
    std::vector<std::uint32_t> screen;
};

// Where the screen's browser, palette or picker differs from a fresh form's full drawing of the same state;
// empty where it does not.
std::string StaleOnScreen(const ScreenControls& shown, const TForm1& form) {
    FormHarness fresh;
    Mutable(fresh.form) = form.State;
    if (shown.Checked(Ctl::chkInvalid)) {
        fresh.controls.Press(Ctl::chkInvalid);
    }
    fresh.form.DrawPalette();
    fresh.form.DrawBrowser();
    if (shown.Lines(Ctl::memoASM) != fresh.controls.Lines(Ctl::memoASM)) {
        return "memoASM";
    }
    if (shown.Text(Ctl::editBits) != fresh.controls.Text(Ctl::editBits)) {
        return "editBits";
    }
    for (const Ctl area : {Ctl::areaBrowser, Ctl::areaPal, Ctl::areaRGB}) {
        const Rect r = RectOf(area);
        for (int y = r.top; y < r.top + r.height; ++y) {
            for (int x = r.left; x < r.left + r.width; ++x) {
                if (shown.screen[static_cast<std::size_t>(y) * ClientWidth + x] !=
                    PixelOf(fresh.form.surface().PixelAt(x, y))) {
                    return std::string(LayoutOf(area).name) + " at " + std::to_string(x) + ", " +
                           std::to_string(y);
                }
            }
        }
    }
    return {};
}

TEST(RedrawOrder, AfterRandomEditsTheScreenShowsWhatAFullRedrawWould) {
    std::mt19937 random(25);
    const auto any = [&](int high) { return std::uniform_int_distribution(0, high)(random); };
    ScreenControls controls;
    TForm1 form(controls);
    controls.form = &form;
    controls.Attach(form);
    form.FormCreate();
    controls.Present();
    std::vector<std::uint16_t> words(3000);
    for (std::uint16_t& w : words) {
        w = static_cast<std::uint16_t>(any(2) == 0 ? any(0xFFFF) : any(0xFFFF) & 0x0EEE);
    }
    EditorState& s = Mutable(form);
    s.FileData = WordBytes(words);
    // An odd length: the last byte is half a word, which neither the grid nor a palette shows.
    s.FileData.push_back(0x0E);
    const auto size = static_cast<int>(s.FileData.size());
    s.WordCount = static_cast<std::int32_t>(words.size());
    s.FileName = "random.bin";
    controls.SetScrollMax(Ctl::barBrowser, static_cast<int>(words.size()) / BrowserColumns);
    form.DrawBrowser();
    form.LocatePalette(0, 16);
    const Rect pal = RectOf(Ctl::areaPal);
    const Rect rgb = RectOf(Ctl::areaRGB);
    const Rect grid = RectOf(Ctl::areaBrowser);
    const std::vector<Ctl> buttons{Ctl::btnSwap, Ctl::btnReverse, Ctl::btnGradient,
                                   Ctl::btnCopy, Ctl::btnPaste,   Ctl::chkInvalid};
    for (int step = 0; step < 300; ++step) {
        switch (any(7)) {
            case 0:
                controls.Mouse(Ctl::areaRGB, MouseAction::Down, MouseButton::Left, any(rgb.width - 1),
                               any(rgb.height - 1));
                break;
            case 1:
                controls.Mouse(Ctl::areaPal, MouseAction::Down, MouseButton::Left, any(pal.width - 1),
                               any(pal.height - 1));
                controls.Mouse(Ctl::areaPal, MouseAction::Up, MouseButton::Left, any(pal.width - 1),
                               any(pal.height - 1));
                break;
            case 2:
                controls.Press(buttons[static_cast<std::size_t>(any(static_cast<int>(buttons.size()) - 1))]);
                break;
            case 3:
                any(1) == 0 ? form.Undo() : form.Redo();
                break;
            case 4:
                controls.SetScrollPos(Ctl::barBrowser, any(static_cast<int>(words.size()) / BrowserColumns));
                break;
            case 5:
                controls.Mouse(Ctl::areaBrowser, MouseAction::Down, MouseButton::Left, any(grid.width - 1),
                               any(grid.height - 1));
                break;
            case 6: {
                // Bytes anywhere, on screen or off it, at odd offsets and over the end, as a patch writes.
                std::vector<std::uint8_t> bytes(static_cast<std::size_t>(1 + any(5)));
                for (std::uint8_t& b : bytes) {
                    b = static_cast<std::uint8_t>(any(0xFF));
                }
                const int within = any(1) == 0 ? 256 : size;
                form.Apply({std::max(any(within) - 2, 0), bytes});
                break;
            }
            default:
                // Near the start, where the grid shows it at first, or straddling the image's end.
                form.LocatePalette(any(1) == 0 ? any(200) : size - 1 - any(60), 1 + any(MaxPalLength - 1));
                break;
        }
        const std::string stale = StaleOnScreen(controls, form);
        ASSERT_TRUE(stale.empty()) << "step " << step << ": " << stale;
    }
}

TEST(RedrawOrder, CommandsWithNothingToChangeRedrawNothing) {
    LoggedForm f;
    Mutable(f.form).SelEnd = 0;
    f.form.btnSwapClick();
    f.form.btnReverseClick();
    f.form.btnGradientClick();
    f.form.btnPasteClick();  // nothing copied yet
    f.form.btnCopyClick();   // copying changes no entry
    Mutable(f.form).PalLength = 0;
    f.form.areaPalMouseUp(MouseButton::Left, 10, 10);
    f.form.areaPalMouseDown(MouseButton::Left, 10, 10);
    f.form.areaRGBMouseDown(MouseButton::Left, 10, 10);
    EXPECT_TRUE(f.controls.calls.empty());
}

}  // namespace
}  // namespace tintorb::test
