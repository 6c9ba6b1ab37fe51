#include "app/Generic.h"

namespace tintorb {

void TForm1::WriteListing() {}

}  // namespace tintorb
