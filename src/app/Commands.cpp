// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Commands.h"

#include <algorithm>
#include <iterator>

namespace tintorb {

static_assert([] {
    for (std::size_t i = 0; i < CommandTable.size(); ++i) {
        if (static_cast<std::size_t>(CommandTable[i].id) != i) {
            return false;
        }
    }
    return true;
}());

std::vector<ShortcutLine> ShortcutLines() {
    std::vector<ShortcutLine> lines;
    for (const CommandEntry& command : CommandTable) {
        ShortcutLine line;
        std::ranges::copy_if(command.shortcuts, std::back_inserter(line.keys),
                             [](std::string_view keys) { return !keys.empty(); });
        std::ranges::copy_if(command.text, std::back_inserter(line.does), [](char c) { return c != '&'; });
        if (!line.keys.empty()) {
            lines.push_back(std::move(line));
        }
    }
    for (const MouseWiring& wiring : MouseTable) {
        if (!wiring.gesture.empty()) {
            lines.push_back({{}, wiring.gesture, std::string(wiring.effect)});
        }
    }
    for (const Gesture& other : OtherGestures) {
        lines.push_back({{}, other.gesture, std::string(other.effect)});
    }
    return lines;
}

bool CommandAvailable(const TForm1& form, Command command) {
    const EditorState& state = form.State;
    const bool palette = state.PalLength > 0;
    switch (command) {
        case Command::Save:
        case Command::Reload:
            return !state.FileName.empty();
        case Command::SaveAs:
        case Command::CreatePatchFromOriginal:
        case Command::ApplyPatch:
            return !state.FileData.empty();
        case Command::CreatePatch:
            // The patch is made against the file as it was read or written last.
            return form.document().Stamp().has_value();
        case Command::FindPalettes:
            return !state.FileData.empty();
        case Command::NamePalette:
            // A palette made from the listing without a file has no side file to go in until it is saved.
            return palette && form.document().Stamp().has_value();
        case Command::Undo:
            return form.document().CanUndo();
        case Command::Redo:
            return form.document().CanRedo();
        case Command::Copy:
        case Command::ImportPalette:
        case Command::ExportPalette:
            return palette;
        case Command::Paste:
            return palette && !state.ClipData.empty();
        case Command::Gradient:
            // Only the entries strictly between the two ends change.
            return palette && state.SelEnd - state.SelStart >= 2;
        case Command::Swap:
        case Command::Reverse:
            return palette && state.SelStart != state.SelEnd;
        default:
            return true;
    }
}

void RunChange(TForm1& form, Ctl control) {
    for (const ChangeWiring& wiring : ChangeTable) {
        if (wiring.control == control) {
            (form.*wiring.run)();
        }
    }
}

void RunKey(TForm1& form, Ctl control, char32_t& key) {
    for (const KeyWiring& wiring : KeyTable) {
        if (wiring.control == control) {
            (form.*wiring.run)(key);
        }
    }
}

void RunMouse(TForm1& form, const RoutedMouse& event) {
    for (const MouseWiring& wiring : MouseTable) {
        if (wiring.area == event.area && wiring.action == event.action) {
            wiring.run(form, event.button, event.x, event.y);
        }
    }
}

void RunWheel(TForm1& form, int x, int y, int angleDelta) {
    if (AreaAt(x, y) == Ctl::areaBrowser) {
        form.areaBrowserMouseWheel(angleDelta);
    }
}

void RunCommand(TForm1& form, Command command) {
    (form.*CommandOf(command).run)();
}

}  // namespace tintorb
