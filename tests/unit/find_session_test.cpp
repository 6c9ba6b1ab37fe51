// SPDX-License-Identifier: GPL-3.0-or-later
// The Find Palettes session on the in-memory controls: what a scan and a search list, the names beside
// them, the status line, and a new document.

#include "app/Commands.h"
#include "app/FindSession.h"
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

// Edits, undo and redo re-rate the listed rows, so that they and their colour strips show the file as it is.
TEST(FindSession, RowsFollowEditsUndoAndRedo) {
    TwoPalettes h;
    FindSession& finder = h.controls.Finder();
    h.controls.Run(Command::FindPalettes);
    const std::vector<std::string> scanned = h.Rows();
    ASSERT_EQ(scanned.size(), 2u);
    h.form.LocatePalette(Even, 16);
    h.controls.EditListing("dc.w $0000,$0000,$0000,$0000,$0000,$0000,$0000,$0000");
    const std::size_t version = finder.RowsVersion();
    h.controls.Press(Ctl::btnASM);
    EXPECT_GT(finder.RowsVersion(), version);
    EXPECT_NE(h.Rows(), scanned);
    h.controls.Run(Command::Undo);
    EXPECT_EQ(h.Rows(), scanned);
    h.controls.Run(Command::Redo);
    EXPECT_NE(h.Rows(), scanned);
}

}  // namespace tintorb::test
