// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// TForm1: the one class of form logic. It owns the editor state and the surface and talks to its window
// only through Controls. Its methods are defined area by area: views/ holds what is drawn or written from
// the state, commands/ the handlers that change it.

#include <cstdint>
#include <optional>
#include <string>

#include "app/Controls.h"
#include "app/StartOptions.h"
#include "app/TilesSession.h"
#include "draw/Surface.h"
#include "finder/PaletteNames.h"
#include "model/Document.h"
#include "model/EditorState.h"

namespace tintorb {

class TForm1 {
    // Declared first, so that it exists before State refers to it.
    Document document_;

  public:
    explicit TForm1(Controls& controls) : controls_(controls) {}

    // What every view and command reads. It cannot be written through: changes go through the document,
    // user edits of bytes through Apply.
    const EditorState& State = document_.State();
    [[nodiscard]] const Document& document() const { return document_; }

    [[nodiscard]] Surface& surface() { return *surface_; }
    [[nodiscard]] const Surface& surface() const { return *surface_; }

    void FormCreate();

    // Area clears (the rectangles come from the layout).
    void ClearBrowser();
    void ClearPaletteAreas();

    // Data browser.
    void DrawBrowser();
    void barBrowserChange();
    void chkInvalidClick();
    void areaBrowserMouseMove(int X, int Y);
    void areaBrowserOutMouseMove(int X, int Y);
    // Scrolls the browser as its scroll bar would under the wheel.
    void areaBrowserMouseWheel(int angleDelta);

    // Palette view, level picker, bit view, listing.
    void DrawPaletteCells();
    void DrawPalette();
    void RefreshAfterEdit();
    void DrawLevelPicker();
    void ShowBits(ColourWord w);
    void WriteListing();

    // Palette location.
    void editAddressKeyPress(char32_t& Key);
    void editLengthKeyPress(char32_t& Key);
    // Enter in either box does what "Load" beside it does, and Ctrl+A selects the box's text.
    void NumberBoxKeyPress(Ctl box, char32_t& Key);
    void editAddressChange();
    void editLengthChange();
    void menuLengthChange();
    void btnReloadClick();
    void areaBrowserMouseDown(MouseButton Button, int X, int Y);
    void SetupPalette();

    // Entry edits.
    void areaPalMouseDown(MouseButton Button, int X, int Y);
    void areaPalMouseUp(MouseButton Button, int X, int Y);
    void areaRGBMouseDown(MouseButton Button, int X, int Y);
    void btnColourClick();
    void editBitsMouseDown(MouseButton Button, int X, int Y);
    void btnASMClick();

    // Range edits.
    void btnCopyClick();
    void btnPasteClick();
    void btnGradientClick();
    void btnSwapClick();
    void btnReverseClick();

    // Writes a user's edit of the image as one undoable step, then shows it.
    void Apply(const Edit& edit);
    void Undo();
    void Redo();

    // File commands.
    void btnLoadClick();
    void btnSaveClick();
    void btnSaveAsClick();
    // Palette files: the shown palette (or its selection) out to a file, a file's colours in from SelStart.
    void ExportPaletteClick();
    void ImportPaletteClick();
    // Patches: the changes since the file was last loaded or saved out to an IPS or BPS patch, and a patch
    // applied to the image as one step.
    void CreatePatchClick();
    // The same against another file, such as the untouched original of a file saved with edits.
    void CreatePatchFromOriginalClick();
    void ApplyPatchClick();
    // Opens the file at path as the document, after asking about unsaved changes, and shows the palette
    // last located in it unless told not to.
    void OpenFile(const std::string& path, bool restorePlace = true);
    // Opens a file from the list of recent files; one that is gone comes off the list, and that is an error.
    void OpenRecent(const std::string& path);
    // Asks about unsaved changes before the window closes; false keeps it open.
    [[nodiscard]] bool QueryClose();
    // What the command line asked for: a file, the palette's address and the length menu's choice.
    void Start(const StartOptions& options);

    // Finding palettes: the tool window, and names for the palettes found, kept beside the file.
    void FindPalettesClick();
    void NamePaletteClick();
    // Shows the palette of length entries at address as typing the address, choosing the length and
    // pressing "Load" would, and scrolls the browser to it when it is out of view.
    void LocatePalette(std::int64_t address, int length);
    [[nodiscard]] const PaletteNames& Names() const { return names_; }

    // View > Tiles: the file drawn as tiles in the palette being edited, in a tool window.
    void TilesClick();
    [[nodiscard]] TilesSession& Tiles() { return tiles_; }

    // Whether path names the file that was loaded.
    [[nodiscard]] bool IsLoadedFile(const std::string& path) const;
    // Whether a save may write to path: at once where no file is, otherwise when the user says so.
    [[nodiscard]] bool MayReplace(const std::string& path);

    // The window's own commands.
    void Quit();
    void ShowKeyboardShortcuts();
    void ShowAbout();

  private:
    // Reads the file at path as the new document.
    void Load(const std::string& path, bool restorePlace = true);
    // Saves to the loaded file, first asking when another program changed it; false when not saved.
    bool SaveChanges();
    // True when nothing unsaved would be lost: there was none, or the user saved or discarded it.
    [[nodiscard]] bool MayDropChanges();
    void ShowModified();
    // The browser's scroll bar for a file just loaded, at its top.
    void SetUpScrollBar();
    // Shows the palette last located in the file just loaded, where one was.
    void RestorePlace();
    // Sets the length menu to entries (an item where one has that length, otherwise "Other"), or to Auto.
    void ChooseLength(int entries);
    // Writes where the palette lies into the address box, in hexadecimal.
    void ShowPaletteAddress();
    // A new document: the tool window's results go, and the names are the new file's.
    void ResetFinds();
    // Reads the names of the file's palettes from its side file, saying which lines could not be read.
    void ReadNames();
    // Asks for the patch's name, whose extension picks the format, and writes the patch from original to
    // the image as it is now.
    void WritePatch(const FileBytes& original);
    // Shows an undone or redone step: the palette where it stood and the changed bytes in the browser.
    void ShowStep(const EditStep& step, const PalettePlace& shownBefore);

    Controls& controls_;
    std::optional<Surface> surface_;
    PaletteNames names_;
    TilesSession tiles_{*this, controls_};
    // The part of a wheel turn too small for a row yet, as touchpads send them.
    int wheelTurn_ = 0;

    friend struct test::StateAccess;
};

}  // namespace tintorb
