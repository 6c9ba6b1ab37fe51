// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Dispatcher.h"

namespace tintorb {

void Dispatcher::RethrowPending() {
    if (pending_) {
        const FileError error = *std::exchange(pending_, std::nullopt);
        throw error;
    }
}

void Dispatcher::Settle(std::optional<FileError> error) {
    if (depth_ > 0) {
        // Fired by a setter inside another handler: the error ends that handler too, once the setter returns.
        if (error) {
            pending_ = std::move(error);
        }
        return;
    }
    if (!error) {
        error = std::exchange(pending_, std::nullopt);
    }
    if (error) {
        showError_(*error);
    }
    settled_();
}

}  // namespace tintorb
