// SPDX-License-Identifier: GPL-3.0-or-later
// Each redraw shows its pixels once, right after drawing them and before it updates any text, so that the
// window never shows new texts beside old pixels; commands that change nothing redraw nothing.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/Generic.h"
#include "support/FormHarness.h"
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

TEST(RedrawOrder, AnEditRedrawsThePaletteThenTheBrowser) {
    LoggedForm f;
    f.form.btnSwapClick();
    EXPECT_EQ(f.controls.calls,
              (std::vector<std::string>{"present", "listing", "bits", "present", "lblBrowser"}));
}

// Each present shows only the areas drawn since the last, and between the palette's two areas lie the
// buttons, which a box around both would repaint for nothing.
TEST(RedrawOrder, AnEditPresentsThePaletteAreasThenTheBrowserGrid) {
    LoggedForm f;
    f.form.areaRGBMouseDown(MouseButton::Left, 100, 10);
    const Rect pal = RectOf(Ctl::areaPal);
    const Rect rgb = RectOf(Ctl::areaRGB);
    const Rect grid = RectOf(Ctl::areaBrowser);
    const std::vector<std::vector<PixelBox>> expected{
        {{pal.left, pal.top, pal.left + 4 * PaletteCellWidth, pal.top + PaletteCellHeight},
         {rgb.left, rgb.top, rgb.left + rgb.width, rgb.top + rgb.height}},
        {{grid.left, grid.top, grid.left + grid.width, grid.top + grid.height}},
    };
    EXPECT_EQ(f.controls.Presented(), expected);
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
