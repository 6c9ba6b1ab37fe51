// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ErrorMessage.h"

namespace tintorb {

std::string ErrorMessageText(std::string_view what) {
    std::string text(what);
    if (text.empty() || static_cast<unsigned char>(text.back()) > '.') {
        text += '.';
    }
    return text;
}

}  // namespace tintorb
