// SPDX-License-Identifier: GPL-3.0-or-later
// The Find Palettes session on the in-memory controls: what a scan and a search list, the names beside
// them, the status line, and a new document; and the window's fields, through its panel.

#include "app/Commands.h"
#include "app/FindSession.h"
#include "app/FinderPanel.h"
#include "model/NumberText.h"
#include "support/FormHarness.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tintorb::test {

namespace {

constexpr int Even = 0x2468;
constexpr int Odd = 0x101;
const std::vector<std::uint16_t> EvenPalette{0x0E2A, 0x0C46, 0x0A62, 0x088E, 0x06AA, 0x04C6, 0x02E2, 0x0E0E,
                                             0x0C28, 0x0A44, 0x0860, 0x068C, 0x04A8, 0x02C4, 0x00E0, 0x0EEC};
const std::vector<std::uint16_t> OddPalette{0x0246, 0x0468, 0x068A, 0x08AC, 0x0ACE, 0x0CE2, 0x0E24, 0x0442};

// rom.bin: invalid words everywhere but the two palettes, opened.
struct TwoPalettes : FormHarness {
    TempDir dir;
    std::string path = dir.File("rom.bin");

    TwoPalettes() {
        std::vector<std::uint8_t> rom(0x4000, 0xFF);
        const std::vector<std::uint8_t> even = WordBytes(EvenPalette);
        const std::vector<std::uint8_t> odd = WordBytes(OddPalette);
        std::copy(even.begin(), even.end(), rom.begin() + Even);
        std::copy(odd.begin(), odd.end(), rom.begin() + Odd);
        WriteBytes(path, rom);
        Open();
    }
    void Open() {
        controls.AnswerOpen(path);
        controls.Run(Command::Load);
    }
    // Each row as "address length rating title".
    [[nodiscard]] std::vector<std::string> Rows() {
        std::vector<std::string> rows;
        for (const FindRow& row : controls.Finder().Rows()) {
            rows.push_back(row.addressText + ' ' + std::to_string(row.length) + ' ' + row.rating + ' ' +
                           row.title);
        }
        return rows;
    }
};

}  // namespace

TEST(FindSession, ListsScansSearchesAndNames) {
    TwoPalettes h;
    FindSession& finder = h.controls.Finder();
    h.controls.Run(Command::FindPalettes);
    EXPECT_EQ(finder.Status(), "2 palettes found");
    ASSERT_EQ(finder.Rows().size(), 2u);
    EXPECT_FALSE(finder.RowsSearched());

    h.form.LocatePalette(Odd, static_cast<int>(OddPalette.size()));
    h.controls.AnswerTitle("Odd one");
    h.controls.Run(Command::NamePalette);
    const std::vector<std::string> rows = h.Rows();
    EXPECT_NE(std::find_if(rows.begin(), rows.end(),
                           [](const std::string& row) {
                               return row.starts_with("$101 8 ") && row.ends_with(" Odd one");
                           }),
              rows.end());

    finder.Search(std::vector<ColourWord>(EvenPalette.begin(), EvenPalette.end()));
    EXPECT_TRUE(finder.Busy());
    EXPECT_FALSE(finder.MinimumApplies());
    finder.Poll();
    EXPECT_EQ(finder.Status(), "1 place found for 16 colours");
    EXPECT_EQ(h.Rows(), std::vector<std::string>{"$2468 16 entries 0–15, exact "});
    EXPECT_TRUE(finder.RowsSearched());

    finder.ListNames();
    EXPECT_EQ(finder.Status(), "1 named palette");
    EXPECT_TRUE(finder.MinimumApplies());
    ASSERT_EQ(finder.Rows().size(), 1u);
    EXPECT_EQ(finder.Rows().front().title, "Odd one");
}

// Loading the file again lists its palettes afresh, with the name kept beside it; cancelled work lists
// nothing and says so.
TEST(FindSession, ANewDocumentIsScannedAfreshAndCancelledWorkListsNothing) {
    TwoPalettes h;
    FindSession& finder = h.controls.Finder();
    h.controls.Run(Command::FindPalettes);
    h.Open();
    EXPECT_EQ(h.controls.FinderCleared(), 2);
    EXPECT_EQ(finder.Status(), "2 palettes found");

    finder.Scan(DefaultMinRun);
    finder.Stop("Cancelled");
    finder.Poll();
    EXPECT_FALSE(finder.Busy());
    EXPECT_FALSE(finder.Listed());
    EXPECT_TRUE(finder.Rows().empty());
    EXPECT_EQ(finder.Status(), "Cancelled");
}

// Edits, undo and redo re-rate the listed rows, so that they and their colour strips show the file as it is;
// the rows keep their order under the user's edits.
TEST(FindSession, RowsFollowEditsUndoAndRedo) {
    TwoPalettes h;
    const FindSession& finder = h.controls.Finder();
    h.controls.Run(Command::FindPalettes);
    const std::size_t listed = finder.RowsVersion();
    const std::vector<std::string> scanned = h.Rows();
    ASSERT_EQ(scanned.size(), 2u);
    h.form.LocatePalette(Even, 16);
    h.controls.EditListing("dc.w $0000,$0000,$0000,$0000,$0000,$0000,$0000,$0000");
    h.controls.Press(Ctl::btnASM);
    EXPECT_NE(h.Rows(), scanned);
    h.controls.Run(Command::Undo);
    EXPECT_EQ(h.Rows(), scanned);
    h.controls.Run(Command::Redo);
    EXPECT_NE(h.Rows(), scanned);
    EXPECT_EQ(finder.RowsVersion(), listed);
}

