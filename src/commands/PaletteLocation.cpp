#include "app/Generic.h"

namespace tintorb {

void TForm1::editAddressKeyPress(char32_t&) {}

void TForm1::editLengthKeyPress(char32_t&) {}

void TForm1::editAddressChange() {}

void TForm1::editLengthChange() {}

void TForm1::menuLengthChange() {}

void TForm1::btnReloadClick() {}

void TForm1::areaBrowserMouseDown(MouseButton, int, int) {}

void TForm1::SetupPalette() {}

}  // namespace tintorb
