#include "finder/ColourSearch.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

#include "finder/BestHits.h"
#include "model/EditorState.h"

namespace tintorb {

namespace {

// The bits of a colour word that the hardware shows.
constexpr ColourWord ShownBits = static_cast<ColourWord>(~InvalidMask);

[[nodiscard]] constexpr std::size_t ShownIndex(ColourWord w) {
    return (w & ShownBits) >> 1;
}

[[nodiscard]] ColourWord WordAt(const std::uint8_t* p) {
    return static_cast<ColourWord>(p[0] << 8 | p[1]);
}

[[nodiscard]] bool BetterMatch(const SearchHit& a, const SearchHit& b) {
    if (a.match != b.match) {
        return a.match < b.match;
    }
    if (a.length != b.length) {
        return a.length > b.length;
    }
    if (a.address != b.address) {
        return a.address < b.address;
    }
    return a.queryStart < b.queryStart;
}

// Follows, word by word along one parity, which query entries the words just read match in a row. Bit j
// of run[k] says that the last k + 1 words equal query entries j - k … j (of the last step, at least
// Needed words). A shift-and over all query entries at once: a step costs a few operations, however long
// the query.
class MatchTracker {
  public:
    MatchTracker(std::span<const std::uint8_t> bytes, std::span<const ColourWord> query)
        : bytes_(bytes),
          query_(query),
          needed_(std::min<int>(MinPartLength, static_cast<int>(query.size()))) {
        for (std::size_t j = 0; j < query.size(); ++j) {
            entriesOf_[ShownIndex(query[j])] |= std::uint64_t{1} << j;
        }
    }

    // The word at offset, the next of its parity after offset - 2.
    void Step(std::int64_t offset, int parity) {
        std::uint64_t* run = runs_[parity].data();
        const std::uint64_t entries = entriesOf_[ShownIndex(WordAt(bytes_.data() + offset))];
        if ((entries | run[0]) == 0) {
            return;
        }
        const std::uint64_t longest = run[needed_ - 1];
        for (int k = needed_ - 1; k > 0; --k) {
            run[k] = (run[k - 1] << 1) & entries;
        }
        run[needed_ - 1] |= (longest << 1) & entries;
        run[0] = entries;
        Report(longest & ~(run[needed_ - 1] >> 1), offset - 2);
    }

    // The matches still running where the words of a parity end.
    void Finish(std::int64_t lastOffset, int parity) { Report(runs_[parity][needed_ - 1], lastOffset); }

    [[nodiscard]] BestHits<SearchHit, decltype(&BetterMatch)>& Hits() { return hits_; }

  private:
    // Matches that ended at the word at offset; bit j of ended: with query entry j.
    void Report(std::uint64_t ended, std::int64_t offset) {
        while (ended != 0) {
            const int j = std::countr_zero(ended);
            ended &= ended - 1;
            AddMatch(offset, j);
        }
    }

    // The match that ends with the word at offset equal to query entry j, traced back to its start.
    void AddMatch(std::int64_t offset, int j) {
        std::int32_t length = 1;
        while (j - length >= 0 && offset - 2 * length >= 0 &&
               ShownIndex(WordAt(bytes_.data() + offset - 2 * length)) == ShownIndex(query_[j - length])) {
            ++length;
        }
        SearchHit hit{offset - 2 * (length - 1), length, j - length + 1, MatchKind::Part};
        if (length == static_cast<std::int32_t>(query_.size())) {
            hit.match = IsExact(hit.address) ? MatchKind::Exact : MatchKind::Masked;
        }
        hits_.Add(hit);
    }

    [[nodiscard]] bool IsExact(std::int64_t address) const {
        for (std::size_t i = 0; i < query_.size(); ++i) {
            if (WordAt(bytes_.data() + address + 2 * static_cast<std::int64_t>(i)) != query_[i]) {
                return false;
            }
        }
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::span<const ColourWord> query_;
    int needed_;
    std::array<std::uint64_t, (ShownBits >> 1) + 1> entriesOf_{};
    std::array<std::array<std::uint64_t, MinPartLength>, 2> runs_{};
    BestHits<SearchHit, decltype(&BetterMatch)> hits_{&BetterMatch};
};

}  // namespace

std::string_view MatchName(MatchKind kind) {
    switch (kind) {
        case MatchKind::Exact:
            return "exact";
        case MatchKind::Masked:
            return "masked";
        case MatchKind::Part:
            return "part";
    }
    return "part";
}

SearchResult FindColours(std::span<const std::uint8_t> bytes, std::span<const ColourWord> query,
                         const FindProgress& progress) {
    SearchResult result;
    query = query.first(std::min<std::size_t>(query.size(), MaxPalLength));
    const auto size = static_cast<std::int64_t>(bytes.size());
    if (query.empty() || size < 2) {
        return result;
    }
    MatchTracker tracker(bytes, query);
    std::int64_t offset = 0;
    for (; offset + 1 < size; ++offset) {
        if (offset % ProgressStep == 0 && progress && !progress(offset, size)) {
            result.stopped = true;
            break;
        }
        tracker.Step(offset, static_cast<int>(offset & 1));
    }
    if (!result.stopped) {
        // The last word of each parity: size - 2 and size - 3.
        tracker.Finish(size - 2, static_cast<int>((size - 2) & 1));
        if (size >= 3) {
            tracker.Finish(size - 3, static_cast<int>((size - 3) & 1));
        }
    }
    result.hits = tracker.Hits().Take(result.cut);
    return result;
}

}  // namespace tintorb
