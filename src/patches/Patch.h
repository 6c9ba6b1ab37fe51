// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Patches: the changes from one image to another as a small file that turns the first into the second,
// in the two formats that patch tools exchange. A patch is made from two images in memory and applied to
// an image in memory; reading and writing the files is the caller's.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/FileBytes.h"
#include "model/FileImage.h"

namespace tintorb {

// A patch that cannot be made or applied. It is a FileError, so it is reported wherever a failed file
// operation is, and nothing has been written when it is thrown.
class PatchError : public FileError {
  public:
    using FileError::FileError;
};

enum class PatchFormat { Ips, Bps };

// The format a file name's extension (.ips or .bps, any case) names; nothing for any other name.
[[nodiscard]] std::optional<PatchFormat> PatchFormatOf(std::string_view path);

// What a patch does: its records (IPS) or actions (BPS), and how many bytes of the image it changes, a
// byte added or cut at the end counting as changed.
struct PatchCounts {
    std::size_t steps = 0;
    std::uint64_t changed = 0;
    friend bool operator==(const PatchCounts&, const PatchCounts&) = default;
};

struct MadePatch {
    std::vector<std::uint8_t> bytes;
    PatchCounts counts;
};

// The patch that turns source into target.
[[nodiscard]] MadePatch CreatePatch(PatchFormat format, std::span<const std::uint8_t> source,
                                    std::span<const std::uint8_t> target);

struct AppliedPatch {
    PatchFormat format;
    PatchCounts counts;
};

// Applies patch, an IPS or BPS patch told apart by its first bytes, to source and puts the result in target
// (which may be reused memory). After a PatchError target holds nothing of use.
AppliedPatch ApplyPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch,
                        FileBytes& target);

// "IPS patch written: 3 records, 12 bytes changed"
[[nodiscard]] std::string CreatedSummary(PatchFormat format, const PatchCounts& counts);
// What was applied; an IPS patch carries no checksum, so the user learns that nothing could be checked.
[[nodiscard]] std::string AppliedSummary(const AppliedPatch& applied);

}  // namespace tintorb
