// SPDX-License-Identifier: GPL-3.0-or-later
// The menu bar, generated from the command table: one action per command, carrying its shortcuts, enabled
// only while the command could do something. Also the recent files (kept in the settings) and the named
// palettes.

#include "app/Dispatcher.h"
#include "app/Generic.h"
#include "app/MenuItems.h"
#include "app/RecentFiles.h"
#include "app/Tips.h"
#include "platform/QtText.h"
#include "platform/WidgetControls.h"
#include "platform/WindowShell.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStringList>

namespace tintorb {

namespace {

const QString RecentFilesKey = QStringLiteral("recentFiles");

[[nodiscard]] std::vector<std::string> StoredRecentFiles() {
    std::vector<std::string> files;
    for (const QString& path : QSettings().value(RecentFilesKey).toStringList()) {
        files.push_back(path.toStdString());
    }
    return files;
}

void StoreRecentFiles(const std::vector<std::string>& files) {
    QStringList paths;
    for (const std::string& path : files) {
        paths.append(QString::fromStdString(path));
    }
    QSettings().setValue(RecentFilesKey, paths);
}

// The list holds absolute paths, so that it means the same whichever folder the program starts in.
[[nodiscard]] std::string AbsolutePath(std::string_view path) {
    return QFileInfo(ToQString(path)).absoluteFilePath().toStdString();
}

// A command's key sequences as Qt reads them.
[[nodiscard]] QList<QKeySequence> KeySequencesOf(const CommandEntry& command) {
    QList<QKeySequence> keys;
    for (const std::string_view text : command.shortcuts) {
        if (!text.empty()) {
            keys.append(QKeySequence(ToQString(text), QKeySequence::PortableText));
        }
    }
    return keys;
}

[[nodiscard]] QString Tr(const char* text) {
    return QCoreApplication::translate("tintorb::MainWindow", text);
}

}  // namespace

void WindowShell::BuildMenus(TForm1& form, Dispatcher& dispatcher, WindowDialogs& dialogs,
                             const WidgetControls& controls) {
    form_ = &form;
    dispatcher_ = &dispatcher;
    dialogs_ = &dialogs;
    std::array<QMenu*, MenuTitles.size()> menus{};
    for (std::size_t m = 1; m < MenuTitles.size(); ++m) {
        menus[m] = window_.menuBar()->addMenu(ToQString(MenuTitles[m]));
        QObject::connect(menus[m], &QMenu::aboutToShow, &window_, [this] { RefreshCommands(); });
    }
    QMenu* fileMenu = menus[static_cast<std::size_t>(Menu::File)];
    for (const CommandEntry& command : CommandTable) {
        const QList<QKeySequence> keys = KeySequencesOf(command);
        if (command.menu == Menu::None && keys.isEmpty()) {
            continue;
        }
        auto* action = new QAction(ToQString(command.text), &window_);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        action->setStatusTip(ToQString(CommandTip(command.id)));
        // Also an action of the window, so that its keys work wherever the platform puts the menu bar.
        window_.addAction(action);
        actions_[static_cast<std::size_t>(command.id)] = action;
        if (command.control && LayoutOf(*command.control).kind == ControlKind::CheckBox) {
            // The item and the box are one setting: either one toggles the box, and the box's click runs it.
            auto* box = qobject_cast<QCheckBox*>(controls.WidgetOf(*command.control));
            action->setCheckable(true);
            action->setChecked(box->isChecked());
            QObject::connect(action, &QAction::triggered, box, [box] { box->click(); });
            QObject::connect(box, &QCheckBox::toggled, action, &QAction::setChecked);
        } else {
            QObject::connect(action, &QAction::triggered, &window_, [this, id = command.id] {
                dispatcher_->Fire([this, id] { RunCommand(*form_, id); });
            });
        }
        if (command.menu == Menu::None) {
            continue;
        }
        QMenu* menu = menus[static_cast<std::size_t>(command.menu)];
        if (command.startsGroup) {
            menu->addSeparator();
        }
        menu->addAction(action);
        if (command.id == Command::Load) {
            recentMenu_ = menu->addMenu(Tr("Open &Recent"));
        } else if (command.id == Command::NamePalette) {
            namedMenu_ = menu->addMenu(Tr("Na&med Palettes"));
        }
    }
    // Another instance of the program may have opened files since; and so the list is read only then, not
    // before the first paint.
    QObject::connect(fileMenu, &QMenu::aboutToShow, &window_, [this] { RebuildRecentMenu(); });
    // Built only when it shows, for the place the user is at then: a shared side file may name many
    // thousands of palettes, far more than a menu can hold.
    QObject::connect(namedMenu_, &QMenu::aboutToShow, &window_, [this] { RebuildNamedMenu(); });
    ShowNames();
    RefreshCommands();
}

void WindowShell::RefreshCommands() {
    for (const CommandEntry& command : CommandTable) {
        if (QAction* action = actions_[static_cast<std::size_t>(command.id)]) {
            action->setEnabled(CommandAvailable(*form_, command.id));
        }
    }
}

void WindowShell::RebuildRecentMenu() {
    recentMenu_->clear();
    const std::vector<std::string> files = StoredRecentFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        QAction* item = recentMenu_->addAction(ToQString(RecentItemText(i, files[i])));
        QObject::connect(item, &QAction::triggered, &window_,
                         [this, path = files[i]] { dispatcher_->Fire([&] { form_->OpenRecent(path); }); });
    }
    recentMenu_->menuAction()->setEnabled(!files.empty());
}

// The names nearest the palette shown, then "All names…" for the rest.
void WindowShell::RebuildNamedMenu() {
    namedMenu_->clear();
    for (const NamedItem& item : NamedMenuItems(*form_)) {
        QObject::connect(namedMenu_->addAction(ToQString(item.text)), &QAction::triggered, &window_,
                         [this, named = item.palette] {
                             dispatcher_->Fire([&] { form_->LocatePalette(named.address, named.length); });
                         });
    }
    namedMenu_->addSeparator();
    QObject::connect(namedMenu_->addAction(Tr("All names…")), &QAction::triggered, &window_,
                     [this] { OpenNames(); });
}

// The menu is rebuilt later, not here: the item that opened the file may be the one that runs this.
void WindowShell::RememberRecentFile(std::string_view path) {
    StoreRecentFiles(WithRecentFile(StoredRecentFiles(), AbsolutePath(path)));
    QMetaObject::invokeMethod(
        &window_, [this] { RebuildRecentMenu(); }, Qt::QueuedConnection);
}

void WindowShell::ForgetRecentFile(std::string_view path) {
    StoreRecentFiles(WithoutRecentFile(StoredRecentFiles(), AbsolutePath(path)));
    QMetaObject::invokeMethod(
        &window_, [this] { RebuildRecentMenu(); }, Qt::QueuedConnection);
}

}  // namespace tintorb
