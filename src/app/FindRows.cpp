// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/FindRows.h"

#include "model/NumberText.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <tuple>
#include <utility>

namespace tintorb {

namespace {

using Place = std::pair<std::int64_t, std::int32_t>;

// The titles by address and length, looked up once a row: a shared side file may name thousands.
class Titles {
  public:
    explicit Titles(const PaletteNames& names) {
        for (const NamedPalette& named : names.Names()) {
            titles_.emplace(Place{named.address, named.length}, named.title);
        }
    }
    [[nodiscard]] std::string Of(std::int64_t address, std::int32_t length) const {
        const auto found = titles_.find({address, length});
        return found == titles_.end() ? std::string() : std::string(found->second);
    }

  private:
    std::map<Place, std::string_view> titles_;
};

[[nodiscard]] FindRow RowOf(std::int64_t address, std::int32_t length, std::string rating,
                            const Titles& titles) {
    return {address, length, AddressText(address), std::move(rating), titles.Of(address, length)};
}

}  // namespace

std::vector<FindRow> ScanRows(std::span<const ScanHit> hits, const PaletteNames& names,
                              std::span<const std::uint8_t> bytes) {
    std::set<Place> places;
    for (const ScanHit& hit : hits) {
        places.emplace(hit.address, hit.length);
    }
    // The named places the scan did not list are ranked too.
    for (const NamedPalette& named : names.Names()) {
        places.emplace(named.address, named.length);
    }
    // Scored from the bytes as they are now, so that the ranks follow edits made since the scan.
    std::vector<ScanHit> ranked;
    ranked.reserve(places.size());
    for (const auto& [address, length] : places) {
        ranked.push_back({address, length, PaletteScore(WordsAt(bytes, address, length), address)});
    }
    std::sort(ranked.begin(), ranked.end(), [](const ScanHit& a, const ScanHit& b) {
        return std::tuple(-a.score, a.address) < std::tuple(-b.score, b.address);
    });
    const Titles titles(names);
    std::vector<FindRow> rows;
    rows.reserve(ranked.size());
    for (const ScanHit& hit : ranked) {
        rows.push_back(RowOf(hit.address, hit.length, ScoreText(hit.score), titles));
    }
    return rows;
}

std::vector<FindRow> NameRows(const PaletteNames& names, std::span<const std::uint8_t> bytes) {
    std::vector<FindRow> rows;
    rows.reserve(names.Names().size());
    for (const NamedPalette& named : names.Names()) {
        const double score = PaletteScore(WordsAt(bytes, named.address, named.length), named.address);
        rows.push_back(
            {named.address, named.length, AddressText(named.address), ScoreText(score), named.title});
    }
    std::stable_sort(rows.begin(), rows.end(),
                     [](const FindRow& a, const FindRow& b) { return a.address < b.address; });
    return rows;
}

std::vector<FindRow> SearchRows(std::span<const SearchHit> hits, const PaletteNames& names) {
    const Titles titles(names);
    std::vector<FindRow> rows;
    rows.reserve(hits.size());
    for (const SearchHit& hit : hits) {
        const std::string entries = hit.length == 1 ? "entry " + std::to_string(hit.queryStart)
                                                    : "entries " + std::to_string(hit.queryStart) + "–" +
                                                          std::to_string(hit.queryStart + hit.length - 1);
        rows.push_back(
            RowOf(hit.address, hit.length, entries + ", " + std::string(MatchName(hit.match)), titles));
    }
    return rows;
}

int RowToKeep(std::span<const FindRow> rows, const FindRow* was) {
    if (was == nullptr) {
        return 0;
    }
    const auto same = std::ranges::find_if(
        rows, [&](const FindRow& row) { return row.address == was->address && row.length == was->length; });
    return same != rows.end() ? static_cast<int>(same - rows.begin()) : 0;
}

std::string_view FindColumnTitle(int column, bool searched) {
    switch (column) {
        case AddressColumn:
            return "Address";
        case LengthColumn:
            return "Length";
        case ColoursColumn:
            return "Colours";
        case RatingColumn:
            return searched ? "Match" : "Score";
        default:
            return "Name";
    }
}

std::string FindCellText(const FindRow& row, int column) {
    switch (column) {
        case AddressColumn:
            return row.addressText;
        case LengthColumn:
            return std::to_string(row.length);
        case RatingColumn:
            return row.rating;
        case NameColumn:
            return row.title;
        default:
            return {};
    }
}

}  // namespace tintorb
