// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FinderJob.h"

#include <utility>

namespace tintorb {

FinderJob::FinderJob(std::vector<std::uint8_t> bytes, Work work)
    : bytes_(std::move(bytes)), thread_([this, work = std::move(work)] {
          result_ = work(bytes_, [this](std::int64_t done, std::int64_t total) {
              done_.store(done, std::memory_order_relaxed);
              total_.store(total, std::memory_order_relaxed);
              return !stop_.load(std::memory_order_relaxed);
          });
          finished_.store(true, std::memory_order_release);
      }) {}

FinderJob::~FinderJob() {
    Stop();
    thread_.join();
}

double FinderJob::Done() const {
    const std::int64_t total = total_.load(std::memory_order_relaxed);
    return total > 0 ? static_cast<double>(done_.load(std::memory_order_relaxed)) / static_cast<double>(total)
                     : 0;
}

FinderResult FinderJob::Take() {
    return std::move(result_);
}

}  // namespace tintorb
