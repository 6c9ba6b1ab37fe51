// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>

namespace tintorb::test {

// Peak resident memory while a 64 MiB image is loaded over another, less what was resident before either,
// over the two images' size; the median of nine. Nothing where the system does not report peaks.
[[nodiscard]] std::optional<double> SecondLoadPeakOverImages();

}  // namespace tintorb::test
