// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/Bps.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "patches/Changes.h"
#include "patches/Crc32.h"

namespace tintorb {

namespace {

enum Action : std::uint64_t { SourceRead = 0, TargetRead = 1, SourceCopy = 2, TargetCopy = 3 };

constexpr std::size_t FooterSize = 12;
// Two changes fewer than this many bytes apart cost less as one TargetRead than with a SourceRead between.
constexpr std::size_t MergeGap = 3;
// A run at least this long is written once and copied from itself.
constexpr std::size_t MinCopiedRun = 16;
// The target's CRC32 is taken in pieces of this size, while they are still in the cache.
constexpr std::size_t CrcPiece = std::size_t{64} << 10;

[[nodiscard]] std::string Hex32(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08X", value);
    return text;
}

[[nodiscard]] std::uint32_t Little32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} | std::uint32_t{bytes[at + 1]} << 8 | std::uint32_t{bytes[at + 2]} << 16 |
           std::uint32_t{bytes[at + 3]} << 24;
}

[[noreturn]] void Damaged(const std::string& what) {
    throw PatchError("The BPS patch is damaged: " + what);
}

class BpsWriter {
  public:
    explicit BpsWriter(std::span<const std::uint8_t> target) : target_(target) {
        out_.assign(BpsMagic.begin(), BpsMagic.end());
    }

    void Number(std::uint64_t n) {
        for (;;) {
            const auto low = static_cast<std::uint8_t>(n & 0x7F);
            n >>= 7;
            if (n == 0) {
                out_.push_back(0x80 | low);
                return;
            }
            out_.push_back(low);
            --n;
        }
    }

    // The source's bytes up to end, where they stand.
    void KeepTo(std::size_t end) {
        if (end > written_) {
            Act(SourceRead, end - written_);
            written_ = end;
        }
    }

    // The target's bytes [written_, end) from the patch, a long run written once and copied from itself.
    void NewTo(std::size_t end) {
        std::size_t plain = written_;
        for (std::size_t at = written_; at < end;) {
            const std::size_t runEnd = RunEnd(target_, at, end);
            if (runEnd - at >= MinCopiedRun) {
                Read(plain, at + 1);
                CopyRun(at, runEnd);
                plain = runEnd;
            }
            at = runEnd;
        }
        Read(plain, end);
        written_ = end;
    }

    [[nodiscard]] MadePatch Finish(std::uint32_t sourceCrc, std::uint32_t targetCrc, std::uint64_t changed) {
        for (const std::uint32_t crc : {sourceCrc, targetCrc}) {
            Put32(crc);
        }
        Put32(Crc32(out_));
        return {std::move(out_), {actions_, changed}};
    }

  private:
    void Act(Action action, std::uint64_t length) {
        Number((length - 1) << 2 | action);
        ++actions_;
    }

    void Read(std::size_t begin, std::size_t end) {
        if (begin < end) {
            Act(TargetRead, end - begin);
            out_.insert(out_.end(), target_.begin() + static_cast<std::ptrdiff_t>(begin),
                        target_.begin() + static_cast<std::ptrdiff_t>(end));
        }
    }

    // [begin + 1, end) copied from the byte at begin, which is already written.
    void CopyRun(std::size_t begin, std::size_t end) {
        Act(TargetCopy, end - begin - 1);
        const bool back = begin < copiedFrom_;
        const std::uint64_t distance = back ? copiedFrom_ - begin : begin - copiedFrom_;
        Number(distance << 1 | (back ? 1 : 0));
        copiedFrom_ = end - 1;
    }

    void Put32(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            out_.push_back(static_cast<std::uint8_t>(value >> shift));
        }
    }

    std::span<const std::uint8_t> target_;
    std::vector<std::uint8_t> out_;
    std::size_t written_ = 0;
    std::size_t copiedFrom_ = 0;
    std::size_t actions_ = 0;
};

// Reads variable-length numbers and bytes of the action area, every read checked against its end.
class BpsReader {
  public:
    BpsReader(std::span<const std::uint8_t> patch, std::size_t begin, std::size_t end)
        : patch_(patch), at_(begin), end_(end) {}

    [[nodiscard]] bool AtEnd() const { return at_ == end_; }
    [[nodiscard]] std::size_t Offset() const { return at_; }

    // Each byte adds seven bits, and one more than it, unless it is the last: no number has two spellings.
    [[nodiscard]] std::uint64_t Number() {
        std::uint64_t value = 0;
        std::uint64_t shift = 1;
        for (;;) {
            Need(1, "a number");
            const std::uint8_t byte = patch_[at_++];
            std::uint64_t part = 0;
            if (__builtin_mul_overflow(std::uint64_t{byte & 0x7Fu}, shift, &part) ||
                __builtin_add_overflow(value, part, &value)) {
                Overflow();
            }
            if ((byte & 0x80) != 0) {
                return value;
            }
            if (__builtin_mul_overflow(shift, std::uint64_t{128}, &shift) ||
                __builtin_add_overflow(value, shift, &value)) {
                Overflow();
            }
        }
    }

