// SPDX-License-Identifier: GPL-3.0-or-later
// Commands of the window itself rather than of the document: quitting, the help dialogs and the Tiles
// tool window.

#include "app/Generic.h"

namespace tintorb {

void TForm1::Quit() {
    controls_.CloseWindow();
}

void TForm1::ShowKeyboardShortcuts() {
    controls_.ShowKeyboardShortcuts();
}

void TForm1::ShowAbout() {
    controls_.ShowAbout();
}

void TForm1::TilesClick() {
    tiles_.Open();
}

}  // namespace tintorb
