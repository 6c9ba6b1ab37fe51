// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Whether the processor runs AVX2 code. The tile loops that have a vector form choose it as they run, so that
// one build runs on every x86-64 machine.

#if defined(__x86_64__)
namespace tintorb {

[[nodiscard]] inline bool HasAvx2() {
    static const bool has = __builtin_cpu_supports("avx2");
    return has;
}

}  // namespace tintorb
#endif
