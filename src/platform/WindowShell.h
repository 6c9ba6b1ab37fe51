// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The window around the form's controls: its caption, the menu bar built from the command table, the
// recent files kept in the settings, the named palettes, the help dialogs, the Find Palettes and Tiles tool
// windows, and the settings kept between runs.

#include <array>
#include <memory>
#include <string>

#include "app/Commands.h"
#include "app/Controls.h"

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QWidget;

namespace tintorb {

class Dispatcher;
class FinderPanel;
class FindSession;
class ShortcutsDialog;
class TForm1;
class TilesPanel;
class ToolWindow;
class WidgetControls;
class WindowDialogs;

class WindowShell : public virtual Shell {
  public:
    explicit WindowShell(QMainWindow& window);
    ~WindowShell() override;

    void SetCaption(std::string_view caption) override;
    void SetModified(bool modified) override;
    void CloseWindow() override;
    void ShowKeyboardShortcuts() override;
    void ShowAbout() override;
    void RememberRecentFile(std::string_view path) override;
    void ForgetRecentFile(std::string_view path) override;
    void ShowFinder() override;
    void ClearFinder() override;
    void ShowNames() override;
    void FinderFileChanged(std::int64_t offset, std::size_t length) override;
    void ShowTiles() override;
    void PresentTiles() override;
    [[nodiscard]] std::string Setting(std::string_view key) const override;
    void SetSetting(std::string_view key, std::string_view value) override;
    void ShowStatus(std::string_view text) override;
    void SetClipboardText(std::string_view text) override;
    [[nodiscard]] std::string ClipboardText() const override;
    [[nodiscard]] ScreenSize Screen() const override;
    [[nodiscard]] std::string ExecutableDir() const override;

    // The status bar's line.
    [[nodiscard]] QLabel* StatusLine() const { return status_; }
    // The menu item (and shortcut) of a command; null for a command that has neither.
    [[nodiscard]] QAction* ActionOf(Command id) const { return actions_[static_cast<std::size_t>(id)]; }
    [[nodiscard]] QMenu* RecentMenu() const { return recentMenu_; }
    [[nodiscard]] QMenu* NamedMenu() const { return namedMenu_; }
    // The Find Palettes tool window and its session; null until first opened.
    [[nodiscard]] ToolWindow* Finder() const { return finder_; }
    [[nodiscard]] FindSession* FinderSession() const;
    // The Tiles tool window; null until first opened.
    [[nodiscard]] ToolWindow* Tiles() const { return tiles_; }

  protected:
    // One action for every command with a menu item or a shortcut, placed in the menus; they run the
    // form's commands through dispatcher. A check box's command and the box among controls are one setting.
    // The tool window asks its questions in dialogs.
    void BuildMenus(TForm1& form, Dispatcher& dispatcher, WindowDialogs& dialogs,
                    const WidgetControls& controls);
    // The status bar below the client area, with the line the form writes.
    void BuildStatusBar();
    // Enables each command's action when running it could do something.
    void RefreshCommands();
    // The tool windows go, and their work stops, while the form they read is still there.
    void DeleteToolWindows();

  private:
    void RebuildRecentMenu();
    void RebuildNamedMenu();
    // The Find Palettes tool window, made beside the window the first time it is asked for.
    ToolWindow& FinderNearby();
    // Shows the Find Palettes window in front, listing every named palette.
    void OpenNames();
    // Moves a tool window beside the window, to its right where the screen has room.
    void PlaceBeside(QWidget& tool) const;

    QMainWindow& window_;
    TForm1* form_ = nullptr;
    Dispatcher* dispatcher_ = nullptr;
    WindowDialogs* dialogs_ = nullptr;
    std::array<QAction*, CommandTable.size()> actions_{};
    QMenu* recentMenu_ = nullptr;
    QMenu* namedMenu_ = nullptr;
    std::unique_ptr<FinderPanel> finderPanel_;
    ToolWindow* finder_ = nullptr;
    std::unique_ptr<TilesPanel> tilesPanel_;
    ToolWindow* tiles_ = nullptr;
    ShortcutsDialog* shortcutsDialog_ = nullptr;
    QLabel* status_ = nullptr;
};

}  // namespace tintorb
