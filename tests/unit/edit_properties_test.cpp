#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "model/NumberText.h"
#include "support/FormHarness.h"

namespace tintorb::test {
namespace {

// Random palettes inside random files, edited by random sequences of the entry and range commands with
// random (also out-of-area) mouse positions. Whatever the sequence, the bytes around the palette never
// change and the state stays one the views can draw.
class RandomEdits {
  public:
    explicit RandomEdits(unsigned seed) : random_(seed) {
        EditorState& s = h_.form.State;
        s.PalLength = Between(1, 64);
        s.PalAddress = Between(0, 40);
        s.FileData.resize(static_cast<std::size_t>(s.PalAddress + 2 * s.PalLength + Between(0, 40)));
        for (std::uint8_t& byte : s.FileData) {
            byte = static_cast<std::uint8_t>(Between(0, 255));
        }
        s.WordCount = static_cast<std::int32_t>(s.FileData.size() / 2);
        s.FileName = "loaded.bin";
        s.SelStart = Between(0, s.PalLength - 1);
        s.SelEnd = Between(s.SelStart, s.PalLength - 1);
        original_ = s.FileData;
    }

    void Step() {
        TForm1& f = h_.form;
        switch (Between(0, 10)) {
            case 0:
                f.areaPalMouseDown(AnyButton(), Between(-60, 460), Between(-60, 220));
                break;
            case 1:
                f.areaPalMouseUp(AnyButton(), Between(-60, 460), Between(-60, 220));
                break;
            case 2:
                f.areaRGBMouseDown(AnyButton(), Between(-10, 300), Between(-10, 120));
                break;
            case 3:
                h_.controls.AnswerColour(Between(0, 3) == 0 ? std::nullopt : std::optional(AnyColour()));
                f.btnColourClick();
                break;
            case 4:
                f.editBitsMouseDown(AnyButton(), Between(0, 200), 8);
                break;
            case 5:
                f.btnCopyClick();
                break;
            case 6:
                f.btnPasteClick();
                break;
            case 7:
                f.btnGradientClick();
                break;
            case 8:
                f.btnSwapClick();
                break;
            case 9:
                f.btnReverseClick();
                break;
            default:
                h_.controls.EditListing(AnyListing());
                f.btnASMClick();
                break;
        }
    }

    void ExpectSound() const {
        const EditorState& s = h_.form.State;
        ASSERT_EQ(s.FileData.size(), original_.size());
        const auto paletteEnd = static_cast<std::size_t>(s.PalAddress + 2 * s.PalLength);
        for (std::size_t i = 0; i < s.FileData.size(); ++i) {
            if (i < static_cast<std::size_t>(s.PalAddress) || i >= paletteEnd) {
                ASSERT_EQ(s.FileData[i], original_[i]) << "byte " << i << " outside the palette";
            }
        }
        ASSERT_LE(0, s.SelStart);
        ASSERT_LE(s.SelStart, s.SelEnd);
        ASSERT_LT(s.SelEnd, s.PalLength);
        ASSERT_LE(paletteEnd, s.FileData.size());
        ASSERT_EQ(s.ClipData.size() % 2, 0u);
        // Whatever was drawn has been presented, so the window shows it.
        ASSERT_TRUE(h_.form.surface().Dirty().Empty());
    }

  private:
    int Between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    MouseButton AnyButton() { return static_cast<MouseButton>(Between(0, 2)); }
    Rgb AnyColour() {
        return {static_cast<std::uint8_t>(Between(0, 255)), static_cast<std::uint8_t>(Between(0, 255)),
                static_cast<std::uint8_t>(Between(0, 255))};
    }
    std::string AnyListing() {
        std::string text;
        const int lines = Between(0, 6);
        for (int line = 0; line < lines; ++line) {
            text += "dc.w ";
            const int values = Between(0, 20);
            for (int v = 0; v < values; ++v) {
                text += (v == 0 ? "$" : ",$") + HexText(static_cast<std::uint32_t>(Between(0, 0xFFFF)), 4);
            }
            text += "\n";
        }
        return text;
    }

    std::mt19937 random_;
    FormHarness h_;
    std::vector<std::uint8_t> original_;
};

TEST(EditProperties, RandomCommandSequencesStayInsideThePaletteAndKeepTheStateSound) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        RandomEdits edits(seed);
        for (int step = 0; step < 40; ++step) {
            edits.Step();
            edits.ExpectSound();
            if (testing::Test::HasFatalFailure()) {
                return;
            }
        }
    }
}

}  // namespace
}  // namespace tintorb::test
