#include "app/Generic.h"

namespace tintorb {

void TForm1::areaPalMouseDown(MouseButton, int, int) {}

void TForm1::areaPalMouseUp(MouseButton, int, int) {}

void TForm1::areaRGBMouseDown(MouseButton, int, int) {}

void TForm1::btnColourClick() {}

void TForm1::editBitsMouseDown(MouseButton, int, int) {}

void TForm1::btnASMClick() {}

}  // namespace tintorb
