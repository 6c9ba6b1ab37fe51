// SPDX-License-Identifier: GPL-3.0-or-later
// The palette scan and the colour search against plain reference loops on random files, palettes planted
// at known places, and the side file of names.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>

#include "finder/ColourSearch.h"
#include "finder/PaletteNames.h"
#include "finder/PaletteScan.h"
#include "support/FormHarness.h"
#include "support/PlantedFile.h"

namespace tintorb::test {

namespace {

using Bytes = std::vector<std::uint8_t>;

// Random bytes with made-up palettes of random lengths planted at random offsets, odd ones too.
Bytes RandomWithPalettes(std::mt19937& random) {
    Bytes bytes(random() % 3000);
    std::generate(bytes.begin(), bytes.end(), [&] { return static_cast<std::uint8_t>(random()); });
    for (int k = 0; k < 12 && bytes.size() > 200; ++k) {
        const std::vector<ColourWord> palette = MadeUpPalette(1 + static_cast<int>(random() % 90), random());
        const std::size_t at = random() % (bytes.size() - 2 * palette.size());
        Plant(bytes, at, palette);
    }
    return bytes;
}

[[nodiscard]] bool ValidAt(const Bytes& b, std::size_t i) {
    return i + 1 < b.size() && IsValidColour(static_cast<ColourWord>(b[i] << 8 | b[i + 1]));
}

// Every maximal run of valid words of at least minRun, cut into pieces of 64.
std::set<std::pair<std::int64_t, std::int32_t>> ReferencePieces(const Bytes& b, int minRun) {
    std::set<std::pair<std::int64_t, std::int32_t>> pieces;
    for (std::size_t start = 0; start + 1 < b.size(); ++start) {
        if (!ValidAt(b, start) || (start >= 2 && ValidAt(b, start - 2))) {
            continue;
        }
        std::int64_t n = 0;
        while (ValidAt(b, start + 2 * n)) {
            ++n;
        }
        for (std::int64_t i = 0; n >= minRun && i < n; i += 64) {
            pieces.emplace(start + 2 * i, std::min<std::int64_t>(64, n - i));
        }
    }
    return pieces;
}

TEST(PaletteScan, FindsEveryRunAsAPlainLoopDoesRankedByScore) {
    std::mt19937 random(1);
    for (int trial = 0; trial < 300; ++trial) {
        const Bytes bytes = RandomWithPalettes(random);
        const int minRun = std::array{1, 4, 8, 12}[trial % 4];
        const ScanResult result = ScanPalettes(bytes, minRun);
        std::set<std::pair<std::int64_t, std::int32_t>> found;
        for (const ScanHit& hit : result.hits) {
            found.emplace(hit.address, hit.length);
            EXPECT_EQ(hit.score, PaletteScore(WordsAt(bytes, hit.address, hit.length), hit.address));
        }
        ASSERT_EQ(found, ReferencePieces(bytes, minRun)) << "trial " << trial;
        EXPECT_TRUE(std::is_sorted(result.hits.begin(), result.hits.end(),
                                   [](const ScanHit& a, const ScanHit& b) { return a.score > b.score; }));
    }
}

TEST(PaletteScan, RanksPlantedPalettesAboveZerosAndCounting) {
    Bytes bytes(0x4000, 0xFF);
    const std::vector<ColourWord> palette = MadeUpPalette(16, 5);
    Plant(bytes, 0x100, palette);   // even, on a 32-byte boundary
    Plant(bytes, 0x1001, palette);  // odd
    std::fill_n(bytes.begin() + 0x2000, 200, 0);
    Plant(bytes, 0x2000 + 200, std::vector<ColourWord>{0, 0x0EEE, 0x0A42, 0x0246});  // after zeros, starts 0
    Plant(bytes, 0x2000 + 208, std::span(palette).subspan(1, 12));
    std::vector<ColourWord> grey(8);
    for (int i = 0; i < 8; ++i) {
        grey[i] = static_cast<ColourWord>(0x0222 * i);
    }
    Plant(bytes, 0x3000, grey);
    const std::vector<ScanHit> hits = ScanPalettes(bytes).hits;
    const auto rank = [&](std::int64_t address, std::int32_t length) {
        const auto it = std::find_if(hits.begin(), hits.end(), [&](const ScanHit& h) {
            return h.address == address && h.length == length;
        });
        return it == hits.end() ? -1 : static_cast<int>(it - hits.begin());
    };
    EXPECT_EQ(rank(0x100, 16), 0);
    EXPECT_GT(rank(0x1001, 16), 0);
    EXPECT_GT(rank(0x2000 + 200, 16), 0);  // the palette's own leading zero is not lost to the padding
    EXPECT_GT(rank(0x2000, 64), rank(0x2000 + 200, 16));
    EXPECT_GT(rank(0x3000, 8), rank(0x1001, 16));
    EXPECT_GT(rank(0x2001, 64), rank(0x2000 + 200, 16));  // the zeros seen at odd offsets
    EXPECT_EQ(hits.size(), 6u);
}

TEST(PaletteScan, PaddingInsideARunStandsAloneAndSplitsIt) {
    Bytes bytes(0x500, 0xFF);
    const std::vector<ColourWord> a = MadeUpPalette(10, 1);
    std::vector<ColourWord> b = MadeUpPalette(16, 2);
    b[0] = 0x0246;
    std::vector<ColourWord> run = a;
    run.insert(run.end(), 20, 0x0EEE);
    run.insert(run.end(), b.begin(), b.end());
    run.insert(run.end(), 17, 0x0000);
    Plant(bytes, 0x400, run);
    std::set<std::pair<std::int64_t, std::int32_t>> found;
    for (const ScanHit& hit : ScanPalettes(bytes).hits) {
        found.emplace(hit.address, hit.length);
    }
    EXPECT_EQ(found, (std::set<std::pair<std::int64_t, std::int32_t>>{
                         {0x400, 10}, {0x414, 20}, {0x43C, 16}, {0x45C, 17}, {0x45D, 16}}));
}

// Every maximal diagonal match of at least four entries (or of the whole of a shorter query), found by
// comparing every word with every entry.
std::set<std::tuple<std::int64_t, std::int32_t, std::int32_t, MatchKind>> ReferenceMatches(
    const Bytes& b, const std::vector<ColourWord>& q) {
    const auto shown = [&](std::int64_t i) { return (b[i] << 8 | b[i + 1]) & 0x0EEE; };
    const auto m = static_cast<std::int32_t>(q.size());
    std::set<std::tuple<std::int64_t, std::int32_t, std::int32_t, MatchKind>> matches;
    for (std::int64_t a = 0; a + 1 < static_cast<std::int64_t>(b.size()); ++a) {
        for (std::int32_t j = 0; j < m; ++j) {
            if (a >= 2 && j >= 1 && shown(a - 2) == (q[j - 1] & 0x0EEE)) {
                continue;  // not where the match starts
            }
            std::int32_t n = 0;
            while (j + n < m && a + 2 * n + 1 < static_cast<std::int64_t>(b.size()) &&
                   shown(a + 2 * n) == (q[j + n] & 0x0EEE)) {
                ++n;
            }
            if (n == m) {
                const bool exact = std::equal(q.begin(), q.end(), WordsAt(b, a, m).begin());
                matches.emplace(a, n, j, exact ? MatchKind::Exact : MatchKind::Masked);
            } else if (n >= MinPartLength) {
                matches.emplace(a, n, j, MatchKind::Part);
            }
        }
    }
    return matches;
}

TEST(ColourSearch, FindsWholeMaskedAndPartsAsComparingEveryWordDoes) {
    std::mt19937 random(2);
    for (int trial = 0; trial < 200; ++trial) {
        Bytes bytes = RandomWithPalettes(random);
        std::vector<ColourWord> query = MadeUpPalette(1 + static_cast<int>(random() % 64), random());
        // The query whole at an odd place with an unused bit set, and its two halves apart.
        if (bytes.size() > 4 * query.size() + 8) {
            std::vector<ColourWord> marked = query;
            marked[0] |= 0x1000;
            Plant(bytes, 1, marked);
            Plant(bytes, bytes.size() / 2, std::span(query).first(query.size() / 2));
            Plant(bytes, bytes.size() - 2 * (query.size() - query.size() / 2),
                  std::span(query).subspan(query.size() / 2));
        }
        const SearchResult result = FindColours(bytes, query);
        std::set<std::tuple<std::int64_t, std::int32_t, std::int32_t, MatchKind>> found;
        for (const SearchHit& hit : result.hits) {
            found.emplace(hit.address, hit.length, hit.queryStart, hit.match);
        }
        ASSERT_EQ(found, ReferenceMatches(bytes, query)) << "trial " << trial;
        EXPECT_TRUE(std::is_sorted(result.hits.begin(), result.hits.end(),
                                   [](const SearchHit& a, const SearchHit& b) {
                                       return std::tie(a.match, b.length) < std::tie(b.match, a.length);
                                   }));
    }
}

TEST(Finder, KeepsTheBestHitsAndStopsWhenAsked) {
    const Bytes zeros(2 * MaxHits + 100, 0);
    const SearchResult many = FindColours(zeros, std::vector<ColourWord>(4, 0));
    EXPECT_TRUE(many.cut);
    EXPECT_EQ(many.hits.size(), MaxHits);
    const ScanResult stopped = ScanPalettes(zeros, 8, [](std::int64_t, std::int64_t) { return false; });
    EXPECT_TRUE(stopped.stopped);
    EXPECT_TRUE(stopped.hits.empty());
}

TEST(PaletteNames, KeepsLinesItCannotReadAndRenamesInPlace) {
    const std::string text =
        "# names\r\n$1F40 16 Title screen\r\n$ZZ 16 broken\n8000 65 too long\n\n$100 8\n32 4  Two  words \n";
    PaletteNames names = PaletteNames::Parse(text);
    ASSERT_EQ(names.Names().size(), 2u);
    EXPECT_EQ(names.Names()[1], (NamedPalette{32, 4, "Two  words"}));
    ASSERT_EQ(names.Skipped().size(), 3u);
    EXPECT_EQ(names.Skipped()[0].number, 3u);
    EXPECT_EQ(names.Skipped()[0].reason, "\"$ZZ\" is no address");
    EXPECT_EQ(names.Skipped()[2].number, 6u);

    EXPECT_TRUE(names.Name(0x1F40, 16, "Title\nscreen, lit "));
    EXPECT_TRUE(names.Name(0x1F40, 32, "Both lines"));
    EXPECT_FALSE(names.Name(1, 1, " \t"));
    EXPECT_EQ(names.Text(),
              "# names\r\n$1F40 16 Title screen, lit\r\n$ZZ 16 broken\n8000 65 too long\n\n$100 8\n32 4  Two "
              " words "
              "\n$1F40 32 Both lines\n");
    EXPECT_EQ(PaletteNames::Parse(names.Text()).Names(), names.Names());
    EXPECT_EQ(names.TitleOf(0x1F40, 32), "Both lines");
}

// A rewrite must not change how any line reads: not through a dropped byte order mark, whose second copy
// would then be taken for the first, nor through the line breaks.
TEST(PaletteNames, ARewriteReadsAsTheFileDid) {
    for (const std::string text :
         {"\xEF\xBB\xBF\xEF\xBB\xBF$1F40 16 T\n$20 2 U\n", "\xEF\xBB\xBF$1F40 16 T\r\n$ZZ 1 x\r\n",
          "# a\rb 1 2\r\n$40 4 last", "\r", ""}) {
        SCOPED_TRACE(testing::PrintToString(text));
        PaletteNames names = PaletteNames::Parse(text);
        EXPECT_EQ(names.Text(), text);
        const auto skipped = [](const PaletteNames& n) {
            std::vector<std::pair<std::size_t, std::string>> lines;
            for (const SkippedLine& line : n.Skipped()) {
                lines.emplace_back(line.number, line.reason);
            }
            return lines;
        };
        ASSERT_TRUE(names.Name(0x20, 2, "Renamed") && names.Name(0x300, 8, "Added"));
        const PaletteNames reread = PaletteNames::Parse(names.Text());
        EXPECT_EQ(reread.Names(), names.Names());
        EXPECT_EQ(skipped(reread), skipped(PaletteNames::Parse(text)));
        EXPECT_EQ(reread.Text(), names.Text());
    }
    PaletteNames crlf = PaletteNames::Parse("$1 1 a\r\n$2 1 b");
    crlf.Name(4, 1, "c");
    EXPECT_EQ(crlf.Text(), "$1 1 a\r\n$2 1 b\r\n$4 1 c\r\n");
}

TEST(PaletteNames, AShortMenuShowsTheNamesNearestThePlace) {
    std::vector<NamedPalette> names;
    for (const std::int64_t address : {0x900, 0x100, 0x500, 0x520, 0x4F0, 0x2000}) {
        names.push_back({address, 16, "n"});
    }
    const auto addresses = [](const std::vector<NamedPalette>& shown) {
        std::vector<std::int64_t> a;
        for (const NamedPalette& n : shown) {
            a.push_back(n.address);
        }
        return a;
    };
    EXPECT_EQ(addresses(NearestNames(names, 0x500, 3)), (std::vector<std::int64_t>{0x4F0, 0x500, 0x520}));
    EXPECT_EQ(addresses(NearestNames(names, std::nullopt, 3)),
              (std::vector<std::int64_t>{0x100, 0x500, 0x900}));
    EXPECT_EQ(NearestNames(names, 0, 10).size(), names.size());
}

TEST(PaletteNames, SavingRereadsTheSideFileAndWritesItWhole) {
    const TempDir dir;
    const std::string rom = dir.File("game.bin");
    EXPECT_TRUE(ReadPaletteNames(rom).Names().empty());
    SavePaletteName(rom, {0x200, 16, "Sky"});
    WriteBytes(SideFilePath(rom), [&] {
        Bytes b = ReadBytes(SideFilePath(rom));
        const std::string added = "bad line\n";
        b.insert(b.end(), added.begin(), added.end());
        return b;
    }());
    const PaletteNames names = SavePaletteName(rom, {0x400, 8, "Sea"});
    EXPECT_EQ(ReadPaletteNames(rom).Text(),
              "# Palettes of game.bin: address, length (1 to 64), title\n"
              "$200 16 Sky\nbad line\n$400 8 Sea\n");
    EXPECT_EQ(names.Names().size(), 2u);
}

}  // namespace

}  // namespace tintorb::test
