// The shell's services besides the menus: the caption, closing, the help dialogs, the tool window, and what
// the program learns of the machine.

#include "platform/WindowShell.h"

#include <algorithm>

#include "app/Generic.h"
#include "platform/FinderWindow.h"
#include "platform/Program.h"
#include "platform/QtText.h"
#include "platform/ShortcutsDialog.h"

#include <QAction>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>

namespace tintorb {

void WindowShell::SetCaption(std::string_view caption) {
    window_.setWindowTitle(ToQString(caption));
}

void WindowShell::SetModified(bool modified) {
    window_.setWindowModified(modified);
}

void WindowShell::CloseWindow() {
    window_.close();
}

FinderWindow& WindowShell::FinderNearby() {
    if (finder_ == nullptr) {
        finder_ = new FinderWindow(window_, *form_, *dispatcher_, *dialogs_);
        // Beside the window, to its right, where the screen has room; otherwise as near as it fits.
        const QRect frame = window_.frameGeometry();
        const QRect screen = window_.screen()->availableGeometry();
        const int right = std::min(frame.right() + 1, screen.right() + 1 - finder_->frameGeometry().width());
        finder_->move(std::max(right, screen.left()), frame.top());
        // Naming the palette just found works from the tool window too.
        finder_->addAction(ActionOf(Command::NamePalette));
    }
    return *finder_;
}

void WindowShell::ShowFinder() {
    FinderNearby().Open();
}

void WindowShell::ClearFinder() {
    if (finder_ != nullptr) {
        finder_->Clear();
    }
}

void WindowShell::ShowNames() {
    namedMenu_->menuAction()->setEnabled(!form_->Names().Names().empty());
    if (finder_ != nullptr) {
        finder_->ShowNames();
    }
}

void WindowShell::DeleteFinder() {
    delete finder_;
    finder_ = nullptr;
}

void WindowShell::ShowKeyboardShortcuts() {
    if (shortcutsDialog_ == nullptr) {
        shortcutsDialog_ = new ShortcutsDialog(&window_);
    }
    shortcutsDialog_->show();
    shortcutsDialog_->raise();
    shortcutsDialog_->activateWindow();
}

void WindowShell::ShowAbout() {
    QMessageBox box(QMessageBox::NoIcon, QCoreApplication::translate("tintorb::MainWindow", "About Tintorb"),
                    AboutText(), QMessageBox::Ok, &window_);
    box.setIconPixmap(window_.windowIcon().pixmap(64));
    box.exec();
}

ScreenSize WindowShell::Screen() const {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        return {};
    }
    const QSize size = screen->size();
    return {size.width(), size.height()};
}

std::string WindowShell::ExecutableDir() const {
    return (QCoreApplication::applicationDirPath() + QLatin1Char('/')).toStdString();
}

}  // namespace tintorb
