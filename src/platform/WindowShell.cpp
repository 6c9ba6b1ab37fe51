// SPDX-License-Identifier: GPL-3.0-or-later
// The shell's services besides the menus: the caption, closing, the help dialogs, the tool windows, the
// settings, and what the program learns of the machine.

#include "platform/WindowShell.h"

#include <algorithm>

#include "app/FinderPanel.h"
#include "app/Generic.h"
#include "app/TilesPanel.h"
#include "platform/FinderJob.h"
#include "platform/Program.h"
#include "platform/QtText.h"
#include "platform/ShortcutsDialog.h"
#include "platform/ToolWindow.h"
#include "platform/WindowDialogs.h"

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

WindowShell::WindowShell(QMainWindow& window) : window_(window) {}

WindowShell::~WindowShell() = default;

void WindowShell::SetCaption(std::string_view caption) {
    window_.setWindowTitle(ToQString(caption));
}

void WindowShell::SetModified(bool modified) {
    // Every edit says so; the toolkit would rebuild the title each time even when the mark stays.
    if (window_.isWindowModified() != modified) {
        window_.setWindowModified(modified);
    }
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

ToolWindow& WindowShell::FinderNearby() {
    if (finder_ == nullptr) {
        finderPanel_ = std::make_unique<FinderPanel>(
            *form_, *dialogs_, *this, [](std::vector<std::uint8_t> bytes, FindJob::Work work) {
                return std::make_unique<FinderJob>(std::move(bytes), std::move(work));
            });
        finder_ = new ToolWindow(window_, *finderPanel_, *dispatcher_);
        PlaceBeside(*finder_);
        // Naming the palette just found works from the tool window too.
        finder_->addAction(ActionOf(Command::NamePalette));
    }
    return *finder_;
}

FindSession* WindowShell::FinderSession() const {
    return finderPanel_ ? &finderPanel_->Session() : nullptr;
}

void WindowShell::ShowFinder() {
    FinderNearby().Open();
}

void WindowShell::OpenNames() {
    FinderNearby().Raise();
    finderPanel_->ListNames(*finder_);
}

void WindowShell::ClearFinder() {
    if (finder_ != nullptr) {
        finderPanel_->Clear(*finder_, finder_->isVisible());
        finder_->Present();
    }
}

void WindowShell::ShowNames() {
    namedMenu_->menuAction()->setEnabled(!form_->Names().Names().empty());
    if (finder_ != nullptr) {
        finderPanel_->ShowNames(*finder_);
    }
}

void WindowShell::FinderFileChanged(std::int64_t offset, std::size_t length) {
    if (finder_ != nullptr) {
        finderPanel_->FileChanged(*finder_, offset, length);
    }
}

void WindowShell::ShowTiles() {
    if (tiles_ == nullptr) {
        tilesPanel_ = std::make_unique<TilesPanel>(form_->Tiles());
        tiles_ = new ToolWindow(window_, *tilesPanel_, *dispatcher_);
        PlaceBeside(*tiles_);
    }
    tiles_->Raise();
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

// The windows go before the sessions they show; the finder's work ends with its session.
void WindowShell::DeleteToolWindows() {
    delete finder_;
    finder_ = nullptr;
    finderPanel_.reset();
    delete tiles_;
    tiles_ = nullptr;
    tilesPanel_.reset();
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

std::string WindowShell::ClipboardText() const {
    return QGuiApplication::clipboard()->text().toStdString();
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
