#include "app/Generic.h"

namespace tintorb {

void TForm1::DrawPaletteCells() {}

void TForm1::DrawPalette() {}

void TForm1::RefreshAfterEdit() {}

}  // namespace tintorb
