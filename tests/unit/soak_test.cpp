// SPDX-License-Identifier: GPL-3.0-or-later
// Random user events through the in-memory controls, with the state and the views checked after every
// one. `make test` runs a short soak; `make soak SOAK_EVENTS=n` runs n events, from seed SOAK_SEED on.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "support/Soak.h"

namespace tintorb::test {
namespace {

// Each seed starts a fresh window; a long soak is many seeds of this many events.
constexpr long long EventsPerSeed = 5000;
constexpr long long ShortSoakEvents = 20000;

[[nodiscard]] long long FromEnvironment(const char* name, long long fallback) {
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0' ? std::stoll(value) : fallback;
}

TEST(Soak, RandomEventsKeepTheStateAndTheViewsSound) {
    const long long events = FromEnvironment("SOAK_EVENTS", ShortSoakEvents);
    const auto firstSeed = static_cast<unsigned>(FromEnvironment("SOAK_SEED", 1));
    long long done = 0;
    unsigned seed = firstSeed;
    for (; done < events; ++seed) {
        Soak soak(seed);
        const long long count = std::min(EventsPerSeed, events - done);
        for (long long n = 0; n < count; ++n) {
            const SoakEvent event = soak.Next();
            if (const std::string problem = soak.Run(event); !problem.empty()) {
                FAIL() << "seed " << seed << ", event " << n << ": " << problem
                       << "\n  event: " << Describe(event) << "\n  replay: make soak SOAK_SEED=" << seed
                       << " SOAK_EVENTS=" << n + 1;
            }
        }
        done += count;
    }
    std::printf("soak: %lld events, seeds %u to %u\n", done, firstSeed, seed - 1);
}

}  // namespace
}  // namespace tintorb::test
