// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A colour crossing from Qt into the core, which keeps eight bits a channel.

#include "model/ColourWord.h"

#include <cstdint>

#include <QColor>

namespace tintorb {

[[nodiscard]] inline Rgb RgbOf(const QColor& colour) {
    return {static_cast<std::uint8_t>(colour.red()), static_cast<std::uint8_t>(colour.green()),
            static_cast<std::uint8_t>(colour.blue())};
}

}  // namespace tintorb
