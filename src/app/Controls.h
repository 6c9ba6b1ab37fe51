// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Everything the form does to its window goes through Controls, which joins three roles: the operations on
// its controls, the dialogs, and the shell around them. The Qt window implements each role in a class of
// its own, and the unit tests all three on an in-memory stand-in. Setting a control's text, or moving a
// scroll bar's position (directly or by lowering its maximum), fires that control's change handler at once,
// nested, before the setter returns, exactly as a user's change would.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/Layout.h"
#include "model/ColourWord.h"

namespace tintorb {

enum class MouseButton { Left, Right, Middle };

enum class SaveAnswer { Save, Discard, Cancel };

struct ScreenSize {
    int width = 0;
    int height = 0;
};

// What the form reads from and writes to its controls, and the surface it draws on.
class ControlOperations {
  public:
    virtual ~ControlOperations() = default;

    // Text of an edit box, label, drop-down list's edit field or the bit view.
    [[nodiscard]] virtual std::string Text(Ctl c) const = 0;
    virtual void SetText(Ctl c, std::string_view text) = 0;
    virtual void SetCaret(Ctl c, int position) = 0;
    virtual void SetVisible(Ctl c, bool visible) = 0;
    virtual void SetEnabled(Ctl c, bool enabled) = 0;

    [[nodiscard]] virtual bool Checked(Ctl c) const = 0;
    // The drop-down list's chosen item, -1 when its text matches no item.
    [[nodiscard]] virtual int ItemIndex(Ctl c) const = 0;

    virtual void SetScrollMax(Ctl c, int maximum) = 0;
    virtual void SetScrollPos(Ctl c, int position) = 0;
    [[nodiscard]] virtual int ScrollPos(Ctl c) const = 0;

    // The listing box.
    [[nodiscard]] virtual std::vector<std::string> Lines(Ctl c) const = 0;
    // Replaces the box's lines. With as many lines as before, the caret and selection stay, moved with the
    // text where it changed; otherwise the caret goes to the start.
    virtual void SetLines(Ctl c, std::span<const std::string> lines) = 0;
    virtual void Clear(Ctl c) = 0;
    virtual void SetFocus(Ctl c) = 0;
    // Selects length characters from start, counting each line break as LineBreakLength characters.
    virtual void Select(Ctl c, int start, int length) = 0;
    [[nodiscard]] virtual int LineBreakLength(Ctl c) const = 0;

    // The bit view: runs of coloured text inserted at the caret.
    virtual void SetInsertColour(Ctl c, Rgb colour) = 0;
    virtual void InsertText(Ctl c, std::string_view text) = 0;

    // Shows at once what was drawn on the surface since the last present (the surface's dirty region,
    // which this takes), so that the screen holds the surface's current pixels.
    virtual void Present() = 0;
};

// The file, colour and message boxes, and the questions.
class Dialogs {
  public:
    virtual ~Dialogs() = default;

    // Each returns nothing when the user cancels.
    [[nodiscard]] virtual std::optional<std::string> RunOpenDialog() = 0;
    [[nodiscard]] virtual std::optional<std::string> RunSaveDialog() = 0;
    [[nodiscard]] virtual std::optional<Rgb> RunColourDialog() = 0;
    // Palette files, in a dialog whose filters offer each palette format.
    [[nodiscard]] virtual std::optional<std::string> RunImportDialog() = 0;
    [[nodiscard]] virtual std::optional<std::string> RunExportDialog() = 0;
    // A palette file, or any file as a dump of colour memory, to search for its colours.
    [[nodiscard]] virtual std::optional<std::string> RunQueryDialog() = 0;
    // The PNG image to write the shown tiles to.
    [[nodiscard]] virtual std::optional<std::string> RunPngExportDialog() = 0;
    // An information box, confirmed with OK.
    virtual void ShowMessage(std::string_view text) = 0;
    // Asks, before unsaved changes would be dropped, whether to save them (Save, Discard, Cancel).
    [[nodiscard]] virtual SaveAnswer AskSaveChanges(std::string_view question) = 0;
    // Asks whether to overwrite a file (Overwrite, Cancel); true for Overwrite.
    [[nodiscard]] virtual bool AskOverwrite(std::string_view question) = 0;
    // Asks for a line of text, offering suggestion; nothing when the user cancels.
    [[nodiscard]] virtual std::optional<std::string> AskTitle(std::string_view prompt,
                                                              std::string_view suggestion) = 0;
};

// The window around the controls: its caption, the menus' recent files, the help and tool windows, and
// what the program learns of the machine it runs on.
class Shell {
  public:
    virtual ~Shell() = default;

    virtual void SetCaption(std::string_view caption) = 0;
    // Whether the caption's "[*]" shows as the mark of unsaved changes; without one the caption is as set.
    virtual void SetModified(bool modified) = 0;

    // Closes the window as its close button does, which asks about unsaved changes first.
    virtual void CloseWindow() = 0;
    virtual void ShowKeyboardShortcuts() = 0;
    virtual void ShowAbout() = 0;
    // The list of recently opened files: a file just opened goes to its top, a missing one comes off it.
    virtual void RememberRecentFile(std::string_view path) = 0;
    virtual void ForgetRecentFile(std::string_view path) = 0;

    // The tool window that finds palettes in the file: opens it, or brings it to the front.
    virtual void ShowFinder() = 0;
    // Another document replaced the one whose palettes the tool window lists: its results go, and an open
    // window looks through the new one.
    virtual void ClearFinder() = 0;
    // The names of the palettes changed; the menu of them and the tool window show the new ones.
    virtual void ShowNames() = 0;
    // The file's bytes from offset on changed (an edit, an undo, a redo): the tool window's rows and colour
    // strips follow.
    virtual void FinderFileChanged(std::int64_t offset, std::size_t length) = 0;

    // The Tiles tool window: opens it, or brings it to the front; shows what its session holds now.
    virtual void ShowTiles() = 0;
    virtual void PresentTiles() = 0;
    // Settings kept between runs, such as each file's tile settings; empty when none is kept.
    [[nodiscard]] virtual std::string Setting(std::string_view key) const = 0;
    virtual void SetSetting(std::string_view key, std::string_view value) = 0;

    // One line below the client area saying what the last command did, or what lies under the pointer; it
    // stays until the next one.
    virtual void ShowStatus(std::string_view text) = 0;
    // Puts text on the system clipboard, where other programs can paste it.
    virtual void SetClipboardText(std::string_view text) = 0;
    [[nodiscard]] virtual std::string ClipboardText() const = 0;

    [[nodiscard]] virtual ScreenSize Screen() const = 0;
    // The folder of the program's own executable, ending in a path separator.
    [[nodiscard]] virtual std::string ExecutableDir() const = 0;
};

// The one door the form talks through. The roles are virtual bases, so that a window can take each one's
// implementation from a class of its own.
class Controls : public virtual ControlOperations, public virtual Dialogs, public virtual Shell {};

}  // namespace tintorb
