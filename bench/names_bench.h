// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "goals/Goals.h"

namespace tintorb::test {

// "goal Load-300k-names/(2xload+read-names)": loading beside 300,000 names within twice a load without
// them plus a plain read of their text.
void PrintNamesGoal(const bench::Medians& medians);

}  // namespace tintorb::test
