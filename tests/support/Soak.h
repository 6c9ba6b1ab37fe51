// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A long run of random user events against the form on the in-memory controls: clicks and presses in and
// beside every area, typing and pasting (garbage included) into every box, the listing, every command,
// scrolling, the check box, and loads and saves of odd-sized files. After each event the state and the
// views are checked against each other. A seed fixes the whole run, so a failure can be replayed.

#include <cstdint>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "support/FormHarness.h"
#include "support/MemoryPanel.h"

namespace tintorb::test {

enum class EventKind {
    PalPress,
    PalRelease,
    PalDrag,
    LevelPress,
    BrowserPress,
    BrowserMove,
    BrowserOutMove,
    BitsPress,
    TypeAddress,
    PasteAddress,
    TypeLength,
    PasteLength,
    ChooseLength,
    TypeLengthMenu,
    Reload,
    EditListing,
    Asm,
    Colour,
    Copy,
    Paste,
    Gradient,
    Swap,
    Reverse,
    Scroll,
    ToggleInvalid,
    Load,
    Save,
    SaveAs,
    Undo,
    Redo,
    LocateFound,
    NamePalette,
    Tiles,   // any field or key of the Tiles window, opened first if it is closed
    Finder,  // any field of the Find Palettes window, opened first if it is closed
};

struct SoakEvent {
    EventKind kind = EventKind::PalPress;
    MouseButton button = MouseButton::Left;
    int x = 0;  // relative to the area; also the item chosen, the scroll position or the answer to a question
    int y = 0;
    int endX = 0;  // where a drag is released
    int endY = 0;
    std::string text;                 // typed, pasted or listing text
    std::optional<std::string> path;  // a file dialog's answer; none cancels it
    std::optional<Rgb> colour;        // the colour dialog's answer; none cancels it
};

[[nodiscard]] std::string Describe(const SoakEvent& event);

class Soak {
  public:
    explicit Soak(unsigned seed);

    // A random event that a user could give the window as it is now.
    [[nodiscard]] SoakEvent Next();
    // Gives the form the event, and returns what is wrong afterwards: empty when the state and the views
    // agree.
    [[nodiscard]] std::string Run(const SoakEvent& event);

  private:
    struct Before {
        EditorState state;
        int presents = 0;
    };

    void Apply(const SoakEvent& event);
    void Load(const std::optional<std::string>& path, SaveAnswer unsaved);
    [[nodiscard]] std::string Check(const SoakEvent& event, const Before& before, bool failed);
    [[nodiscard]] std::string CheckLocated(int address, int length);
    std::string CheckViews();
    [[nodiscard]] int Between(int low, int high) { return std::uniform_int_distribution(low, high)(random_); }
    [[nodiscard]] std::string AnyText(std::string_view alphabet, int longest);
    [[nodiscard]] std::string AnyListing();
    void AimAtEntry(int& x, int& y);
    void AimAtFound(int& address, int& length);
    [[nodiscard]] MemoryPanel& PanelOf(EventKind kind);
    void AimAtPanel(SoakEvent& event);
    void ApplyToPanel(const SoakEvent& event);
    [[nodiscard]] std::string CheckTiles();
    [[nodiscard]] std::optional<std::string> AnyPath(const std::vector<std::string>& names);
    void MakeFiles();

    std::mt19937 random_;
    std::mt19937 sampler_;  // picks the pixels checked, apart from the events so that checks never shift them
    TempDir dir_;
    FormHarness h_;
    std::string loadedPath_;
    bool loadWent_ = false;  // the latest load was not called off at the question about unsaved changes
    bool listingTyped_ = false;
    std::vector<std::string> loadable_;
};

}  // namespace tintorb::test
