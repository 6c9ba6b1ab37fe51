// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/PatchCommands.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

#include "cli/Reporting.h"
#include "model/Document.h"
#include "model/FileImage.h"
#include "patches/Patch.h"

namespace tintorb::cli {

namespace {

struct PatchArguments {
    std::vector<std::string> operands;
    std::optional<std::string> output;
};

[[nodiscard]] PatchArguments Parse(std::span<const std::string> args, std::string_view usage) {
    PatchArguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "-o") {
            parsed.operands.push_back(args[i]);
        } else if (i + 1 < args.size() && !parsed.output) {
            parsed.output = args[++i];
        } else {
            throw Misuse("usage: tintorb-cli " + std::string(usage));
        }
    }
    return parsed;
}

// The file's bytes, or a FileError that names it.
[[nodiscard]] FileBytes ReadNamed(const std::string& path) {
    FileBytes bytes;
    try {
        (void)LoadFileData(bytes, path);
    } catch (const FileError& e) {
        throw FileError(path + ": " + e.what());
    }
    return bytes;
}

// Writes the bytes as a new document of their own and saves it, as the window's Save writes every file;
// a failure names the file.
void SaveNamed(FileBytes bytes, const std::string& path) {
    Document document;
    document.StartFresh(std::move(bytes), path, {});
    try {
        document.Save();
    } catch (const FileError& e) {
        throw FileError(path + ": " + e.what());
    }
}

void Diff(std::span<const std::string> args, std::ostream& out) {
    const PatchArguments parsed = Parse(args, PatchCommands[0].usage);
    if (parsed.operands.size() != 2 || !parsed.output) {
        throw Misuse("usage: tintorb-cli " + std::string(PatchCommands[0].usage));
    }
    const std::string& patch = *parsed.output;
    const std::optional<PatchFormat> format = PatchFormatOf(patch);
    if (!format) {
        throw Misuse("PATCH \"" + patch + "\" must end in .ips or .bps");
    }
    const FileBytes original = ReadNamed(parsed.operands[0]);
    const FileBytes modified = ReadNamed(parsed.operands[1]);
    MadePatch made;
    try {
        made = CreatePatch(*format, original, modified);
    } catch (const PatchError& e) {
        throw PatchError(patch + ": " + e.what());
    }
    SaveNamed(FileBytes(made.bytes.begin(), made.bytes.end()), patch);
    out << CreatedSummary(*format, made.counts) << '\n';
}

void Apply(std::span<const std::string> args, std::ostream& out) {
    const PatchArguments parsed = Parse(args, PatchCommands[1].usage);
    if (parsed.operands.size() != 2) {
        throw Misuse("usage: tintorb-cli " + std::string(PatchCommands[1].usage));
    }
    const std::string& file = parsed.operands[0];
    const std::string& patch = parsed.operands[1];
    const FileBytes source = ReadNamed(file);
    const FileBytes patchBytes = ReadNamed(patch);
    FileBytes result;
    AppliedPatch applied;
    try {
        applied = ApplyPatch(source, patchBytes, result);
    } catch (const PatchError& e) {
        throw PatchError(patch + ": " + e.what());
    }
    SaveNamed(std::move(result), parsed.output.value_or(file));
    out << AppliedSummary(applied) << '\n';
}

}  // namespace

bool IsPatchCommand(std::string_view name) {
    return std::any_of(PatchCommands.begin(), PatchCommands.end(),
                       [&](const PatchCommandHelp& command) { return command.name == name; });
}

int RunPatchCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    const bool diff = args[0] == PatchCommands[0].name;
    const PatchCommandHelp& command = PatchCommands[diff ? 0 : 1];
    const std::span<const std::string> rest = args.subspan(1);
    if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        out << "Usage: tintorb-cli " << command.usage << "\n\n" << command.help;
        return Done;
    }
    return Reporting(err, [&] { diff ? Diff(rest, out) : Apply(rest, out); });
}

}  // namespace tintorb::cli
