#include "app/Generic.h"

namespace tintorb {

void TForm1::ShowBits(ColourWord) {}

}  // namespace tintorb
