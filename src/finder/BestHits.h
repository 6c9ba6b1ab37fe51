// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The best hits of a scan or a search, at most MaxHits of them, kept as they are found. Memory stays
// bounded however many a file of one repeated word gives.

#include <algorithm>
#include <cstddef>
#include <vector>

#include "finder/PaletteScan.h"

namespace tintorb {

template <class Hit, class Better>
class BestHits {
  public:
    explicit BestHits(Better better) : better_(better) {}

    void Add(const Hit& hit) {
        hits_.push_back(hit);
        if (hits_.size() >= 2 * MaxHits) {
            Trim();
        }
    }

    // The hits kept, best first; cut tells whether any were dropped.
    [[nodiscard]] std::vector<Hit> Take(bool& cut) {
        Trim();
        std::sort(hits_.begin(), hits_.end(), better_);
        cut = cut_;
        return std::move(hits_);
    }

  private:
    void Trim() {
        if (hits_.size() > MaxHits) {
            std::nth_element(hits_.begin(), hits_.begin() + MaxHits, hits_.end(), better_);
            hits_.resize(MaxHits);
            cut_ = true;
        }
    }

    Better better_;
    std::vector<Hit> hits_;
    bool cut_ = false;
};

// How often the long passes report progress, and may be stopped: every this many bytes.
inline constexpr std::int64_t ProgressStep = std::int64_t{1} << 20;

}  // namespace tintorb
