// SPDX-License-Identifier: GPL-3.0-or-later
// The program's start, offscreen, up to its first paint: it builds the window as the program does and
// exits the moment the first paint is done. With --bare it shows a plain QWidget of the same size instead,
// and with --bare-text the same with one line of text, which is what any window with text pays on top for
// the font database. bench/startup.sh times it from outside, process start and library loading included.

#include "app/Layout.h"
#include "platform/MainWindow.h"

#include <cstdlib>
#include <cstring>
#include <memory>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTimer>

namespace {

class ExitAfterFirstPaint : public QObject {
  public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        // One pass paints every widget of the window and then puts the picture on the screen; a zero timer
        // fires only once that pass has returned to the event loop.
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, [] { std::_Exit(0); });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool seen_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    const bool bare = argc > 1 && std::strncmp(argv[1], "--bare", 6) == 0;
    const bool text = argc > 1 && std::strcmp(argv[1], "--bare-text") == 0;
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Tintorb"));
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->resize(tintorb::ClientWidth, tintorb::ClientHeight);
        if (text) {
            new QLabel(QStringLiteral("Load File or ROM"), window.get());
        }
    } else {
        window = std::make_unique<tintorb::MainWindow>();
    }
    // Watched application-wide: a widget wholly covered by opaque children is not painted at all.
    ExitAfterFirstPaint exit;
    QApplication::instance()->installEventFilter(&exit);
    window->show();
    // A window that never paints fails the measurement instead of hanging it.
    QTimer::singleShot(30000, [] { std::_Exit(1); });
    return QApplication::exec();
}
