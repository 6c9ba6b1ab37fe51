#include "app/Generic.h"

namespace tintorb {

void TForm1::btnLoadClick() {}

void TForm1::btnSaveClick() {}

void TForm1::btnSaveAsClick() {}

}  // namespace tintorb
