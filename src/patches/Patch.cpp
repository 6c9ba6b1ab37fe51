// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/Patch.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "patches/Bps.h"
#include "patches/Ips.h"

namespace tintorb {

namespace {

[[nodiscard]] bool StartsWith(std::span<const std::uint8_t> bytes, std::string_view magic) {
    return bytes.size() >= magic.size() && std::equal(magic.begin(), magic.end(), bytes.begin());
}

[[nodiscard]] std::string Counted(std::uint64_t n, std::string_view thing) {
    return std::to_string(n) + ' ' + std::string(thing) + (n == 1 ? "" : "s");
}

[[nodiscard]] std::string CountsText(PatchFormat format, const PatchCounts& counts) {
    return Counted(counts.steps, format == PatchFormat::Ips ? "record" : "action") + ", " +
           Counted(counts.changed, "byte") + " changed";
}

[[nodiscard]] std::string_view Name(PatchFormat format) {
    return format == PatchFormat::Ips ? "IPS" : "BPS";
}

}  // namespace

std::optional<PatchFormat> PatchFormatOf(std::string_view path) {
    const std::size_t dot = path.rfind('.');
    if (dot == std::string_view::npos || path.size() - dot != 4) {
        return std::nullopt;
    }
    std::string extension(path.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (extension == "ips") {
        return PatchFormat::Ips;
    }
    if (extension == "bps") {
        return PatchFormat::Bps;
    }
    return std::nullopt;
}

MadePatch CreatePatch(PatchFormat format, std::span<const std::uint8_t> source,
                      std::span<const std::uint8_t> target) {
    return format == PatchFormat::Ips ? CreateIps(source, target) : CreateBps(source, target);
}

AppliedPatch ApplyPatch(std::span<const std::uint8_t> source, std::span<const std::uint8_t> patch,
                        FileBytes& target) {
    if (patch.empty()) {
        throw PatchError("The patch is empty");
    }
    // A patch may ask for a result far larger than memory holds; that is its failure, not the program's.
    try {
        if (StartsWith(patch, IpsMagic)) {
            return {PatchFormat::Ips, ApplyIps(source, patch, target)};
        }
        if (StartsWith(patch, BpsMagic)) {
            return {PatchFormat::Bps, ApplyBps(source, patch, target)};
        }
    } catch (const std::bad_alloc&) {
        throw PatchError("Out of memory");
    }
    throw PatchError("Not a patch: an IPS patch begins with PATCH, a BPS patch with BPS1");
}

std::string CreatedSummary(PatchFormat format, const PatchCounts& counts) {
    return std::string(Name(format)) + " patch written: " + CountsText(format, counts);
}

std::string AppliedSummary(const AppliedPatch& applied) {
    const std::string counts = CountsText(applied.format, applied.counts);
    if (applied.format == PatchFormat::Ips) {
        return "IPS patch applied without a check, as IPS patches carry no checksum: " + counts;
    }
    return "BPS patch applied, the CRC32s of the original and the result checked: " + counts;
}

}  // namespace tintorb
