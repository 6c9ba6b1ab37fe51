// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/Ips.h"

#include <algorithm>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "model/NumberText.h"
#include "patches/Changes.h"

namespace tintorb {

namespace {

constexpr std::string_view Footer = "EOF";
// Offsets and the cut length are three bytes wide.
constexpr std::size_t Reach = std::size_t{1} << 24;
// A record at this offset would begin with the bytes "EOF" and read as the footer.
constexpr std::size_t FooterOffset = 0x454F46;
constexpr std::size_t MaxSize = 0xFFFF;
constexpr std::size_t HeaderSize = 5;
constexpr std::size_t RunRecordSize = HeaderSize + 3;

// Two changes fewer than this many bytes apart cost less in one record than in two.
constexpr std::size_t MergeGap = HeaderSize;

[[noreturn]] void OutOfReach(std::size_t at) {
    throw PatchError("An IPS patch cannot reach bytes at 16 MiB or beyond, and the files differ at " +
                     AddressText(static_cast<std::int64_t>(at)) + ": save the patch as .bps instead");
}

class IpsWriter {
  public:
    explicit IpsWriter(std::span<const std::uint8_t> target) : target_(target) {
        out_.assign(IpsMagic.begin(), IpsMagic.end());
    }

    // The changed stretch [begin, end): its bytes as plain records, its long runs as run records.
    void Stretch(std::size_t begin, std::size_t end) {
        if (end > Reach) {
            OutOfReach(std::max(begin, Reach));
        }
        std::size_t plain = begin;
        for (std::size_t at = begin; at < end;) {
            const std::size_t runEnd = RunEnd(target_, at, end);
            // A run that splits plain bytes costs the second plain record's header too.
            const bool splits = at > plain && runEnd < end;
            if (runEnd - at > RunRecordSize + (splits ? HeaderSize : 0)) {
                Plain(plain, at);
                Run(at, runEnd);
                plain = runEnd;
            }
            at = runEnd;
        }
        Plain(plain, end);
    }

    [[nodiscard]] MadePatch Finish(std::size_t sourceSize, std::uint64_t changed) {
        out_.insert(out_.end(), Footer.begin(), Footer.end());
        if (target_.size() < sourceSize) {
            if (target_.size() >= Reach) {
                OutOfReach(target_.size());
            }
            Put(target_.size(), 3);
        }
        return {std::move(out_), {records_, changed}};
    }

  private:
    void Put(std::size_t value, int bytes) {
        for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
            out_.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }

    void Plain(std::size_t begin, std::size_t end) {
        while (begin < end) {
            // One byte earlier instead; it is written with the value it has in the target anyway.
            begin -= begin == FooterOffset ? 1 : 0;
            const std::size_t n = std::min(end - begin, MaxSize);
            Put(begin, 3);
            Put(n, 2);
            out_.insert(out_.end(), target_.begin() + static_cast<std::ptrdiff_t>(begin),
                        target_.begin() + static_cast<std::ptrdiff_t>(begin + n));
            ++records_;
            begin += n;
        }
    }

    void Run(std::size_t begin, std::size_t end) {
        while (begin < end) {
            if (begin == FooterOffset) {
                Plain(begin, begin + 1);
                ++begin;
                continue;
            }
            const std::size_t n = std::min(end - begin, MaxSize);
            Put(begin, 3);
            Put(0, 2);
            Put(n, 2);
            out_.push_back(target_[begin]);
            ++records_;
            begin += n;
        }
    }

    std::span<const std::uint8_t> target_;
    std::vector<std::uint8_t> out_;
    std::size_t records_ = 0;
};

// Reads the records of a patch, every read checked against its end.
class IpsReader {
  public:
    explicit IpsReader(std::span<const std::uint8_t> patch) : patch_(patch), at_(IpsMagic.size()) {}

    // The footer, "EOF" with nothing or a 3-byte length after it. A record at 0x454F46 from a careless
    // writer also begins with "EOF", but it has more after it.
    [[nodiscard]] bool AtFooter() const {
        const std::size_t left = patch_.size() - at_;
        return (left == Footer.size() || left == Footer.size() + 3) &&
               std::equal(Footer.begin(), Footer.end(), patch_.begin() + static_cast<std::ptrdiff_t>(at_));
    }
    [[nodiscard]] bool AtEnd() const { return at_ == patch_.size(); }

    [[nodiscard]] std::size_t Number(int bytes, std::string_view what) {
        Need(static_cast<std::size_t>(bytes), what);
        std::size_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            value = value << 8 | patch_[at_++];
        }
        return value;
    }

    [[nodiscard]] std::span<const std::uint8_t> Take(std::size_t n, std::string_view what) {
        Need(n, what);
        at_ += n;
        return patch_.subspan(at_ - n, n);
    }

    [[nodiscard]] std::size_t Offset() const { return at_; }

  private:
    void Need(std::size_t n, std::string_view what) const {
        if (patch_.size() - at_ < n) {
            throw PatchError("The IPS patch is cut short: " + std::string(what) + " at byte " +
                             std::to_string(at_) + " runs past its end");
        }
    }

    std::span<const std::uint8_t> patch_;
    std::size_t at_;
};

// Makes room for [offset, offset + n) in the result.
void Reserve(FileBytes& target, std::size_t offset, std::size_t n) {
    if (target.size() < offset + n) {
        target.resize(offset + n);
    }
}

}  // namespace

MadePatch CreateIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target) {
    IpsWriter writer(target);
    std::uint64_t changed = 0;
    ForEachStretch(
        source, target, MergeGap,
        [&](std::size_t begin, std::size_t end) {
            writer.Stretch(begin, end);
            changed += Differing(source, target, begin, end);
        },
        [](std::size_t) {});
    // Bytes past the source's end are all new.
    if (target.size() > source.size()) {
        writer.Stretch(source.size(), target.size());
    }
    const std::size_t common = std::min(source.size(), target.size());
    return writer.Finish(source.size(), changed + std::max(source.size(), target.size()) - common);
}

PatchCounts ApplyIps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch,
                     FileBytes& target) {
    target.ResizeForOverwrite(source.size());
    std::copy(source.begin(), source.end(), target.begin());
    IpsReader reader(patch);
    std::vector<std::pair<std::size_t, std::size_t>> written;
    while (!reader.AtFooter()) {
        if (reader.AtEnd()) {
            throw PatchError("The IPS patch has no EOF at its end: it is cut short or damaged");
        }
        const std::size_t offset = reader.Number(3, "a record's offset");
        const std::size_t size = reader.Number(2, "a record's size");
        if (size > 0) {
            const std::span<const std::uint8_t> bytes = reader.Take(size, "a record");
            Reserve(target, offset, size);
            std::copy(bytes.begin(), bytes.end(), target.begin() + static_cast<std::ptrdiff_t>(offset));
            written.emplace_back(offset, offset + size);
        } else {
            const std::size_t count = reader.Number(2, "a run's length");
            const std::uint8_t value = reader.Take(1, "a run's byte")[0];
            // A run of no bytes writes nothing, and so does not lengthen the file either.
            if (count == 0) {
                continue;
            }
            Reserve(target, offset, count);
            std::fill_n(target.begin() + static_cast<std::ptrdiff_t>(offset), count, value);
            written.emplace_back(offset, offset + count);
        }
    }
    const std::size_t records = written.size();
    (void)reader.Take(Footer.size(), "the footer");
    if (!reader.AtEnd()) {
        const std::size_t length = reader.Number(3, "the length");
        if (length < target.size()) {
            target.resize(length);
        }
    }
    return {records, ChangedIn(source, target, std::move(written))};
}

}  // namespace tintorb
