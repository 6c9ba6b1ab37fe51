// Commands of the window itself rather than of the document: quitting and the help dialogs.

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

}  // namespace tintorb
