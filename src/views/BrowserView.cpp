#include "app/Generic.h"

namespace tintorb {

void TForm1::DrawColourCell(ColourWord, int, int, int, int) {}

void TForm1::DrawInvalidCell(int, int, int, int) {}

void TForm1::DrawBrowser() {}

void TForm1::barBrowserChange() {}

void TForm1::chkInvalidClick() {}

void TForm1::areaBrowserMouseMove(int, int) {}

void TForm1::areaBrowserOutMouseMove(int, int) {}

}  // namespace tintorb
