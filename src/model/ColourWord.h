// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A palette entry is a 16-bit word laid out 0000 BBB0 GGG0 RRR0. Everything here is plain arithmetic on
// 16 bits, so that what the editor shows and writes matches the hardware bit for bit.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace tintorb {

using ColourWord = std::uint16_t;

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend constexpr bool operator==(Rgb, Rgb) = default;
};

inline constexpr Rgb BackgroundColour{240, 240, 240};

// Bits that a valid colour word leaves clear; every channel edit carries them over unchanged.
inline constexpr ColourWord InvalidMask = 0xF111;

// Intensity of a whole channel nibble. The hardware's ramp is not linear, and an odd nibble (only an
// invalid word has one) shows like the even nibble below it.
inline constexpr std::array<std::uint8_t, 16> LevelTable{0,   0,   52,  52,  87,  87,  116, 116,
                                                         144, 144, 172, 172, 206, 206, 255, 255};

enum class Channel { Red, Green, Blue };

struct Levels {
    int red = 0;
    int green = 0;
    int blue = 0;
    friend constexpr bool operator==(Levels, Levels) = default;
};

// The word stored at p, high byte first, as every image and raw palette file holds it.
[[nodiscard]] constexpr ColourWord WordAt(const std::uint8_t* p) {
    return static_cast<ColourWord>(p[0] << 8 | p[1]);
}

// The big-endian words from address, as many as lie wholly inside bytes, at most length.
[[nodiscard]] inline std::vector<ColourWord> WordsAt(std::span<const std::uint8_t> bytes,
                                                     std::int64_t address, std::int32_t length) {
    std::vector<ColourWord> words;
    const auto size = static_cast<std::int64_t>(bytes.size());
    for (std::int64_t i = 0; i < length && address >= 0 && address + 2 * i + 1 < size; ++i) {
        words.push_back(WordAt(bytes.data() + address + 2 * i));
    }
    return words;
}

[[nodiscard]] constexpr bool IsValidColour(ColourWord w) {
    return (w & InvalidMask) == 0;
}

[[nodiscard]] constexpr Rgb DisplayColour(ColourWord w) {
    return {LevelTable[w & 0xF], LevelTable[(w >> 4) & 0xF], LevelTable[(w >> 8) & 0xF]};
}

// Intensity of level k (0-7) as the level picker shows it.
[[nodiscard]] constexpr std::uint8_t LevelIntensity(int k) {
    return LevelTable[(2 * static_cast<unsigned>(k)) & 0xF];
}

// The three 3-bit levels; the InvalidMask bits play no part.
[[nodiscard]] constexpr Levels LevelsOf(ColourWord w) {
    return {(w & 0xE) >> 1, (w >> 5) & 7, (w >> 9) & 7};
}

// The channel fields taken as 2 × level, as the gradient steps them.
[[nodiscard]] constexpr Levels LevelFieldsOf(ColourWord w) {
    return {w & 0xE, (w >> 4) & 0xE, (w >> 8) & 0xE};
}

// The three levels as one number from 0 to 511, red lowest: which of the 512 colours w shows.
[[nodiscard]] constexpr unsigned ColourIndex(ColourWord w) {
    const Levels levels = LevelsOf(w);
    return static_cast<unsigned>(levels.red | levels.green << 3 | levels.blue << 6);
}

// The word with these channel fields (each 2 × level, as LevelFieldsOf gives them; only the field's bits
// count) and the InvalidMask bits of kept.
[[nodiscard]] constexpr ColourWord FromLevelFields(Levels fields, ColourWord kept) {
    constexpr unsigned Field = 0xE;
    return static_cast<ColourWord>((kept & InvalidMask) | (static_cast<unsigned>(fields.red) & Field) |
                                   (static_cast<unsigned>(fields.green) & Field) << 4 |
                                   (static_cast<unsigned>(fields.blue) & Field) << 8);
}

// Replaces one channel's level with k, keeping the other two channels and the InvalidMask bits.
[[nodiscard]] constexpr ColourWord WithLevel(ColourWord w, Channel channel, int k) {
    const unsigned kept = w & InvalidMask;
    const auto level = static_cast<unsigned>(k);
    switch (channel) {
        case Channel::Red:
            return static_cast<ColourWord>(kept + (w & 0x0EE0u) + 2 * level);
        case Channel::Green:
            return static_cast<ColourWord>(kept + (w & 0x0E0Eu) + 32 * level);
        case Channel::Blue:
            return static_cast<ColourWord>(kept + ((w & 0x00EEu) | (level << 9)));
    }
    return w;
}

// Converts a 24-bit colour into w by truncation: each channel's top three bits become its level.
[[nodiscard]] constexpr ColourWord FromRgb(ColourWord w, Rgb c) {
    return static_cast<ColourWord>((w & InvalidMask) | (((c.r >> 5) & 7) << 1) | (c.g & 0xE0) |
                                   (((c.b >> 5) & 7) << 9));
}

// The level whose intensity lies nearest to v; of two equally near, the darker.
[[nodiscard]] constexpr int NearestLevel(std::uint8_t v) {
    const auto distance = [v](int k) {
        const int d = v - LevelIntensity(k);
        return d < 0 ? -d : d;
    };
    int best = 0;
    for (int k = 1; k < 8; ++k) {
        if (distance(k) < distance(best)) {
            best = k;
        }
    }
    return best;
}

// Converts a 24-bit colour into w by nearest level, so that a colour the hardware shows converts back to
// exactly its own levels; the InvalidMask bits of w are kept.
[[nodiscard]] constexpr ColourWord NearestColour(ColourWord w, Rgb c) {
    return static_cast<ColourWord>((w & InvalidMask) | (NearestLevel(c.r) << 1) | (NearestLevel(c.g) << 5) |
                                   (NearestLevel(c.b) << 9));
}

}  // namespace tintorb
