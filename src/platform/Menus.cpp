// The menu bar, generated from the command table: one action per command, carrying its shortcuts, enabled
// only while the command could do something. Also the recent files (kept in the settings) and the named
// palettes.

#include "app/Generic.h"
#include "app/RecentFiles.h"
#include "model/NumberText.h"
#include "platform/Dispatcher.h"
#include "platform/FinderWindow.h"
#include "platform/QtText.h"
#include "platform/Shortcuts.h"
#include "platform/WidgetControls.h"
#include "platform/WindowShell.h"

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
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

// "&1 /path" … "1&0 /path": the numbers are the access keys, and an "&" of the path is no access key.
[[nodiscard]] QString RecentItemText(std::size_t index, const std::string& path) {
    QString number = QString::number(index + 1);
    number.insert(number.size() - 1, QLatin1Char('&'));
    return number + QLatin1Char(' ') + QString::fromStdString(path).replace(u'&', QStringLiteral("&&"));
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
        QAction* item = recentMenu_->addAction(RecentItemText(i, files[i]));
        QObject::connect(item, &QAction::triggered, &window_,
                         [this, path = files[i]] { dispatcher_->Fire([&] { form_->OpenRecent(path); }); });
    }
    recentMenu_->menuAction()->setEnabled(!files.empty());
}

// "Title screen    $1F40, 16" for the names nearest the palette shown, then "All names…" for the rest.
void WindowShell::RebuildNamedMenu() {
    constexpr std::size_t NamesInMenu = 30;
    namedMenu_->clear();
    const std::optional<std::int64_t> place =
        form_->State.PalLength > 0 ? std::optional<std::int64_t>(form_->State.PalAddress) : std::nullopt;
    for (const NamedPalette& named : NearestNames(form_->Names().Names(), place, NamesInMenu)) {
        // An "&" of the title is no access key.
        const QString text = ToQString(named.title).replace(u'&', QStringLiteral("&&")) + QLatin1Char('\t') +
                             ToQString(AddressText(named.address)) + QStringLiteral(", ") +
                             QString::number(named.length);
        QObject::connect(namedMenu_->addAction(text), &QAction::triggered, &window_, [this, named] {
            dispatcher_->Fire([&] { form_->LocatePalette(named.address, named.length); });
        });
    }
    namedMenu_->addSeparator();
    QObject::connect(namedMenu_->addAction(Tr("All names…")), &QAction::triggered, &window_,
                     [this] { FinderNearby().OpenNames(); });
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
