#include "app/Generic.h"

namespace tintorb {

void TForm1::btnCopyClick() {}

void TForm1::btnPasteClick() {}

void TForm1::btnGradientClick() {}

void TForm1::btnSwapClick() {}

void TForm1::btnReverseClick() {}

}  // namespace tintorb
