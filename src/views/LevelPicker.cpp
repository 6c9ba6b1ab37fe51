#include "app/Generic.h"

namespace tintorb {

void TForm1::DrawLevelPicker() {}

}  // namespace tintorb
