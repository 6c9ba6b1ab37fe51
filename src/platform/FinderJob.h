// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// One scan or colour search of the file on a thread of its own. It works on a copy of the bytes taken when
// it starts, so the user may go on editing (or load another file) meanwhile; the window polls it and takes
// its result on the window's thread.

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <thread>
#include <vector>

#include "app/FindSession.h"

namespace tintorb {

class FinderJob : public FindJob {
  public:
    FinderJob(std::vector<std::uint8_t> bytes, Work work);
    // Waits for the thread, after asking the work to stop.
    ~FinderJob() override;
    FinderJob(const FinderJob&) = delete;
    FinderJob& operator=(const FinderJob&) = delete;

    void Stop() override { stop_.store(true, std::memory_order_relaxed); }
    [[nodiscard]] bool Finished() const override { return finished_.load(std::memory_order_acquire); }
    [[nodiscard]] double Done() const override;
    [[nodiscard]] FinderResult Take() override;

  private:
    std::vector<std::uint8_t> bytes_;
    FinderResult result_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> finished_{false};
    std::atomic<std::int64_t> done_{0};
    std::atomic<std::int64_t> total_{1};
    // Last, so that it starts after everything it uses exists.
    std::thread thread_;
};

}  // namespace tintorb
