// SPDX-License-Identifier: GPL-3.0-or-later
#include "model/EditHistory.h"

#include <utility>

namespace tintorb {

void EditHistory::Record(EditStep step) {
    steps_.resize(done_);
    steps_.push_back(std::move(step));
    if (steps_.size() > limit_) {
        steps_.pop_front();
    }
    done_ = steps_.size();
}

const EditStep* EditHistory::Undo() {
    return CanUndo() ? &steps_[--done_] : nullptr;
}

const EditStep* EditHistory::Redo() {
    return CanRedo() ? &steps_[done_++] : nullptr;
}

void EditHistory::Clear() {
    steps_.clear();
    done_ = 0;
}

}  // namespace tintorb
