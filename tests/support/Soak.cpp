// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/Soak.h"

#include <algorithm>
#include <array>
#include <exception>
#include <filesystem>
#include <numeric>
#include <string_view>

#include "app/Commands.h"
#include "app/TilesPanel.h"
#include "app/TilesSession.h"
#include "finder/PaletteScan.h"
#include "formats/Listing.h"
#include "model/FileImage.h"
#include "model/NumberText.h"
#include "support/MemoryPanel.h"
#include "tiles/TileSheet.h"
#include "views/BrowserView.h"
#include "views/PaletteView.h"

namespace tintorb::test {

namespace {

struct KindInfo {
    EventKind kind;
    std::string_view name;
    int weight;  // how often, against the others; drags on the palette most, so that runs get selected
};

constexpr std::array<KindInfo, 34> Kinds{{
    {EventKind::PalPress, "PalPress", 5},
    {EventKind::PalRelease, "PalRelease", 5},
    {EventKind::PalDrag, "PalDrag", 12},
    {EventKind::LevelPress, "LevelPress", 6},
    {EventKind::BrowserPress, "BrowserPress", 6},
    {EventKind::BrowserMove, "BrowserMove", 3},
    {EventKind::BrowserOutMove, "BrowserOutMove", 1},
    {EventKind::BitsPress, "BitsPress", 4},
    {EventKind::TypeAddress, "TypeAddress", 4},
    {EventKind::PasteAddress, "PasteAddress", 2},
    {EventKind::TypeLength, "TypeLength", 2},
    {EventKind::PasteLength, "PasteLength", 1},
    {EventKind::ChooseLength, "ChooseLength", 3},
    {EventKind::TypeLengthMenu, "TypeLengthMenu", 1},
    {EventKind::Reload, "Reload", 4},
    {EventKind::EditListing, "EditListing", 3},
    {EventKind::Asm, "Asm", 4},
    {EventKind::Colour, "Colour", 3},
    {EventKind::Copy, "Copy", 4},
    {EventKind::Paste, "Paste", 4},
    {EventKind::Gradient, "Gradient", 4},
    {EventKind::Swap, "Swap", 3},
    {EventKind::Reverse, "Reverse", 3},
    {EventKind::Scroll, "Scroll", 3},
    {EventKind::ToggleInvalid, "ToggleInvalid", 1},
    {EventKind::Load, "Load", 2},
    {EventKind::Save, "Save", 1},
    {EventKind::SaveAs, "SaveAs", 1},
    {EventKind::Undo, "Undo", 4},
    {EventKind::Redo, "Redo", 3},
    {EventKind::LocateFound, "LocateFound", 3},
    {EventKind::NamePalette, "NamePalette", 1},
    {EventKind::Tiles, "Tiles", 8},
    {EventKind::Finder, "Finder", 3},
}};

static_assert([] {
    for (std::size_t i = 0; i < Kinds.size(); ++i) {
        if (static_cast<std::size_t>(Kinds[i].kind) != i) {
            return false;
        }
    }
    return true;
}());

constexpr int TotalWeight =
    std::accumulate(Kinds.begin(), Kinds.end(), 0, [](int sum, const KindInfo& k) { return sum + k.weight; });

// Names the pool of files is made of, besides these: a file that is not there, the folder itself, and a
// link that points at a file that does not exist until a save goes through the link.
constexpr std::string_view MissingName = "missing.bin";
constexpr std::string_view FolderName = ".";
constexpr std::string_view LinkName = "link.bin";
// Sizes of the files to load: empty, odd, one word, around the browser's one screen of 1024 words, big.
constexpr std::array<std::size_t, 12> FileSizes{0, 1, 2, 3, 5, 127, 128, 2048, 2049, 2051, 4098, 40001};

// Keys a user might type: digits, letters of both kinds, "$", garbage, backspace, Enter, Ctrl+V.
constexpr std::string_view Keys = "0123456789abcdefABCDEF$$xg-+ \b\b\r\x16";
constexpr std::string_view Pasted = "0123456789abcdefABCDEF$xX-+ ghz.,;\t\x80\xff";
constexpr std::array<std::string_view, 10> MenuTexts{"Auto", "Other", "$10", "$40", "7",
                                                     "100",  "-3",    "",    "zz",  "$"};

constexpr Rgb InvalidStripe{64, 64, 64};  // the first pixel row of a striped browser cell

[[nodiscard]] bool ShouldFail(const std::optional<std::string>& path) {
    const std::string name = path ? std::filesystem::path(*path).filename().string() : std::string();
    return name == MissingName || name == FolderName;
}

[[nodiscard]] bool SameEditor(const EditorState& a, const EditorState& b) {
    return a.FileData == b.FileData && a.WordCount == b.WordCount && a.FileName == b.FileName &&
           a.BrowserOffset == b.BrowserOffset && a.PalAddress == b.PalAddress && a.PalLength == b.PalLength &&
           a.SelStart == b.SelStart && a.SelEnd == b.SelEnd && a.ClipData == b.ClipData;
}

[[nodiscard]] bool IsNumberText(const std::string& text) {
    return text.empty() || text == "$" || ReadNumber(text).has_value();
}

[[nodiscard]] std::string Binary(ColourWord w) {
    std::string digits;
    for (int n = 15; n >= 0; --n) {
        digits += BitOf(w, n) != 0 ? '1' : '0';
    }
    return digits;
}

[[nodiscard]] std::string Quoted(const std::string& text) {
    std::string quoted = "\"";
    for (const char ch : text) {
        const auto byte = static_cast<unsigned char>(ch);
        quoted += byte >= 0x20 && byte < 0x7F ? std::string(1, ch) : "\\x" + HexText(byte, 2);
    }
    return quoted + "\"";
}

}  // namespace

std::string Describe(const SoakEvent& e) {
    std::string text(Kinds[static_cast<std::size_t>(e.kind)].name);
    text += " button " + std::to_string(static_cast<int>(e.button)) + " at (" + std::to_string(e.x) + ", " +
            std::to_string(e.y) + ") to (" + std::to_string(e.endX) + ", " + std::to_string(e.endY) +
            ") text " + Quoted(e.text) + " path " + (e.path ? *e.path : "(cancel)");
    if (e.colour) {
        text += " colour " + std::to_string(e.colour->r) + "," + std::to_string(e.colour->g) + "," +
                std::to_string(e.colour->b);
    }
    return text;
}

Soak::Soak(unsigned seed) : random_(seed), sampler_(~seed) {
    h_.controls.SetExecutableDir(dir_.Path().string() + "/");
    MakeFiles();
}

void Soak::MakeFiles() {
    for (std::size_t i = 0; i < FileSizes.size(); ++i) {
        // A share of colour words among other data, so that runs of them, palettes, are there to be found.
        std::vector<std::uint8_t> bytes(FileSizes[i]);
        const int colourShare = Between(0, 4);
        for (std::size_t at = 0; at < bytes.size(); at += 2) {
            const int word = Between(0, 4) < colourShare ? Between(0, 0xFFFF) & 0x0EEE : Between(0, 0xFFFF);
            bytes[at] = static_cast<std::uint8_t>(word >> 8);
            if (at + 1 < bytes.size()) {
                bytes[at + 1] = static_cast<std::uint8_t>(word);
            }
        }
        // Appended rather than written "f" + ..., on which g++ 12 gives a false -Wrestrict warning.
        std::string name(1, 'f');
        name += std::to_string(i) + ".bin";
        WriteBytes(dir_.File(name), bytes);
        loadable_.push_back(name);
    }
    loadable_.emplace_back(MissingName);
    loadable_.emplace_back(FolderName);
    std::filesystem::create_symlink("link-target.bin", dir_.File(std::string(LinkName)));
}

std::string Soak::AnyText(std::string_view alphabet, int longest) {
    std::string text;
    for (int n = Between(0, longest); n > 0; --n) {
        text += alphabet[static_cast<std::size_t>(Between(0, static_cast<int>(alphabet.size()) - 1))];
    }
    return text;
}

std::string Soak::AnyListing() {
    static constexpr std::array<std::string_view, 8> Starts{"dc.w ", "dc.w ", "dc.w ",   "\tdc.w\t",
                                                            "dc.b ", "",      "; dc.w ", "label: dc.w "};
    std::string text;
    for (int line = Between(0, 6); line > 0; --line) {
        text += Starts[static_cast<std::size_t>(Between(0, static_cast<int>(Starts.size()) - 1))];
        for (int field = Between(0, 20); field > 0; --field) {
            switch (Between(0, 5)) {
                case 0:
                    text += AnyText(Pasted, 5);
                    break;
                case 1:
                    text += std::to_string(Between(-70000, 70000));
                    break;
                default:
                    text += '$';
                    text += HexText(static_cast<std::uint32_t>(Between(0, 0xFFFF) & 0x0EEE), 4);
                    break;
            }
            text += field > 1 ? "," : (Between(0, 3) == 0 ? " ; note" : "");
        }
        text += Between(0, 3) == 0 ? "\r\n" : "\n";
    }
    return text;
}

// A point on one of the palette's entries or on the first cell past them; half the time on the last two
// entries or that cell, where the range commands meet the palette's end.
void Soak::AimAtEntry(int& x, int& y) {
    const int past = std::min(h_.form.State.PalLength, MaxPalLength - 1);
    const int cell = Between(0, 1) == 0 ? Between(0, past) : std::max(past - Between(0, 2), 0);
    x = PaletteCellWidth * (cell % PaletteColumns) + Between(0, PaletteCellWidth - 1);
    y = PaletteCellHeight * (cell / PaletteColumns) + Between(0, PaletteCellHeight - 1);
}

// A place a scan of the image finds, or now and then any address near the image and any length.
void Soak::AimAtFound(int& address, int& length) {
    const EditorState& s = h_.form.State;
    const std::vector<ScanHit> hits = ScanPalettes(s.FileData, Between(1, 12)).hits;
    if (hits.empty() || Between(0, 3) == 0) {
        address = Between(-3, static_cast<int>(s.FileData.size()) + 3);
        length = Between(-1, MaxPalLength + 1);
        return;
    }
    const ScanHit& hit = hits[static_cast<std::size_t>(Between(0, static_cast<int>(hits.size()) - 1))];
    address = static_cast<int>(hit.address);
    length = hit.length;
}

std::optional<std::string> Soak::AnyPath(const std::vector<std::string>& names) {
    if (Between(0, 7) == 0) {
        return std::nullopt;
    }
    return dir_.File(names[static_cast<std::size_t>(Between(0, static_cast<int>(names.size()) - 1))]);
}

SoakEvent Soak::Next() {
    const MemoryControls& c = h_.controls;
    for (;;) {
        int pick = Between(0, TotalWeight - 1);
        const auto* info = Kinds.begin();
        while (pick >= info->weight) {
            pick -= info->weight;
            ++info;
        }
        SoakEvent e;
        e.kind = info->kind;
        e.button = static_cast<MouseButton>(Between(0, 2));
        // Somewhere on the event's area or up to 40 pixels beside it: a held button sends moves and the
        // release from anywhere.
        const auto placeOn = [&](Ctl area) {
            const Rect r = RectOf(area);
            e.x = Between(-40, r.width + 40);
            e.y = Between(-40, r.height + 40);
        };
        switch (e.kind) {
            case EventKind::PalPress:
            case EventKind::PalRelease:
                placeOn(Ctl::areaPal);
                break;
            case EventKind::PalDrag:
                e.button = MouseButton::Left;
                AimAtEntry(e.x, e.y);
                AimAtEntry(e.endX, e.endY);
                break;
            case EventKind::LevelPress:
                placeOn(Ctl::areaRGB);
                break;
            case EventKind::BrowserPress:
            case EventKind::BrowserMove:
                placeOn(Ctl::areaBrowser);
                break;
            case EventKind::BrowserOutMove:
                placeOn(Ctl::areaBrowserOut);
                break;
            case EventKind::BitsPress:
                if (!c.Enabled(Ctl::editBits)) {
                    continue;  // a disabled control takes no press
                }
                placeOn(Ctl::editBits);
                break;
            case EventKind::TypeLength:
            case EventKind::PasteLength:
                if (!c.Visible(Ctl::editLength)) {
                    continue;
                }
                e.text = e.kind == EventKind::TypeLength ? AnyText(Keys, 4) : AnyText(Pasted, 8);
                break;
            case EventKind::TypeAddress:
                e.text = AnyText(Keys, 7);
                break;
            case EventKind::PasteAddress:
                e.text = AnyText(Pasted, 10);
                break;
            case EventKind::ChooseLength:
                e.x = Between(0, static_cast<int>(LengthItems.size()) - 1);
                break;
            case EventKind::TypeLengthMenu:
                e.text = Between(0, 3) == 0 ? AnyText(Pasted, 4)
                                            : std::string(MenuTexts[static_cast<std::size_t>(
                                                  Between(0, static_cast<int>(MenuTexts.size()) - 1))]);
                break;
            case EventKind::EditListing:
                e.text = AnyListing();
                break;
            case EventKind::Colour:
                if (Between(0, 3) != 0) {
                    e.colour = Rgb{static_cast<std::uint8_t>(Between(0, 255)),
                                   static_cast<std::uint8_t>(Between(0, 255)),
                                   static_cast<std::uint8_t>(Between(0, 255))};
                }
                break;
            case EventKind::Scroll:
                if (!c.Enabled(Ctl::barBrowser)) {
                    continue;
                }
                e.x = Between(-3, c.ScrollMax(Ctl::barBrowser) + 3);
                break;
            case EventKind::Load:
                e.path = AnyPath(loadable_);
                e.x = Between(0, 2);  // Save, Discard or Cancel, if unsaved changes are asked about
                break;
            case EventKind::SaveAs:
                e.path =
                    AnyPath({"copy.bin", std::string(LinkName), std::string(FolderName), loadable_.front()});
                break;
            case EventKind::LocateFound:
                AimAtFound(e.x, e.y);
                break;
            case EventKind::NamePalette:
                // A title with what a typed one may hold; empty cancels the prompt.
                e.text = Between(0, 4) == 0 ? std::string() : AnyText(Pasted, 12) + "x";
                break;
            case EventKind::Tiles:
            case EventKind::Finder:
                AimAtPanel(e);
                break;
            default:
                break;
        }
        return e;
    }
}

// Every event reaches the form here, and only here, as a user's action on the in-memory controls: through
// the same wiring as the window's.
void Soak::Apply(const SoakEvent& e) {
    MemoryControls& c = h_.controls;
    switch (e.kind) {
        case EventKind::PalPress:
            c.Mouse(Ctl::areaPal, MouseAction::Down, e.button, e.x, e.y);
            break;
        case EventKind::PalRelease:
            c.Mouse(Ctl::areaPal, MouseAction::Up, e.button, e.x, e.y);
            break;
        case EventKind::PalDrag:
            c.Mouse(Ctl::areaPal, MouseAction::Down, e.button, e.x, e.y);
            c.Mouse(Ctl::areaPal, MouseAction::Up, e.button, e.endX, e.endY);
            break;
        case EventKind::LevelPress:
            c.Mouse(Ctl::areaRGB, MouseAction::Down, e.button, e.x, e.y);
            break;
        case EventKind::BrowserPress:
            c.Mouse(Ctl::areaBrowser, MouseAction::Down, e.button, e.x, e.y);
            break;
        case EventKind::BrowserMove:
            c.Mouse(Ctl::areaBrowser, MouseAction::Move, MouseButton::Left, e.x, e.y);
            break;
        case EventKind::BrowserOutMove:
            c.Mouse(Ctl::areaBrowserOut, MouseAction::Move, MouseButton::Left, e.x, e.y);
            break;
        case EventKind::BitsPress:
            c.Mouse(Ctl::editBits, MouseAction::Down, e.button, e.x, e.y);
            break;
        case EventKind::TypeAddress:
            c.Type(Ctl::editAddress, e.text);
            break;
        case EventKind::PasteAddress:
            c.Paste(Ctl::editAddress, e.text);
            break;
        case EventKind::TypeLength:
            c.Type(Ctl::editLength, e.text);
            break;
        case EventKind::PasteLength:
            c.Paste(Ctl::editLength, e.text);
            break;
        case EventKind::ChooseLength:
            c.ChooseItem(Ctl::menuLength, e.x);
            break;
        case EventKind::TypeLengthMenu:
            c.TypeMenuText(Ctl::menuLength, e.text);
            break;
        case EventKind::Reload:
            c.Press(Ctl::btnReload);
            break;
        case EventKind::EditListing:
            c.EditListing(e.text);
            break;
        case EventKind::Asm:
            c.Press(Ctl::btnASM);
            break;
        case EventKind::Colour:
            c.AnswerColour(e.colour);
            c.Press(Ctl::btnColour);
            break;
        case EventKind::Copy:
            c.Press(Ctl::btnCopy);
            break;
        case EventKind::Paste:
            c.Press(Ctl::btnPaste);
            break;
        case EventKind::Gradient:
            c.Press(Ctl::btnGradient);
            break;
        case EventKind::Swap:
            c.Press(Ctl::btnSwap);
            break;
        case EventKind::Reverse:
            c.Press(Ctl::btnReverse);
            break;
        case EventKind::Scroll:
            c.Scroll(Ctl::barBrowser, e.x);
            break;
        case EventKind::ToggleInvalid:
            c.Press(Ctl::chkInvalid);
            break;
        case EventKind::Load:
            Load(e.path, static_cast<SaveAnswer>(e.x));
            break;
        case EventKind::Save:
            c.Press(Ctl::btnSave);
            break;
        case EventKind::SaveAs:
            c.AnswerSave(e.path);
            c.AnswerOverwrite(true);  // for a file that is there already
            c.Press(Ctl::btnSaveAs);
            break;
        case EventKind::Undo:
            c.Run(Command::Undo);
            break;
        case EventKind::Redo:
            c.Run(Command::Redo);
            break;
        case EventKind::LocateFound:
            // What activating a row of the Find Palettes window runs.
            h_.form.LocatePalette(e.x, e.y);
            break;
        case EventKind::NamePalette:
            c.AnswerTitle(e.text.empty() ? std::nullopt : std::optional(e.text));
            c.Run(Command::NamePalette);
            break;
        case EventKind::Tiles:
        case EventKind::Finder:
            ApplyToPanel(e);
            break;
    }
}

MemoryPanel& Soak::PanelOf(EventKind kind) {
    return kind == EventKind::Tiles ? h_.controls.TilesView() : h_.controls.FinderView();
}

// A field of a tool window (endX; none for one of its keys) and what is done with it: a value from the
// field's own range, an address typed near the image or garbage, a row of a table, the pointer anywhere
// near an area (endY picks moving, pressing, a new size or the wheel).
void Soak::AimAtPanel(SoakEvent& e) {
    const PanelDescription& window = PanelOf(e.kind).Description();
    e.endX = Between(window.keys.empty() ? 0 : -1, static_cast<int>(window.fields.size()) - 1);
    if (e.endX < 0) {
        e.x = Between(0, static_cast<int>(window.keys.size()) - 1);
        return;
    }
    const PanelField& field = window.fields[static_cast<std::size_t>(e.endX)];
    const int lastItem = std::max(static_cast<int>(field.items.size()) - 1, 0);
    switch (field.kind) {
        case FieldKind::Number:
            e.x = Between(field.low, field.high);
            break;
        case FieldKind::Choice:
        case FieldKind::MenuButton:
            e.x = Between(0, lastItem);
            break;
        case FieldKind::Check:
            e.x = Between(0, 1);
            break;
        case FieldKind::Text:
            e.text = Between(0, 3) == 0
                         ? AnyText(Keys, 6)
                         : "$" + HexText(static_cast<std::uint32_t>(
                                     Between(0, static_cast<int>(h_.form.State.FileData.size()) + 40)));
            break;
        case FieldKind::Pixels:
            e.endY = Between(0, 3);
            e.x = Between(-20, 700);
            e.y = Between(-20, 700);
            break;
        case FieldKind::ScrollBar:
        case FieldKind::Table:
            e.x = Between(0, 5000);
            break;
        default:
            break;
    }
}

void Soak::ApplyToPanel(const SoakEvent& e) {
    MemoryPanel& view = PanelOf(e.kind);
    if (e.kind == EventKind::Tiles && !h_.form.Tiles().IsOpen()) {
        h_.controls.Run(Command::Tiles);
        view.Pointer(TilesPanel::Area, FieldAction::Resized, 300, 200);
    }
    if (e.kind == EventKind::Finder && h_.controls.FinderShown() == 0) {
        h_.controls.Run(Command::FindPalettes);
    }
    const PanelDescription& window = view.Description();
    if (e.endX < 0) {
        view.Key(window.keys[static_cast<std::size_t>(e.x)]);
        return;
    }
    switch (window.fields[static_cast<std::size_t>(e.endX)].kind) {
        case FieldKind::Number:
        case FieldKind::Choice:
        case FieldKind::Check:
            view.Change(e.endX, e.x);
            break;
        case FieldKind::ScrollBar:
            // A scroll bar goes no further than its end.
            view.Change(e.endX, std::min(e.x, view.High(e.endX)));
            break;
        case FieldKind::Text:
            view.Type(e.endX, e.text);
            break;
        case FieldKind::Table:
            // A row that is there: the one at the event's place among them.
            if (const auto rows = static_cast<int>(view.Rows(e.endX).size()); rows > 0) {
                view.Activate(e.endX, e.x % rows);
            }
            break;
        case FieldKind::Button:
        case FieldKind::MenuButton:
            view.Press(e.endX, e.x);
            break;
        case FieldKind::Pixels:
            if (e.endY == 3) {
                view.Wheel(e.endX, e.x - 300);
            } else {
                static constexpr std::array<FieldAction, 3> Actions{
                    FieldAction::PointerMoved, FieldAction::PointerPressed, FieldAction::Resized};
                view.Pointer(e.endX, Actions[static_cast<std::size_t>(e.endY)], e.x, e.y);
            }
            break;
        default:
            break;
    }
}

// The one place a file is loaded.
void Soak::Load(const std::optional<std::string>& path, SaveAnswer unsaved) {
    const bool asks = h_.form.document().Modified();
    loadWent_ = !asks || unsaved != SaveAnswer::Cancel;
    h_.controls.AnswerSaveChanges(unsaved);
    h_.controls.AnswerOpen(path);
    h_.controls.Press(Ctl::btnLoad);
    if (path && loadWent_) {
        loadedPath_ = *path;  // not reached when the load failed
    }
}

std::string Soak::Run(const SoakEvent& event) {
    const Before before{h_.form.State, h_.controls.PresentCount()};
    bool failed = false;
    try {
        Apply(event);
    } catch (const FileError&) {
        failed = true;  // the window shows it and goes on
    } catch (const std::exception& e) {
        return std::string("threw ") + e.what();
    }
    h_.controls.ForgetAnswers();
    listingTyped_ = listingTyped_ || event.kind == EventKind::EditListing;
    try {
        return Check(event, before, failed);
    } catch (const std::exception& e) {
        return std::string("reading the views threw ") + e.what();
    }
}

std::string Soak::Check(const SoakEvent& event, const Before& before, bool failed) {
    const EditorState& s = h_.form.State;
    const MemoryControls& c = h_.controls;
    const bool fileEvent = event.kind == EventKind::Load || event.kind == EventKind::SaveAs;
    // A tool window's search may find nothing to search for, which the window says in a message.
    const bool panelEvent = event.kind == EventKind::Tiles || event.kind == EventKind::Finder;
    if (failed && !panelEvent && !(fileEvent && ShouldFail(event.path))) {
        return "a file error where none was due";
    }
    if (!failed && event.kind == EventKind::Load && loadWent_ && ShouldFail(event.path)) {
        return "no error for a load that cannot work";
    }
    // A save asked for before the load may have gone through; the image is the same all the same.
    if (failed && (!SameEditor(s, before.state) || c.PresentCount() != before.presents)) {
        return "a failed file command changed the editor";
    }

    const auto size = static_cast<std::int64_t>(s.FileData.size());
    if (s.WordCount != size / 2) {
        return "WordCount is not the image's whole words";
    }
    if (s.PalLength < 0 || s.PalLength > MaxPalLength) {
        return "palette length out of range";
    }
    if (s.PalLength > 0 && !(0 <= s.SelStart && s.SelStart <= s.SelEnd && s.SelEnd < s.PalLength)) {
        return "selection outside the palette";
    }
    if (s.PalLength == 0 && (s.SelStart != 0 || s.SelEnd != 0)) {
        return "a selection without a palette";
    }
    const std::int64_t paletteEnd = std::int64_t{s.PalAddress} + 2 * std::int64_t{s.PalLength};
    if (s.PalLength > 0 && (s.PalAddress < 0 || paletteEnd > size)) {
        return "palette outside the image";
    }
    if (s.ClipData.size() % 2 != 0) {
        return "odd clipboard";
    }
    if (s.FileName.empty() && !s.FileData.empty()) {
        return "an image without a file name";
    }

    // Only a load, or a palette made from the listing without a file, brings a new image; every other
    // change stays inside the palette.
    const bool newImage = (event.kind == EventKind::Load && !failed && event.path && loadWent_) ||
                          s.FileName != before.state.FileName;
    if (!newImage) {
        const std::vector<std::uint8_t>& old = before.state.FileData;
        if (old.size() != s.FileData.size()) {
            return "the image changed size";
        }
        const auto begin = static_cast<std::size_t>(std::clamp<std::int64_t>(s.PalAddress, 0, size));
        const auto end = static_cast<std::size_t>(std::clamp<std::int64_t>(paletteEnd, 0, size));
        const auto outsideBefore = std::mismatch(old.begin(), old.begin() + begin, s.FileData.begin()).first;
        if (outsideBefore != old.begin() + begin ||
            !std::equal(old.begin() + end, old.end(), s.FileData.begin() + end)) {
            return "a byte outside the palette changed";
        }
    }
    if (event.kind == EventKind::Copy && s.PalLength > 0) {
        const auto from = s.FileData.begin() + s.EntryOffset(s.SelStart);
        if (!std::equal(s.ClipData.begin(), s.ClipData.end(), from, from + 2 * (s.SelEnd - s.SelStart + 1))) {
            return "the clipboard does not hold the selected entries";
        }
    }
    if (!failed && event.kind == EventKind::Save && !s.FileName.empty() &&
        ReadBytes(s.FileName) != s.FileData) {
        return "the saved file differs from the image";
    }
    if (!failed && event.kind == EventKind::SaveAs && event.path && !s.FileData.empty() &&
        ReadBytes(*event.path) != s.FileData) {
        return "the file saved as differs from the image";
    }
    if (event.kind == EventKind::LocateFound && !failed) {
        if (std::string message = CheckLocated(event.x, event.y); !message.empty()) {
            return message;
        }
    }
    if (!std::filesystem::is_symlink(dir_.File(std::string(LinkName)))) {
        return "a save replaced the link";
    }

    const bool marked = !loadedPath_.empty() && h_.form.document().Modified();
    const std::string caption = std::string(WindowCaption) +
                                (loadedPath_.empty() ? std::string() : " - " + loadedPath_) +
                                (marked ? "*" : "");
    if (c.Caption() != caption) {
        return "the caption does not name the loaded file and whether it is modified";
    }
    const bool scrolls = c.Enabled(Ctl::barBrowser);
    if (scrolls != (s.WordCount > BrowserCells)) {
        return "the scroll bar is enabled for the wrong image";
    }
    if (scrolls &&
        (s.BrowserOffset != 2 * BrowserColumns * c.ScrollPos(Ctl::barBrowser) ||
         c.ScrollMax(Ctl::barBrowser) != (s.WordCount + BrowserColumns - 1) / BrowserColumns - 32)) {
        return "the scroll bar does not match the browser";
    }
    if (!scrolls && s.BrowserOffset != 0) {
        return "the browser is scrolled without a scroll bar";
    }
    return CheckViews();
}

// A palette the finder lists is shown from its address with the length asked for (cut to the data), and
// the browser shows where it starts; no place with a word leaves no palette.
std::string Soak::CheckLocated(int address, int length) {
    const EditorState& s = h_.form.State;
    const std::int64_t words = WholeWordsFrom(address, s.FileData.size());
    if (words < 1) {
        return {};
    }
    if (s.PalAddress != address ||
        s.PalLength != std::min<std::int64_t>(std::clamp(length, 1, MaxPalLength), words)) {
        return "a located palette is not where the finder listed it";
    }
    if (s.PalAddress < s.BrowserOffset || s.PalAddress >= s.BrowserOffset + 2 * BrowserCells) {
        return "the browser does not show a located palette";
    }
    return {};
}

std::string Soak::CheckViews() {
    const EditorState& s = h_.form.State;
    const MemoryControls& c = h_.controls;
    const Surface& surface = h_.form.surface();
    const auto sample = [&](int high) { return std::uniform_int_distribution(0, high)(sampler_); };

    if (c.Text(Ctl::lblBrowser) != "Top Left: $" + HexText(static_cast<std::uint32_t>(s.BrowserOffset))) {
        return "the browser's label does not show its offset";
    }
    const Rect grid = RectOf(Ctl::areaBrowser);
    for (int n = 0; n < 3; ++n) {
        const int i = sample(BrowserCells - 1);
        const std::int64_t offset = s.BrowserOffset + 2 * std::int64_t{i};
        const ColourWord w = s.ReadWordAt(offset);
        const Rgb expected = offset + 2 > 2 * std::int64_t{s.WordCount}       ? BackgroundColour
                             : IsValidColour(w) || c.Checked(Ctl::chkInvalid) ? DisplayColour(w)
                                                                              : InvalidStripe;
        const int x = grid.left + BrowserCellSize * (i % BrowserColumns);
        const int y = grid.top + BrowserCellSize * (i / BrowserColumns);
        if (surface.PixelAt(x, y) != expected) {
            return "browser cell " + std::to_string(i) + " does not show its word";
        }
    }
    const Rect pal = RectOf(Ctl::areaPal);
    const int j = sample(MaxPalLength - 1);
    const Rgb expected = j < s.PalLength ? DisplayColour(s.GetEntry(j)) : BackgroundColour;
    if (surface.PixelAt(pal.left + PaletteCellWidth * (j % PaletteColumns) + PaletteCellWidth / 2,
                        pal.top + PaletteCellHeight * (j / PaletteColumns) + PaletteCellHeight / 2) !=
        expected) {
        return "palette cell " + std::to_string(j) + " does not show its entry";
    }

    std::vector<ColourWord> entries;
    for (int i = 0; i < s.PalLength; ++i) {
        entries.push_back(s.GetEntry(i));
    }
    const std::string selected = c.SelectedText(Ctl::memoASM);
    if (c.Lines(Ctl::memoASM) == FormatListing(entries)) {
        listingTyped_ = false;
    } else if (!listingTyped_) {
        return "the listing does not show the palette";
    }
    if (!listingTyped_ && s.PalLength > 0 &&
        (!selected.starts_with('$') || selected.substr(1) != HexText(s.GetEntry(s.SelStart), 4))) {
        return "the listing highlights another entry";
    }
    const bool bitsShown = s.PalLength > 0;
    if (c.Enabled(Ctl::editBits) != bitsShown ||
        c.Text(Ctl::editBits) != (bitsShown ? Binary(s.GetEntry(s.SelStart)) : std::string(ResetBitsText))) {
        return "the bit view does not show the selected entry";
    }
    if (c.Visible(Ctl::editLength) != (c.ItemIndex(Ctl::menuLength) == LengthItemOther)) {
        return "the length box shows for another item";
    }
    if (!IsNumberText(c.Text(Ctl::editAddress)) || !IsNumberText(c.Text(Ctl::editLength))) {
        return "a number box holds what is no number";
    }
    return CheckTiles();
}

// A pixel of the shown tiles has the colour of the entry the pointer there names, or the checker where that
// entry is past the palette or index 0 is shown as see-through: stale colours after an edit show here.
std::string Soak::CheckTiles() {
    TilesSession& tiles = h_.form.Tiles();
    const Surface& pixels = tiles.Pixels();
    if (!tiles.IsOpen() || pixels.Width() == 0 || pixels.Height() == 0) {
        return {};
    }
    const int x = std::uniform_int_distribution(0, pixels.Width() - 1)(sampler_);
    const int y = std::uniform_int_distribution(0, pixels.Height() - 1)(sampler_);
    tiles.Hover(x, y);
    const std::string& hover = tiles.HoverText();
    const std::size_t index = hover.find(", index ");
    const std::size_t entry = hover.find(", entry ");
    const Rgb shown = pixels.PixelAt(x, y);
    const bool checker = shown == CheckerLight || shown == CheckerDark;
    if (index == std::string::npos || entry == std::string::npos) {
        // Past the last whole tile the pointer names no entry.
        return hover.empty() ? std::string() : "the hover over the tiles says no entry";
    }
    const int i = std::stoi(hover.substr(index + 8));
    const int n = std::stoi(hover.substr(entry + 8));
    const EditorState& s = h_.form.State;
    const bool seeThrough = n >= s.PalLength || (i == 0 && tiles.Settings().transparentZero);
    if (seeThrough ? !checker : shown != DisplayColour(s.GetEntry(n))) {
        return "tile pixel (" + std::to_string(x) + ", " + std::to_string(y) +
               ") does not show what its hover says: " + hover;
    }
    return {};
}

}  // namespace tintorb::test
