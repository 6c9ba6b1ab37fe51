// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "patches/Changes.h"
#include "patches/Crc32.h"
#include "patches/Patch.h"

namespace tintorb {
namespace {

using ByteVector = std::vector<std::uint8_t>;
using namespace std::string_view_literals;

constexpr std::size_t FooterOffset = 0x454F46;

[[nodiscard]] ByteVector Text(std::string_view text) {
    return {text.begin(), text.end()};
}

[[nodiscard]] FileBytes Applied(const ByteVector& source, const ByteVector& patch) {
    FileBytes target;
    (void)ApplyPatch(source, patch, target);
    return target;
}

// The offsets of an IPS patch's records, walked as the format lays them out.
[[nodiscard]] std::vector<std::size_t> IpsOffsets(const ByteVector& p) {
    std::vector<std::size_t> offsets;
    for (std::size_t at = 5; p.size() - at > 6;) {
        offsets.push_back(std::size_t{p[at]} << 16 | std::size_t{p[at + 1]} << 8 | p[at + 2]);
        const std::size_t size = std::size_t{p[at + 3]} << 8 | p[at + 4];
        at += 5 + (size > 0 ? size : 3);
    }
    return offsets;
}

// How an image changes between the two of a pair.
struct Shape {
    const char* name;
    std::size_t sourceSize;
    std::size_t targetSize;
    int edits;
    int runs;
    std::vector<std::size_t> places;  // edited as well
    std::size_t runAt = 0;            // and a run of runLength 0xEE bytes there
    std::size_t runLength = 0;
};

[[nodiscard]] std::pair<ByteVector, ByteVector> Pair(const Shape& shape, unsigned seed) {
    std::mt19937 random(seed);
    ByteVector source(shape.sourceSize);
    for (std::uint8_t& b : source) {
        b = static_cast<std::uint8_t>(random() % 4);  // few values, so that edits sometimes change nothing
    }
    ByteVector target = source;
    target.resize(shape.targetSize, 0);
    const auto somewhere = [&] {
        return std::uniform_int_distribution<std::size_t>(0, target.size() - 1)(random);
    };
    for (int i = 0; i < shape.edits && !target.empty(); ++i) {
        target[somewhere()] = static_cast<std::uint8_t>(random());
    }
    for (int i = 0; i < shape.runs && !target.empty(); ++i) {
        const std::size_t at = somewhere();
        const std::size_t n = std::min(target.size() - at, std::size_t{random() % 150'000});
        std::fill_n(target.begin() + static_cast<std::ptrdiff_t>(at), n, static_cast<std::uint8_t>(random()));
    }
    for (const std::size_t at : shape.places) {
        target[at] ^= 0x5A;
    }
    if (shape.runLength > 0) {
        std::fill_n(target.begin() + static_cast<std::ptrdiff_t>(shape.runAt), shape.runLength + seed,
                    std::uint8_t{0xEE});
    }
    return {source, target};
}

// Applying the patch made from a pair to its first image gives the second, for either format, and both
// sides count the same changes.
TEST(Patches, ApplyingTheMadePatchGivesTheTarget) {
    const std::vector<Shape> shapes{
        {"same", 3000, 3000, 0, 0, {}},
        {"edits", 5000, 5000, 60, 0, {0, 4999}},
        {"runs", 400'000, 400'000, 20, 6, {}},
        {"longer", 3000, 200'000, 30, 2, {}},
        {"shorter", 90'000, 7000, 30, 1, {}},
        {"from nothing", 0, 300, 0, 0, {}},
        {"to nothing", 300, 0, 0, 0, {}},
        {"at the footer's offset",
         0x460000,
         0x460000,
         0,
         0,
         {FooterOffset - 1, FooterOffset, FooterOffset + 1}},
        {"one at the footer's offset", 0x460000, 0x460000, 0, 0, {FooterOffset}},
        {"a run over the footer's offset", 0x460000, 0x460000, 0, 0, {}, FooterOffset - 20, 40},
    };
    for (const PatchFormat format : {PatchFormat::Ips, PatchFormat::Bps}) {
        for (const Shape& shape : shapes) {
            for (unsigned seed = 1; seed <= 3; ++seed) {
                const auto [source, target] = Pair(shape, seed);
                SCOPED_TRACE(std::string(shape.name) + " seed " + std::to_string(seed));
                const MadePatch made = CreatePatch(format, source, target);
                FileBytes result;
                const AppliedPatch applied = ApplyPatch(source, made.bytes, result);
                ASSERT_EQ(result, target);
                EXPECT_EQ(applied.format, format);
                EXPECT_EQ(applied.counts, made.counts);
                EXPECT_EQ(made.counts.changed,
                          Differing(source, target, 0, std::max(source.size(), target.size())));
                if (format == PatchFormat::Ips) {
                    const std::vector<std::size_t> offsets = IpsOffsets(made.bytes);
                    EXPECT_EQ(std::count(offsets.begin(), offsets.end(), FooterOffset), 0);
                }
            }
        }
    }
}

TEST(Patches, Crc32IsZipsAndContinuesAcrossPieces) {
    EXPECT_EQ(Crc32(Text("123456789")), 0xCBF43926u);
    std::mt19937 random(5);
    ByteVector bytes(3000);
    for (std::uint8_t& b : bytes) {
        b = static_cast<std::uint8_t>(random());
    }
    // Short pieces take the table path, long ones the folding path; both must agree.
    const std::uint32_t whole = Crc32(bytes);
    for (const std::size_t cut : {1u, 15u, 63u, 64u, 65u, 1000u, 2999u}) {
        EXPECT_EQ(Crc32(std::span(bytes).subspan(cut), Crc32(std::span(bytes).first(cut))), whole) << cut;
    }
}

// A BPS patch with every action, written out byte by byte: each number below 128 is one byte with its top
// bit set, an action is (length - 1) * 4 + its kind, and a copy's move is distance * 2 + 1 backwards.
[[nodiscard]] ByteVector WithFooter(const ByteVector& source, const ByteVector& target, ByteVector patch) {
    for (const std::uint32_t crc : {Crc32(source), Crc32(target)}) {
        for (int shift = 0; shift < 32; shift += 8) {
            patch.push_back(static_cast<std::uint8_t>(crc >> shift));
        }
    }
    const std::uint32_t own = Crc32(patch);
    for (int shift = 0; shift < 32; shift += 8) {
        patch.push_back(static_cast<std::uint8_t>(own >> shift));
    }
    return patch;
}

const ByteVector HandSource = Text("ABCDEFGHIJ");
const ByteVector HandTarget = Text("ABCxyGHIJCDxyGHIIIIIAB");
const ByteVector HandActions{
    'B',  'P',  'S', '1', 0x8A, 0x96, 0x80,  // sizes 10 and 22, no metadata
    0x88,                                    // SourceRead 3: ABC
    0x85, 'x',  'y',                         // TargetRead 2: xy
    0x8E, 0x8C,                              // SourceCopy 4 from 0 + 6: GHIJ
    0x86, 0x91,                              // SourceCopy 2 from 10 - 8: CD
    0x93, 0x86,                              // TargetCopy 5 from 0 + 3: xyGHI
    0x8F, 0x8E,                              // TargetCopy 4 from 8 + 7, overlapping itself: IIII
    0x87, 0xA7,                              // TargetCopy 2 from 19 - 19: AB
};

TEST(Patches, BpsAppliesEveryKindOfAction) {
    const FileBytes result = Applied(HandSource, WithFooter(HandSource, HandTarget, HandActions));
    EXPECT_EQ(result, HandTarget);
}

struct BadPatch {
    const char* name;
    ByteVector patch;
    std::string error;
};

// Each bad patch gives its one error, whatever it holds.
TEST(Patches, BadPatchesAreRefusedWithTheirReason) {
    const ByteVector good = WithFooter(HandSource, HandTarget, HandActions);
    ByteVector flipped = good;
    flipped[9] = 'z';
    ByteVector pastEnd = HandActions;
    pastEnd.push_back(0x80);  // SourceRead 1 beyond the 22 bytes
    ByteVector overflow = Text("BPS1");
    overflow.insert(overflow.end(), 10, 0x7F);
    overflow.push_back(0xFF);
    ByteVector huge = Text("BPS1");
    huge.insert(huge.end(), {0x8A, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x80, 0x80});
    const std::vector<BadPatch> cases{
        {"empty", {}, "The patch is empty"},
        {"no header", Text("PATCHY"), "cut short"},
        {"another header", Text("BPS2 and more"), "Not a patch"},
        {"IPS cut in a record",
         Text("PATCH\x01\x02\x03\x00\x05"
              "ab"sv),
         "The IPS patch is cut short: a record at byte 10"},
        {"IPS without footer",
         Text("PATCH\x01\x02\x03\x00\x01"
              "a"sv),
         "no EOF"},
        {"IPS cut in a run", Text("PATCH\x01\x02\x03\x00\x00\x01"sv), "a run's length"},
        {"BPS cut short", ByteVector(good.begin(), good.end() - 5), "cut short"},
        {"BPS damaged", flipped, "damaged: its CRC32 is"},
        {"BPS action past the end", WithFooter(HandSource, HandTarget, pastEnd),
         "writes past the result's 22 bytes"},
        {"BPS number past 64 bits", WithFooter(HandSource, HandTarget, overflow), "does not fit in 64 bits"},
        {"BPS too large a result", WithFooter(HandSource, HandTarget, huge), "more than the editor can hold"},
        {"BPS for another original", WithFooter(Text("ABCDEFGHIK"), HandTarget, HandActions),
         "made for another original: it expects CRC32 "},
    };
    for (const BadPatch& c : cases) {
        FileBytes target;
        try {
            (void)ApplyPatch(HandSource, c.patch, target);
            ADD_FAILURE() << c.name << " was applied";
        } catch (const PatchError& e) {
            EXPECT_NE(std::string(e.what()).find(c.error), std::string::npos) << c.name << ": " << e.what();
        }
    }
    // A run of no bytes far past the end writes nothing and lengthens nothing.
    EXPECT_EQ(Applied(HandSource, Text("PATCH\xF0\x00\x00\x00\x00\x00\x00\x07"
                                       "EOF"sv)),
              HandSource);
    // Both CRC32s, so that the user can tell which original the patch wants.
    try {
        (void)Applied(Text("ABCDEFGHIK"), good);
        ADD_FAILURE() << "applied to another original";
    } catch (const PatchError& e) {
        EXPECT_NE(std::string(e.what()).find(" has CRC32 "), std::string::npos) << e.what();
    }
}

TEST(Patches, IpsCannotReachSixteenMebibytes) {
    ByteVector source(0x1000010);
    ByteVector target = source;
    target[0x1000004] = 1;
    EXPECT_NO_THROW((void)CreatePatch(PatchFormat::Bps, source, target));
    try {
        (void)CreatePatch(PatchFormat::Ips, source, target);
        ADD_FAILURE() << "no error";
    } catch (const PatchError& e) {
        EXPECT_STREQ(
            e.what(),
            "An IPS patch cannot reach bytes at 16 MiB or beyond, and the files differ at $1000004: save "
            "the patch as .bps instead");
    }
    EXPECT_EQ(PatchFormatOf("a/b.IPS"), PatchFormat::Ips);
    EXPECT_EQ(PatchFormatOf("b.bps"), PatchFormat::Bps);
    EXPECT_EQ(PatchFormatOf("ips"), std::nullopt);
}

}  // namespace
}  // namespace tintorb
