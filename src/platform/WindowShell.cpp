// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's services besides the menus: the caption, closing, the help dialogs, the tool windows, the
// settings, and what the program learns of the machine.

#include "platform/WindowShell.h"

#include <algorithm>

#include "app/Generic.h"
#include "platform/FinderWindow.h"
#include "platform/Program.h"
#include "platform/QtText.h"
#include "platform/ShortcutsDialog.h"
#include "platform/TilesWindow.h"

#include <QAction>
#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMessageBox>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QUrl>

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

// Where the screen has room; otherwise as near as it fits. A window not shown yet has neither its frame nor
// the width its controls need, so it is sized to its layout first and given the main window's frame.
void WindowShell::PlaceBeside(QWidget& tool) const {
    tool.resize(tool.size().expandedTo(tool.minimumSizeHint()));
    const QRect frame = window_.frameGeometry();
    const QRect screen = window_.screen()->availableGeometry();
    const int width = tool.width() + frame.width() - window_.width();
    const int left = std::min(frame.right() + 1, screen.right() + 1 - width);
    tool.move(std::max(left, screen.left()), frame.top());
}

FinderWindow& WindowShell::FinderNearby() {
    if (finder_ == nullptr) {
        finder_ = new FinderWindow(window_, *form_, *dispatcher_, *dialogs_);
        PlaceBeside(*finder_);
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

void WindowShell::FinderFileChanged() {
    if (finder_ != nullptr) {
        finder_->FileChanged();
    }
}

void WindowShell::ShowTiles() {
    if (tiles_ == nullptr) {
        tiles_ = new TilesWindow(window_, form_->Tiles(), *dispatcher_);
        PlaceBeside(*tiles_);
    }
    tiles_->show();
    tiles_->raise();
    tiles_->activateWindow();
}

void WindowShell::PresentTiles() {
    if (tiles_ != nullptr) {
        tiles_->Present();
    }
}

// Each setting under a key of its own, whatever its characters: a file's path has slashes, which would
// otherwise make groups.
std::string WindowShell::Setting(std::string_view key) const {
    const QString name = QString::fromLatin1(QUrl::toPercentEncoding(ToQString(key)));
    return QSettings().value(QStringLiteral("settings/") + name).toString().toStdString();
}

void WindowShell::SetSetting(std::string_view key, std::string_view value) {
    const QString name = QString::fromLatin1(QUrl::toPercentEncoding(ToQString(key)));
    QSettings().setValue(QStringLiteral("settings/") + name, ToQString(value));
}

void WindowShell::DeleteToolWindows() {
    delete finder_;
    finder_ = nullptr;
    delete tiles_;
    tiles_ = nullptr;
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

void WindowShell::BuildStatusBar() {
    QStatusBar* bar = window_.statusBar();
    // The window's size is fixed: nothing to drag.
    bar->setSizeGripEnabled(false);
    // A widget of the bar rather than its message, so that a menu item's status tip, shown while the
    // pointer is on the item, leaves the command's line in place for after.
    status_ = new QLabel(bar);
    status_->setObjectName(QStringLiteral("statusLine"));
    bar->addWidget(status_, 1);
}

void WindowShell::ShowStatus(std::string_view text) {
    status_->setText(ToQString(text));
}

void WindowShell::SetClipboardText(std::string_view text) {
    QGuiApplication::clipboard()->setText(ToQString(text));
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
