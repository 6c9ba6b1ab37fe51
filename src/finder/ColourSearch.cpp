// SPDX-License-Identifier: GPL-3.0-or-later
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

struct BetterMatch {
    [[nodiscard]] bool operator()(const SearchHit& a, const SearchHit& b) const {
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
};

// Which query entries each colour word equals, ignoring the unused bits: bit j for entry j.
class QueryEntries {
  public:
    explicit QueryEntries(std::span<const ColourWord> query) {
        for (std::size_t j = 0; j < query.size(); ++j) {
            entriesOf_[ShownIndex(query[j])] |= std::uint64_t{1} << j;
        }
    }
    [[nodiscard]] std::uint64_t Of(ColourWord w) const { return entriesOf_[ShownIndex(w)]; }

  private:
    std::array<std::uint64_t, (ShownBits >> 1) + 1> entriesOf_{};
};

using Hits = BestHits<SearchHit, BetterMatch>;

// The words along one parity (every other byte offset from 0 or from 1), searched for runs of query
// entries. It skips along as a backward-reading substring search does: a window of Needed words is read
// from its end, and as soon as its last words cannot be consecutive query entries, the window moves past
// them. Only where a window holds consecutive query entries does it follow the words one by one, as a
// shift-and over all query entries at once, until a word equals no entry.
class ParitySearch {
  public:
    ParitySearch(std::span<const std::uint8_t> bytes, std::span<const ColourWord> query,
                 const QueryEntries& entries, int parity, Hits& hits)
        : bytes_(bytes),
          query_(query),
          entries_(entries),
          hits_(hits),
          parity_(parity),
          count_(static_cast<std::int64_t>(bytes.size()) > parity
                     ? (static_cast<std::int64_t>(bytes.size()) - parity) / 2
                     : 0),
          needed_(std::min<int>(MinPartLength, static_cast<int>(query.size()))),
          windowEnd_(needed_ - 1) {}

    // Searches the words before the word end (counted along this parity).
    void Advance(std::int64_t end) {
        end = std::min(end, count_);
        while (tracking_ ? next_ < end : windowEnd_ < end) {
            if (tracking_) {
                Track(end);
            } else {
                Skip(end);
            }
        }
    }

    // Reports the matches that run to the last word.
    void Finish() {
        if (tracking_) {
            Report(run_[needed_ - 1], next_ - 1);
        }
    }

  private:
    [[nodiscard]] ColourWord Word(std::int64_t t) const { return WordAt(bytes_.data() + parity_ + 2 * t); }
    [[nodiscard]] std::uint64_t EntriesAt(std::int64_t t) const { return entries_.Of(Word(t)); }

    void Skip(std::int64_t end) {
        while (windowEnd_ < end) {
            std::uint64_t consecutive = EntriesAt(windowEnd_);
            int read = 0;
            while (consecutive != 0 && ++read < needed_) {
                consecutive &= EntriesAt(windowEnd_ - read) << read;
            }
            if (consecutive != 0) {
                tracking_ = true;
                next_ = windowEnd_ - needed_ + 1;
                run_.fill(0);
                return;
            }
            // No window that holds the words read so far can match; the next one starts after them.
            windowEnd_ += needed_ - read;
        }
    }

    // Bit j of run_[k]: the last k + 1 words equal query entries j - k … j; of run_[Needed - 1]: at least
    // the last Needed words do.
    void Track(std::int64_t end) {
        for (; next_ < end; ++next_) {
            const std::uint64_t entries = EntriesAt(next_);
            const std::uint64_t longest = run_[needed_ - 1];
            for (int k = needed_ - 1; k > 0; --k) {
                run_[k] = (run_[k - 1] << 1) & entries;
            }
            run_[needed_ - 1] |= (longest << 1) & entries;
            run_[0] = entries;
            Report(longest & ~(run_[needed_ - 1] >> 1), next_ - 1);
            if (entries == 0) {
                tracking_ = false;
                windowEnd_ = next_ + needed_;
                ++next_;
                return;
            }
        }
    }

    // Matches that ended with word t; bit j of ended: with query entry j.
    void Report(std::uint64_t ended, std::int64_t t) {
        while (ended != 0) {
            const int j = std::countr_zero(ended);
            ended &= ended - 1;
            AddMatch(t, j);
        }
    }

    // The match that ends with word t equal to query entry j, traced back to its start.
    void AddMatch(std::int64_t t, int j) {
        std::int32_t length = 1;
        while (j - length >= 0 && t - length >= 0 &&
               ShownIndex(Word(t - length)) == ShownIndex(query_[j - length])) {
            ++length;
        }
        const std::int64_t first = t - (length - 1);
        SearchHit hit{parity_ + 2 * first, length, j - length + 1, MatchKind::Part};
        if (length == static_cast<std::int32_t>(query_.size())) {
            hit.match = IsExact(first) ? MatchKind::Exact : MatchKind::Masked;
        }
        hits_.Add(hit);
    }

    [[nodiscard]] bool IsExact(std::int64_t first) const {
        for (std::size_t i = 0; i < query_.size(); ++i) {
            if (Word(first + static_cast<std::int64_t>(i)) != query_[i]) {
                return false;
            }
        }
        return true;
    }

    std::span<const std::uint8_t> bytes_;
    std::span<const ColourWord> query_;
    const QueryEntries& entries_;
    Hits& hits_;
    int parity_;
    std::int64_t count_;
    int needed_;
    std::int64_t windowEnd_;
    bool tracking_ = false;
    std::int64_t next_ = 0;
    std::array<std::uint64_t, MinPartLength> run_{};
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
    const QueryEntries entries(query);
    Hits hits{BetterMatch{}};
    std::array<ParitySearch, 2> parities{ParitySearch(bytes, query, entries, 0, hits),
                                         ParitySearch(bytes, query, entries, 1, hits)};
    // Both parities a stretch at a time, so that the bytes are read from memory once.
    for (std::int64_t offset = 0; offset < size; offset += ProgressStep) {
        if (progress && !progress(offset, size)) {
            result.stopped = true;
            break;
        }
        for (ParitySearch& parity : parities) {
            parity.Advance((offset + ProgressStep) / 2);
        }
    }
    if (!result.stopped) {
        for (ParitySearch& parity : parities) {
            parity.Finish();
        }
    }
    result.hits = hits.Take(result.cut);
    return result;
}

}  // namespace tintorb
