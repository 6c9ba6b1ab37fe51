#include "app/FindRows.h"

#include "model/NumberText.h"

#include <algorithm>
#include <cstdio>
#include <tuple>

namespace tintorb {

namespace {

[[nodiscard]] FindRow RowOf(std::int64_t address, std::int32_t length, std::string rating,
                            const PaletteNames& names) {
    return {address, length, AddressText(address), std::move(rating),
            names.TitleOf(address, length).value_or("")};
}

[[nodiscard]] std::string ScoreText(double score) {
    char text[16];
    std::snprintf(text, sizeof text, "%.2f", score);
    return text;
}

}  // namespace

std::vector<FindRow> ScanRows(std::span<const ScanHit> hits, const PaletteNames& names,
                              std::span<const std::uint8_t> bytes) {
    std::vector<ScanHit> ranked(hits.begin(), hits.end());
    for (const NamedPalette& named : names.Names()) {
        const auto found = std::find_if(hits.begin(), hits.end(), [&](const ScanHit& hit) {
            return hit.address == named.address && hit.length == named.length;
        });
        if (found == hits.end()) {
            const double score = PaletteScore(WordsAt(bytes, named.address, named.length), named.address);
            ranked.push_back({named.address, named.length, score});
        }
    }
    // The scan's own order: by score, then by address.
    std::stable_sort(ranked.begin(), ranked.end(), [](const ScanHit& a, const ScanHit& b) {
        return std::tuple(-a.score, a.address) < std::tuple(-b.score, b.address);
    });
    std::vector<FindRow> rows;
    rows.reserve(ranked.size());
    for (const ScanHit& hit : ranked) {
        rows.push_back(RowOf(hit.address, hit.length, ScoreText(hit.score), names));
    }
    return rows;
}

std::vector<FindRow> SearchRows(std::span<const SearchHit> hits, const PaletteNames& names) {
    std::vector<FindRow> rows;
    rows.reserve(hits.size());
    for (const SearchHit& hit : hits) {
        const std::string entries = hit.length == 1 ? "entry " + std::to_string(hit.queryStart)
                                                    : "entries " + std::to_string(hit.queryStart) + "–" +
                                                          std::to_string(hit.queryStart + hit.length - 1);
        rows.push_back(
            RowOf(hit.address, hit.length, entries + ", " + std::string(MatchName(hit.match)), names));
    }
    return rows;
}

}  // namespace tintorb
