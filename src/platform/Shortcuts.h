// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A command's key sequences as Qt reads them.

#include "app/Commands.h"

#include <QKeySequence>
#include <QList>

namespace tintorb {

[[nodiscard]] QList<QKeySequence> KeySequencesOf(const CommandEntry& command);

}  // namespace tintorb
