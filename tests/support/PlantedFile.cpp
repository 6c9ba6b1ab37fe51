// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/PlantedFile.h"

#include <random>

namespace tintorb::test {

namespace {

constexpr std::size_t Stretch = 4096;

[[nodiscard]] ColourWord RandomColour(std::mt19937& random) {
    return static_cast<ColourWord>(random() & 0x0EEE);
}

}  // namespace

std::vector<std::uint8_t> RomLikeBytes(std::size_t size, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t start = 0; start < size; start += Stretch) {
        const std::size_t end = std::min(size, start + Stretch);
        const unsigned kind = random() % 20;
        for (std::size_t i = start; i < end; ++i) {
            if (kind < 9) {  // code and tables
                bytes[i] = static_cast<std::uint8_t>(random());
            } else if (kind < 14) {  // tiles: pixels of colour 0 half of the time
                const unsigned r = random();
                const unsigned high = (r & 1) != 0 ? (r >> 4) & 0xF : 0;
                const unsigned low = (r & 2) != 0 ? (r >> 8) & 0xF : 0;
                bytes[i] = static_cast<std::uint8_t>(high << 4 | low);
            } else if (kind < 17) {
                bytes[i] = 0;
            } else if (kind < 19) {
                bytes[i] = 0xFF;
            } else if ((i - start) % 32 == 0 && i + 32 <= end) {
                Plant(bytes, i, MadeUpPalette(16, static_cast<std::uint32_t>(random())));
                i += 31;
            }
        }
    }
    return bytes;
}

std::vector<ColourWord> MadeUpPalette(int n, std::uint32_t seed) {
    std::mt19937 random(seed);
    std::vector<ColourWord> words;
    while (static_cast<int>(words.size()) < n) {
        const ColourWord w = RandomColour(random);
        const std::size_t k = words.size();
        const bool repeats = k >= 1 && w == words[k - 1];
        const bool counts = k >= 2 && static_cast<ColourWord>(w - words[k - 1]) ==
                                          static_cast<ColourWord>(words[k - 1] - words[k - 2]);
        if (!repeats && !counts) {
            words.push_back(w);
        }
    }
    return words;
}

void Plant(std::vector<std::uint8_t>& bytes, std::size_t offset, std::span<const ColourWord> words) {
    for (const ColourWord w : words) {
        bytes.at(offset++) = static_cast<std::uint8_t>(w >> 8);
        bytes.at(offset++) = static_cast<std::uint8_t>(w);
    }
}

}  // namespace tintorb::test
