#pragma once

// TForm1: the one class of form logic. It owns the editor state and the surface and talks to its window
// only through Controls. Its methods are defined area by area: views/ holds what is drawn or written from
// the state, commands/ the handlers that change it.

#include <cstdint>
#include <optional>

#include "app/Controls.h"
#include "draw/Surface.h"
#include "model/EditorState.h"

namespace tintorb {

class TForm1 {
  public:
    explicit TForm1(Controls& controls) : controls_(controls) {}

    EditorState State;

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

    // File commands.
    void btnLoadClick();
    void btnSaveClick();
    void btnSaveAsClick();

  private:
    Controls& controls_;
    std::optional<Surface> surface_;
};

}  // namespace tintorb
