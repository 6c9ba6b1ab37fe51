// SPDX-License-Identifier: GPL-3.0-or-later
#include "patches/Crc32.h"

#include <array>
#include <cstddef>

#if defined(__x86_64__)
#include <immintrin.h>
#endif

namespace tintorb {

namespace {

constexpr std::uint32_t ReflectedPolynomial = 0xEDB88320;

// Tables[k][n]: the register after byte n and then k zero bytes, so that eight bytes take one step.
using Tables = std::array<std::array<std::uint32_t, 256>, 8>;

constexpr Tables MakeTables() {
    Tables t{};
    for (std::uint32_t n = 0; n < 256; ++n) {
        std::uint32_t c = n;
        for (int bit = 0; bit < 8; ++bit) {
            c = (c & 1) != 0 ? (c >> 1) ^ ReflectedPolynomial : c >> 1;
        }
        t[0][n] = c;
    }
    for (std::size_t k = 1; k < t.size(); ++k) {
        for (std::size_t n = 0; n < 256; ++n) {
            t[k][n] = (t[k - 1][n] >> 8) ^ t[0][t[k - 1][n] & 0xFF];
        }
    }
    return t;
}

constexpr Tables Table = MakeTables();

[[nodiscard]] std::uint32_t Little32(const std::uint8_t* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

// The register (not inverted) after the bytes.
[[nodiscard]] std::uint32_t Sliced(const std::uint8_t* p, std::size_t n, std::uint32_t state) {
    for (; n >= 8; p += 8, n -= 8) {
        const std::uint32_t lo = state ^ Little32(p);
        const std::uint32_t hi = Little32(p + 4);
        state = Table[7][lo & 0xFF] ^ Table[6][lo >> 8 & 0xFF] ^ Table[5][lo >> 16 & 0xFF] ^
                Table[4][lo >> 24] ^ Table[3][hi & 0xFF] ^ Table[2][hi >> 8 & 0xFF] ^
                Table[1][hi >> 16 & 0xFF] ^ Table[0][hi >> 24];
    }
    for (; n > 0; ++p, --n) {
        state = (state >> 8) ^ Table[0][(state ^ *p) & 0xFF];
    }
    return state;
}

#if defined(__x86_64__)

// x^n mod P, laid out for a carry-less product with one 64-bit half of a 128-bit state: the state's bits
// run from the highest power down, so the coefficient of x^d goes to bit 63 - d.
constexpr std::uint64_t FoldConstant(unsigned n) {
    std::uint64_t r = 1;
    for (unsigned i = 0; i < n; ++i) {
        r <<= 1;
        if ((r & (std::uint64_t{1} << 32)) != 0) {
            r ^= 0x104C11DB7;
        }
    }
    std::uint64_t out = 0;
    for (unsigned d = 0; d < 32; ++d) {
        out |= (r >> d & 1) << (63 - d);
    }
    return out;
}

// The pair that moves a 128-bit state forward by bits: its low half is worth x^(bits + 64), its high half
// x^bits, and the product of two reflected halves comes out one power short.
struct Fold {
    std::uint64_t low;
    std::uint64_t high;
};

constexpr Fold FoldBy(unsigned bits) {
    return {FoldConstant(bits + 63), FoldConstant(bits - 1)};
}

constexpr Fold By128 = FoldBy(128);
constexpr Fold By256 = FoldBy(256);
constexpr Fold By384 = FoldBy(384);
constexpr Fold By512 = FoldBy(512);

__attribute__((target("pclmul"))) inline __m128i Forward(__m128i x, Fold fold) {
    const __m128i k = _mm_set_epi64x(static_cast<long long>(fold.high), static_cast<long long>(fold.low));
    return _mm_xor_si128(_mm_clmulepi64_si128(x, k, 0x00), _mm_clmulepi64_si128(x, k, 0x11));
}

__attribute__((target("pclmul"))) inline __m128i Load(const std::uint8_t* p) {
    return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
}

// Folds the 16-byte blocks left into x, then lets the tables finish x's sixteen bytes, which leave the same
// remainder as everything folded into it, and the bytes after them.
__attribute__((target("pclmul"))) std::uint32_t Finish(__m128i x, const std::uint8_t* p, std::size_t n) {
    for (; n >= 16; p += 16, n -= 16) {
        x = _mm_xor_si128(Forward(x, By128), Load(p));
    }
    alignas(16) std::array<std::uint8_t, 16> rest{};
    _mm_store_si128(reinterpret_cast<__m128i*>(rest.data()), x);
    return Sliced(p, n, Sliced(rest.data(), rest.size(), 0));
}

// At least 64 bytes: four blocks at a time, each folded 512 bits forward.
__attribute__((target("pclmul"))) std::uint32_t Folded(const std::uint8_t* p, std::size_t n,
                                                       std::uint32_t state) {
    __m128i x0 = _mm_xor_si128(Load(p), _mm_cvtsi32_si128(static_cast<int>(state)));
    __m128i x1 = Load(p + 16);
    __m128i x2 = Load(p + 32);
    __m128i x3 = Load(p + 48);
    p += 64;
    n -= 64;
    for (; n >= 64; p += 64, n -= 64) {
        x0 = _mm_xor_si128(Forward(x0, By512), Load(p));
        x1 = _mm_xor_si128(Forward(x1, By512), Load(p + 16));
        x2 = _mm_xor_si128(Forward(x2, By512), Load(p + 32));
        x3 = _mm_xor_si128(Forward(x3, By512), Load(p + 48));
    }
    const __m128i x = _mm_xor_si128(_mm_xor_si128(Forward(x0, By384), Forward(x1, By256)),
                                    _mm_xor_si128(Forward(x2, By128), x3));
    return Finish(x, p, n);
}

constexpr Fold By2048 = FoldBy(2048);

// At least 256 bytes: sixteen blocks at a time in four 512-bit registers, each block folded 2048 bits
// forward, where the processor multiplies four pairs in one instruction.
__attribute__((target("avx512f,vpclmulqdq,pclmul"))) std::uint32_t FoldedWide(const std::uint8_t* p,
                                                                              std::size_t n,
                                                                              std::uint32_t state) {
    const auto low = static_cast<long long>(By2048.low);
    const auto high = static_cast<long long>(By2048.high);
    const __m512i k = _mm512_set_epi64(high, low, high, low, high, low, high, low);
    constexpr std::size_t Registers = 4;
    __m512i x[Registers];
    for (std::size_t j = 0; j < Registers; ++j) {
        x[j] = _mm512_loadu_si512(p + 64 * j);
    }
    x[0] = _mm512_xor_si512(x[0], _mm512_zextsi128_si512(_mm_cvtsi32_si128(static_cast<int>(state))));
    for (p += 256, n -= 256; n >= 256; p += 256, n -= 256) {
        for (std::size_t j = 0; j < Registers; ++j) {
            const __m512i folded = _mm512_xor_si512(_mm512_clmulepi64_epi128(x[j], k, 0x00),
                                                    _mm512_clmulepi64_epi128(x[j], k, 0x11));
            x[j] = _mm512_xor_si512(folded, _mm512_loadu_si512(p + 64 * j));
        }
    }
    // The sixteen blocks in order, one after another.
    alignas(64) std::array<std::uint8_t, 256> blocks{};
    for (std::size_t j = 0; j < Registers; ++j) {
        _mm512_store_si512(blocks.data() + 64 * j, x[j]);
    }
    __m128i folded = Load(blocks.data());
    for (std::size_t b = 16; b < blocks.size(); b += 16) {
        folded = _mm_xor_si128(Forward(folded, By128), Load(blocks.data() + b));
    }
    return Finish(folded, p, n);
}

[[nodiscard]] bool HasWideCarrylessMultiply() {
    static const bool has = __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("vpclmulqdq");
    return has;
}

[[nodiscard]] bool HasCarrylessMultiply() {
    static const bool has = __builtin_cpu_supports("pclmul");
    return has;
}

#endif

}  // namespace

std::uint32_t Crc32(std::span<const std::uint8_t> bytes, std::uint32_t crc) {
    const std::uint32_t state = ~crc;
#if defined(__x86_64__)
    if (bytes.size() >= 256 && HasWideCarrylessMultiply()) {
        return ~FoldedWide(bytes.data(), bytes.size(), state);
    }
    if (bytes.size() >= 64 && HasCarrylessMultiply()) {
        return ~Folded(bytes.data(), bytes.size(), state);
    }
#endif
    return ~Sliced(bytes.data(), bytes.size(), state);
}

}  // namespace tintorb
