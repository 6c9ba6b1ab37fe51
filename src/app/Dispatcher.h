// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one way a widget event, menu item, shortcut or tool window reaches the form: Fire runs the handler,
// and a file error ends it and is shown. Handlers fired from inside another one (a setter the outer handler
// called fires the control's change) pass their error on to it, so that it ends the outer handler too.

#include <functional>
#include <optional>
#include <utility>

#include "model/FileImage.h"

namespace tintorb {

class Dispatcher {
  public:
    // showError shows a file error that ended a handler; settled runs after every outermost handler, so
    // that what shows whether a command could run follows what the handler changed.
    Dispatcher(std::function<void(const FileError&)> showError, std::function<void()> settled)
        : showError_(std::move(showError)), settled_(std::move(settled)) {}

    template <class Handler>
    void Fire(Handler&& handler);
    // Called by each setter that may fire a handler: the error that ended the handler fired inside it ends
    // the caller too.
    void RethrowPending();

  private:
    void Settle(std::optional<FileError> error);

    std::function<void(const FileError&)> showError_;
    std::function<void()> settled_;
    int depth_ = 0;
    std::optional<FileError> pending_;
};

template <class Handler>
void Dispatcher::Fire(Handler&& handler) {
    std::optional<FileError> error;
    ++depth_;
    try {
        handler();
    } catch (const FileError& e) {
        error = e;
    }
    --depth_;
    Settle(std::move(error));
}

}  // namespace tintorb
