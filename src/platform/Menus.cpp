// The menu bar, generated from the command table: one action per command, carrying its shortcuts, enabled
// only while the command could do something. Also the recent files (kept in the settings), the named
// palettes, the help dialogs and the tool window that finds palettes.

#include "app/RecentFiles.h"
#include "model/NumberText.h"
#include "platform/FinderWindow.h"
#include "platform/MainWindow.h"
#include "platform/Program.h"
#include "platform/QtText.h"
#include "platform/Shortcuts.h"
#include "platform/ShortcutsDialog.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
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

// "&1 /path" … "1&0 /path": the numbers are the access keys, and an "&" of the path is no access key.
[[nodiscard]] QString RecentItemText(std::size_t index, const std::string& path) {
    QString number = QString::number(index + 1);
    number.insert(number.size() - 1, QLatin1Char('&'));
    return number + QLatin1Char(' ') + QString::fromStdString(path).replace(u'&', QStringLiteral("&&"));
}

}  // namespace

void MainWindow::BuildMenus() {
    std::array<QMenu*, MenuTitles.size()> menus{};
    for (std::size_t m = 1; m < MenuTitles.size(); ++m) {
        menus[m] = menuBar()->addMenu(ToQString(MenuTitles[m]));
        connect(menus[m], &QMenu::aboutToShow, this, &MainWindow::RefreshCommands);
    }
    QMenu* fileMenu = menus[static_cast<std::size_t>(Menu::File)];
    for (const CommandEntry& command : CommandTable) {
        const QList<QKeySequence> keys = KeySequencesOf(command);
        if (command.menu == Menu::None && keys.isEmpty()) {
            continue;
        }
        auto* action = new QAction(ToQString(command.text), this);
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        // Also an action of the window, so that its keys work wherever the platform puts the menu bar.
        addAction(action);
        actions_[static_cast<std::size_t>(command.id)] = action;
        if (command.control && LayoutOf(*command.control).kind == ControlKind::CheckBox) {
            // The item and the box are one setting: either one toggles the box, and the box's click runs it.
            auto* box = qobject_cast<QCheckBox*>(widgets_[static_cast<std::size_t>(*command.control)]);
            action->setCheckable(true);
            action->setChecked(box->isChecked());
            connect(action, &QAction::triggered, box, [box] { box->click(); });
            connect(box, &QCheckBox::toggled, action, &QAction::setChecked);
        } else {
            connect(action, &QAction::triggered, this, [this, id = command.id] { Run(id); });
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
            recentMenu_ = menu->addMenu(tr("Open &Recent"));
        } else if (command.id == Command::NamePalette) {
            namedMenu_ = menu->addMenu(tr("Na&med Palettes"));
        }
    }
    // Another instance of the program may have opened files since.
    connect(fileMenu, &QMenu::aboutToShow, this, &MainWindow::RebuildRecentMenu);
    // Built only when it shows, for the place the user is at then: a shared side file may name many
    // thousands of palettes, far more than a menu can hold.
    connect(namedMenu_, &QMenu::aboutToShow, this, &MainWindow::RebuildNamedMenu);
    RebuildRecentMenu();
    ShowNames();
    RefreshCommands();
}

void MainWindow::RefreshCommands() {
    for (const CommandEntry& command : CommandTable) {
        if (QAction* action = actions_[static_cast<std::size_t>(command.id)]) {
            action->setEnabled(CommandAvailable(form_, command.id));
        }
    }
}

void MainWindow::RebuildRecentMenu() {
    recentMenu_->clear();
    const std::vector<std::string> files = StoredRecentFiles();
    for (std::size_t i = 0; i < files.size(); ++i) {
        QAction* item = recentMenu_->addAction(RecentItemText(i, files[i]));
        connect(item, &QAction::triggered, this,
                [this, path = files[i]] { Dispatch([&] { form_.OpenRecent(path); }); });
    }
    recentMenu_->menuAction()->setEnabled(!files.empty());
}

// "Title screen    $1F40, 16" for the names nearest the palette shown, then "All names…" for the rest.
void MainWindow::RebuildNamedMenu() {
    constexpr std::size_t NamesInMenu = 30;
    namedMenu_->clear();
    const std::optional<std::int64_t> place =
        form_.State.PalLength > 0 ? std::optional<std::int64_t>(form_.State.PalAddress) : std::nullopt;
    for (const NamedPalette& named : NearestNames(form_.Names().Names(), place, NamesInMenu)) {
        // An "&" of the title is no access key.
        const QString text = ToQString(named.title).replace(u'&', QStringLiteral("&&")) + QLatin1Char('\t') +
                             ToQString(AddressText(named.address)) + QStringLiteral(", ") +
                             QString::number(named.length);
        connect(namedMenu_->addAction(text), &QAction::triggered, this,
                [this, named] { Dispatch([&] { form_.LocatePalette(named.address, named.length); }); });
    }
    namedMenu_->addSeparator();
    connect(namedMenu_->addAction(tr("All names…")), &QAction::triggered, this,
            [this] { FinderNearby().OpenNames(); });
}

FinderWindow& MainWindow::FinderNearby() {
    if (finder_ == nullptr) {
        finder_ = new FinderWindow(*this);
        // Beside the window, to its right, where the screen has room; otherwise as near as it fits.
        const QRect frame = frameGeometry();
        const QRect screen = this->screen()->availableGeometry();
        const int right = std::min(frame.right() + 1, screen.right() + 1 - finder_->frameGeometry().width());
        finder_->move(std::max(right, screen.left()), frame.top());
        // Naming the palette just found works from the tool window too.
        finder_->addAction(ActionOf(Command::NamePalette));
    }
    return *finder_;
}

void MainWindow::ShowFinder() {
    FinderNearby().Open();
}

void MainWindow::ClearFinder() {
    if (finder_ != nullptr) {
        finder_->Clear();
    }
}

void MainWindow::ShowNames() {
    namedMenu_->menuAction()->setEnabled(!form_.Names().Names().empty());
    if (finder_ != nullptr) {
        finder_->ShowNames();
    }
}

// The menu is rebuilt later, not here: the item that opened the file may be the one that runs this.
void MainWindow::RememberRecentFile(std::string_view path) {
    StoreRecentFiles(WithRecentFile(StoredRecentFiles(), AbsolutePath(path)));
    QMetaObject::invokeMethod(this, &MainWindow::RebuildRecentMenu, Qt::QueuedConnection);
}

void MainWindow::ForgetRecentFile(std::string_view path) {
    StoreRecentFiles(WithoutRecentFile(StoredRecentFiles(), AbsolutePath(path)));
    QMetaObject::invokeMethod(this, &MainWindow::RebuildRecentMenu, Qt::QueuedConnection);
}

void MainWindow::ShowKeyboardShortcuts() {
    if (shortcutsDialog_ == nullptr) {
        shortcutsDialog_ = new ShortcutsDialog(this);
    }
    shortcutsDialog_->show();
    shortcutsDialog_->raise();
    shortcutsDialog_->activateWindow();
}

void MainWindow::ShowAbout() {
    QMessageBox box(QMessageBox::NoIcon, tr("About Tintorb"), AboutText(), QMessageBox::Ok, this);
    box.setIconPixmap(windowIcon().pixmap(64));
    box.exec();
}

}  // namespace tintorb
