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

#include "finder/ColourSearch.h"
#include "finder/PaletteScan.h"

namespace tintorb {

// What a job found: the hits of a scan or of a search, whichever it ran.
struct FinderResult {
    ScanResult scan;
    SearchResult search;
};

class FinderJob {
  public:
    using Work =
        std::function<FinderResult(std::span<const std::uint8_t> bytes, const FindProgress& progress)>;

    FinderJob(std::vector<std::uint8_t> bytes, Work work);
    // Waits for the thread, after asking the work to stop.
    ~FinderJob();
    FinderJob(const FinderJob&) = delete;
    FinderJob& operator=(const FinderJob&) = delete;

    // Asks the work to stop at its next progress report; it may still take a moment to end.
    void Stop() { stop_.store(true, std::memory_order_relaxed); }
    [[nodiscard]] bool Finished() const { return finished_.load(std::memory_order_acquire); }
    // How much is done, from 0 to 1.
    [[nodiscard]] double Done() const;
    // The result, once Finished(); the job keeps none of it after.
    [[nodiscard]] FinderResult Take();

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
