// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Text crossing between the core, which holds UTF-8 in standard strings, and Qt.

#include <string_view>

#include <QString>

namespace tintorb {

[[nodiscard]] inline QString ToQString(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace tintorb
