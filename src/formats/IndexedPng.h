// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An indexed PNG image written row by row, so that an image of any height takes one row of memory.

#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "model/ColourWord.h"

struct spng_ctx;

namespace tintorb {

class IndexedPngWriter {
  public:
    // colours is the colour table, at most 256 entries.
    IndexedPngWriter(std::uint32_t width, std::uint32_t height, std::span<const Rgb> colours);
    ~IndexedPngWriter();
    IndexedPngWriter(const IndexedPngWriter&) = delete;
    IndexedPngWriter& operator=(const IndexedPngWriter&) = delete;

    // The next row's width indices into the colour table.
    void WriteRow(std::span<const std::uint8_t> indices);
    // The image, once every row is written.
    [[nodiscard]] std::vector<std::uint8_t> Finish();

  private:
    struct ContextDeleter {
        void operator()(spng_ctx* ctx) const;
    };
    std::unique_ptr<spng_ctx, ContextDeleter> ctx_;
};

}  // namespace tintorb