// The window's fields, through the panel: rows activate, a search comes from the clipboard or a file, the
// minimum length scans again, and the current row stays on its palette when the rows are listed anew.
TEST(FinderPanel, FieldsReachTheSessionAndShowItsRows) {
    TwoPalettes h;
    MemoryPanel& view = h.controls.FinderView();
    h.controls.Run(Command::FindPalettes);
    std::vector<std::vector<std::string>> rows = view.Rows(FinderPanel::Table);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(view.Text(FinderPanel::Status), "2 palettes found");
    const int odd = rows[0][AddressColumn] == AddressText(Odd) ? 0 : 1;
    view.Activate(FinderPanel::Table, odd);
    EXPECT_EQ(h.form.State.PalAddress, Odd);
    EXPECT_EQ(h.form.State.PalLength, static_cast<int>(OddPalette.size()));
    h.controls.AnswerTitle("Odd one");
    h.controls.Run(Command::NamePalette);
    EXPECT_EQ(
        view.Rows(
            FinderPanel::Table)[static_cast<std::size_t>(*view.CurrentRow(FinderPanel::Table))][NameColumn],
        "Odd one");

    std::string listing;
    for (const std::uint16_t word : EvenPalette) {
        listing += AddressText(word) + "\n";
    }
    h.controls.SetClipboardText(listing);
    view.Press(FinderPanel::SearchButton, FinderPanel::FromClipboard);
    EXPECT_EQ(view.Rows(FinderPanel::Table)[0][RatingColumn], "entries 0\u201315, exact");
    EXPECT_FALSE(view.Enabled(FinderPanel::Minimum));
    // A file dialog cancelled searches for nothing, and a clipboard without colours says so as its own.
    view.Press(FinderPanel::SearchButton, FinderPanel::FromFile);
    for (const auto& [text, message] :
         {std::pair("\r\n ", "The clipboard holds no colours"),
          std::pair("zz", "The clipboard: Line 1: \"zz\" is no word from $0000 to $FFFF")}) {
        h.controls.SetClipboardText(text);
        try {
            view.Press(FinderPanel::SearchButton, FinderPanel::FromClipboard);
            ADD_FAILURE() << "searched for " << text;
        } catch (const FileError& error) {
            EXPECT_STREQ(error.what(), message);
        }
    }
    EXPECT_EQ(view.Rows(FinderPanel::Table).size(), 1U);

    // Loading the file again lists its palettes afresh, with the name kept beside it.
    h.Open();
    rows = view.Rows(FinderPanel::Table);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[static_cast<std::size_t>(odd)][NameColumn], "Odd one");
    // Longer than either: only the named palette stays, listed whatever its length.
    view.Change(FinderPanel::Minimum, static_cast<int>(EvenPalette.size()) + 1);
    EXPECT_TRUE(view.Enabled(FinderPanel::Minimum));
    EXPECT_EQ(view.Rows(FinderPanel::Table).size(), 1U);
}

namespace {

// A job whose work is done at once, but which ends only when the test says so.
class HeldJob : public FindJob {
  public:
    HeldJob(const bool& ends, FinderResult result) : ends_(ends), result_(std::move(result)) {}
    void Stop() override {}
    [[nodiscard]] bool Finished() const override { return ends_; }
    [[nodiscard]] double Done() const override { return 0.5; }
    [[nodiscard]] FinderResult Take() override { return std::move(result_); }

  private:
    const bool& ends_;
    FinderResult result_;
};

}  // namespace

TEST(FinderPanel, ProgressAndCancelShowOnlyForWorkThatTakesAMoment) {
    TwoPalettes h;
    bool ends = false;
    FinderPanel panel(h.form, h.controls, h.controls,
                      [&](std::vector<std::uint8_t> bytes, FindJob::Work work) {
                          return std::make_unique<HeldJob>(ends, work(bytes, {}));
                      });
    MemoryPanel view(panel, false);
    view.Open();
    EXPECT_FALSE(view.Visible(FinderPanel::Progress) || view.Visible(FinderPanel::Cancel));
    view.Wait(101);
    view.Poll();
    EXPECT_TRUE(view.Visible(FinderPanel::Progress) && view.Visible(FinderPanel::Cancel));
    EXPECT_EQ(view.Value(FinderPanel::Progress), 500);

    view.Press(FinderPanel::Cancel);
    EXPECT_FALSE(view.Visible(FinderPanel::Progress) || view.Visible(FinderPanel::Cancel));
    EXPECT_EQ(view.Text(FinderPanel::Status), "Cancelled");
    // The stopped work is polled until it has ended.
    EXPECT_TRUE(panel.Working());
    ends = true;
    view.Poll();
    EXPECT_FALSE(panel.Working());
    EXPECT_TRUE(view.Rows(FinderPanel::Table).empty());

    view.Press(FinderPanel::ScanButton);
    view.Poll();
    EXPECT_FALSE(view.Visible(FinderPanel::Progress));
    EXPECT_EQ(view.Rows(FinderPanel::Table).size(), 2U);
}

}  // namespace tintorb::test