    [[nodiscard]] std::span<const std::uint8_t> Take(std::uint64_t n, std::string_view what) {
        Need(n, what);
        at_ += static_cast<std::size_t>(n);
        return patch_.subspan(at_ - static_cast<std::size_t>(n), static_cast<std::size_t>(n));
    }

  private:
    void Need(std::uint64_t n, std::string_view what) const {
        if (end_ - at_ < n) {
            throw PatchError("The BPS patch is cut short: " + std::string(what) + " at byte " +
                             std::to_string(at_) + " runs into its footer");
        }
    }

    [[noreturn]] void Overflow() const {
        Damaged("the number at byte " + std::to_string(at_) + " does not fit in 64 bits");
    }

    std::span<const std::uint8_t> patch_;
    std::size_t at_;
    std::size_t end_;
};

// base moved by the signed distance a number encodes (sign in its lowest bit), staying within [0, limit].
[[nodiscard]] std::uint64_t Moved(std::uint64_t base, std::uint64_t encoded, std::uint64_t limit,
                                  std::string_view what) {
    const std::uint64_t distance = encoded >> 1;
    if ((encoded & 1) != 0 ? distance > base : distance > limit - base) {
        Damaged(std::string(what) + " points outside the file");
    }
    return (encoded & 1) != 0 ? base - distance : base + distance;
}

// Walks the actions with every bound checked, handing each to the sink: a null sink to check a patch
// before anything is written, the builder of the target to apply it.
template <class Sink>
std::size_t RunActions(const BpsHeader& header, std::span<const std::uint8_t> patch, Sink& sink) {
    BpsReader reader(patch, header.actionsBegin, header.actionsEnd);
    std::uint64_t out = 0;
    std::uint64_t sourceFrom = 0;
    std::uint64_t targetFrom = 0;
    std::size_t actions = 0;
    while (!reader.AtEnd()) {
        const std::uint64_t data = reader.Number();
        const std::uint64_t length = (data >> 2) + 1;
        if (length > header.targetSize - out) {
            Damaged("an action at byte " + std::to_string(reader.Offset()) + " writes past the result's " +
                    std::to_string(header.targetSize) + " bytes");
        }
        switch (static_cast<Action>(data & 3)) {
            case SourceRead:
                if (out + length > header.sourceSize) {
                    Damaged("a SourceRead reads past the original's end");
                }
                sink.SourceRead(out, length);
                break;
            case TargetRead:
                sink.TargetRead(out, reader.Take(length, "a TargetRead"));
                break;
            case SourceCopy:
                sourceFrom = Moved(sourceFrom, reader.Number(), header.sourceSize, "a SourceCopy");
                if (length > header.sourceSize - sourceFrom) {
                    Damaged("a SourceCopy reads past the original's end");
                }
                sink.SourceCopy(out, sourceFrom, length);
                sourceFrom += length;
                break;
            case TargetCopy:
                targetFrom = Moved(targetFrom, reader.Number(), out, "a TargetCopy");
                // It may overlap what it writes, but must start on a byte already written.
                if (targetFrom >= out) {
                    Damaged("a TargetCopy reads bytes not yet written");
                }
                sink.TargetCopy(out, targetFrom, length);
                targetFrom += length;
                break;
        }
        out += length;
        ++actions;
    }
    if (out != header.targetSize) {
        Damaged("its actions make " + std::to_string(out) + " of the result's " +
                std::to_string(header.targetSize) + " bytes");
    }
    return actions;
}

struct CheckOnly {
    void SourceRead(std::uint64_t, std::uint64_t) {}
    void TargetRead(std::uint64_t, std::span<const std::uint8_t>) {}
    void SourceCopy(std::uint64_t, std::uint64_t, std::uint64_t) {}
    void TargetCopy(std::uint64_t, std::uint64_t, std::uint64_t) {}
};

// Writes the target; the sizes are checked, so every offset fits. Takes the target's CRC32 as it goes, and
// notes where bytes other than the source's own came.
class Builder {
  public:
    Builder(std::span<const std::uint8_t> source, FileBytes& target) : source_(source), target_(target) {}

