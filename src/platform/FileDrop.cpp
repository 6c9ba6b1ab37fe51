// SPDX-License-Identifier: GPL-3.0-or-later
// Opening a file by dropping it on the window. Only one local file is taken; a drag of several files, or of
// a link that is no local file, is refused wherever it is dropped, text boxes included.

#include "platform/MainWindow.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace tintorb {

namespace {

[[nodiscard]] std::optional<QString> DroppedFile(const QMimeData& mime) {
    const QList<QUrl> urls = mime.urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) {
        return std::nullopt;
    }
    return urls.front().toLocalFile();
}

}  // namespace

bool MainWindow::TakeFileDrag(QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) {
        return false;
    }
    // Enter and move events are drop events too.
    auto* drag = static_cast<QDropEvent*>(event);
    const QMimeData* mime = drag->mimeData();
    if (mime == nullptr || !mime->hasUrls()) {
        return false;
    }
    const std::optional<QString> file = DroppedFile(*mime);
    if (!file) {
        drag->ignore();
        return true;
    }
    drag->acceptProposedAction();
    if (type == QEvent::Drop) {
        // Opened once the drop is over: the question about unsaved changes must not hold up the program
        // the file was dragged from.
        QMetaObject::invokeMethod(
            this, [this, path = file->toStdString()] { dispatcher_.Fire([&] { form_.OpenFile(path); }); },
            Qt::QueuedConnection);
    }
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    if (!TakeFileDrag(event)) {
        event->ignore();
    }
}

void MainWindow::dragMoveEvent(QDragMoveEvent* event) {
    if (!TakeFileDrag(event)) {
        event->ignore();
    }
}

void MainWindow::dropEvent(QDropEvent* event) {
    if (!TakeFileDrag(event)) {
        event->ignore();
    }
}

}  // namespace tintorb