    void SourceRead(std::uint64_t out, std::uint64_t length) {
        for (std::uint64_t done = 0; done < length;) {
            const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(length - done, CrcPiece));
            std::memcpy(At(out + done), source_.data() + out + done, n);
            done += n;
            CrcTo(out + done);
        }
    }

    void TargetRead(std::uint64_t out, std::span<const std::uint8_t> bytes) {
        std::memcpy(At(out), bytes.data(), bytes.size());
        New(out, bytes.size());
    }

    void SourceCopy(std::uint64_t out, std::uint64_t from, std::uint64_t length) {
        std::memcpy(At(out), source_.data() + from, static_cast<std::size_t>(length));
        New(out, length);
    }

    void TargetCopy(std::uint64_t out, std::uint64_t from, std::uint64_t length) {
        // Byte by byte where it overlaps itself: a copy from one byte back repeats that byte.
        if (out - from >= length) {
            std::memcpy(At(out), At(from), static_cast<std::size_t>(length));
        } else {
            std::uint8_t* to = At(out);
            const std::uint8_t* copied = At(from);
            for (std::uint64_t i = 0; i < length; ++i) {
                to[i] = copied[i];
            }
        }
        New(out, length);
    }

    [[nodiscard]] std::uint32_t Crc() {
        CrcTo(target_.size());
        return crc_;
    }

    [[nodiscard]] std::uint64_t Changed() { return ChangedIn(source_, target_, std::move(newBytes_)); }

  private:
    [[nodiscard]] std::uint8_t* At(std::uint64_t offset) { return target_.data() + offset; }

    void New(std::uint64_t out, std::uint64_t length) {
        newBytes_.emplace_back(out, out + length);
        if (out + length - crcDone_ >= CrcPiece) {
            CrcTo(out + length);
        }
    }

    void CrcTo(std::uint64_t end) {
        crc_ = Crc32(std::span(target_).subspan(crcDone_, static_cast<std::size_t>(end - crcDone_)), crc_);
        crcDone_ = static_cast<std::size_t>(end);
    }

    std::span<const std::uint8_t> source_;
    FileBytes& target_;
    std::uint32_t crc_ = 0;
    std::size_t crcDone_ = 0;
    std::vector<std::pair<std::size_t, std::size_t>> newBytes_;
};

}  // namespace

BpsHeader ReadBpsHeader(std::span<const std::uint8_t> patch) {
    if (patch.size() < BpsMagic.size() || !std::equal(BpsMagic.begin(), BpsMagic.end(), patch.begin())) {
        throw PatchError("Not a BPS patch: it does not begin with BPS1");
    }
    if (patch.size() < BpsMagic.size() + FooterSize) {
        throw PatchError("The BPS patch is cut short: it ends before its footer of checksums");
    }
    BpsReader reader(patch, BpsMagic.size(), patch.size() - FooterSize);
    BpsHeader header;
    header.sourceSize = reader.Number();
    header.targetSize = reader.Number();
    const std::uint64_t metadataSize = reader.Number();
    (void)reader.Take(metadataSize, "the metadata");
    header.actionsBegin = reader.Offset();
    header.actionsEnd = patch.size() - FooterSize;
    return header;
}

MadePatch CreateBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> target) {
    BpsWriter writer(target);
    writer.Number(source.size());
    writer.Number(target.size());
    writer.Number(0);
    std::uint32_t sourceCrc = 0;
    std::uint32_t targetCrc = 0;
    std::size_t crcDone = 0;
    const auto crcTo = [&](std::size_t end) {
        sourceCrc = Crc32(source.subspan(crcDone, std::min(end, source.size()) - crcDone), sourceCrc);
        targetCrc = Crc32(target.subspan(crcDone, std::min(end, target.size()) - crcDone), targetCrc);
        crcDone = end;
    };
    std::uint64_t changed = 0;
    ForEachStretch(
        source, target, MergeGap,
        [&](std::size_t begin, std::size_t end) {
            writer.KeepTo(begin);
            writer.NewTo(end);
            changed += Differing(source, target, begin, end);
        },
        crcTo);
    const std::size_t common = std::min(source.size(), target.size());
    writer.KeepTo(common);
    writer.NewTo(target.size());
    sourceCrc = Crc32(source.subspan(crcDone), sourceCrc);
    targetCrc = Crc32(target.subspan(crcDone), targetCrc);
    return writer.Finish(sourceCrc, targetCrc, changed + std::max(source.size(), target.size()) - common);
}

PatchCounts ApplyBps(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch,
                     FileBytes& target) {
    const BpsHeader header = ReadBpsHeader(patch);
    if (header.targetSize > MaxPatchedSize) {
        throw PatchError("The BPS patch would make a file of " + std::to_string(header.targetSize) +
                         " bytes, more than the editor can hold");
    }
    CheckOnly check;
    (void)RunActions(header, patch, check);
    const std::size_t footer = patch.size() - FooterSize;
    const std::uint32_t patchCrc = Crc32(patch.first(patch.size() - 4));
    if (patchCrc != Little32(patch, footer + 8)) {
        Damaged("its CRC32 is " + Hex32(patchCrc) + ", its footer says " +
                Hex32(Little32(patch, footer + 8)));
    }
    const std::uint32_t expected = Little32(patch, footer);
    const std::uint32_t sourceCrc = Crc32(source);
    if (source.size() != header.sourceSize || sourceCrc != expected) {
        throw PatchError("The BPS patch was made for another original: it expects CRC32 " + Hex32(expected) +
                         " (" + std::to_string(header.sourceSize) + " bytes), this one has CRC32 " +
                         Hex32(sourceCrc) + " (" + std::to_string(source.size()) + " bytes)");
    }
    target.ResizeForOverwrite(static_cast<std::size_t>(header.targetSize));
    Builder builder(source, target);
    const std::size_t actions = RunActions(header, patch, builder);
    const std::uint32_t targetCrc = builder.Crc();
    if (targetCrc != Little32(patch, footer + 4)) {
        Damaged("the result's CRC32 is " + Hex32(targetCrc) + " where the patch expects " +
                Hex32(Little32(patch, footer + 4)));
    }
    return {actions, builder.Changed()};
}

}  // namespace tintorb
