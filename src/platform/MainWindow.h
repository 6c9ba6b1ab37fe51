#pragma once

// The program's one window: it builds every control of the layout as a Qt widget in a client area of the
// layout's size below the menu bar, implements Controls on them for the form, shows the form's surface, and
// hands each widget event, menu item and shortcut to the form's handler through one dispatch point that
// reports file errors.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/Commands.h"
#include "app/Controls.h"
#include "app/Generic.h"
#include "app/Layout.h"
#include "app/MouseRouter.h"
#include "app/StartOptions.h"
#include "model/FileImage.h"

#include <QColor>
#include <QMainWindow>
#include <QString>

class QAction;
class QCheckBox;
class QCloseEvent;
class QFileDialog;
class QLabel;
class QMenu;
class QPlainTextEdit;
class QScrollBar;

namespace tintorb {

class BitsView;
class FinderWindow;
class KeyFilterEdit;
class LengthMenu;
class ShortcutsDialog;
class SurfaceView;

class MainWindow : public QMainWindow, public Controls {
    Q_OBJECT

  public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    [[nodiscard]] TForm1& Form() { return form_; }
    // Does what the command line asked for, as the user would with the window's controls.
    void Start(const StartOptions& options);

    // The area of the layout's size below the menu bar, which every control is placed in.
    [[nodiscard]] QWidget* ClientArea() const { return client_; }
    // The menu item (and shortcut) of a command; null for a command that has neither.
    [[nodiscard]] QAction* ActionOf(Command id) const { return actions_[static_cast<std::size_t>(id)]; }
    [[nodiscard]] QMenu* RecentMenu() const { return recentMenu_; }
    [[nodiscard]] QMenu* NamedMenu() const { return namedMenu_; }
    // The Find Palettes tool window; null until first opened.
    [[nodiscard]] FinderWindow* Finder() const { return finder_; }

    // The widget that shows a control. The areas are regions of the surface view, so they answer it.
    [[nodiscard]] QWidget* WidgetOf(Ctl c) const;
    // The caption above the address box.
    [[nodiscard]] QLabel* AddressLabel() const { return addressCaption_; }

    // Controls.
    [[nodiscard]] std::string Text(Ctl c) const override;
    void SetText(Ctl c, std::string_view text) override;
    void SetCaret(Ctl c, int position) override;
    void SetVisible(Ctl c, bool visible) override;
    void SetEnabled(Ctl c, bool enabled) override;
    [[nodiscard]] bool Checked(Ctl c) const override;
    [[nodiscard]] int ItemIndex(Ctl c) const override;
    void SetScrollMax(Ctl c, int maximum) override;
    void SetScrollPos(Ctl c, int position) override;
    [[nodiscard]] int ScrollPos(Ctl c) const override;
    [[nodiscard]] std::vector<std::string> Lines(Ctl c) const override;
    void SetLines(Ctl c, std::span<const std::string> lines) override;
    void Clear(Ctl c) override;
    void SetFocus(Ctl c) override;
    void Select(Ctl c, int start, int length) override;
    // The listing box counts a line break as one character.
    [[nodiscard]] int LineBreakLength(Ctl) const override { return 1; }
    void SetInsertColour(Ctl c, Rgb colour) override;
    void InsertText(Ctl c, std::string_view text) override;
    void SetCaption(std::string_view caption) override;
    void SetModified(bool modified) override { setWindowModified(modified); }
    [[nodiscard]] std::optional<std::string> RunOpenDialog() override;
    [[nodiscard]] std::optional<std::string> RunSaveDialog() override;
    [[nodiscard]] std::optional<Rgb> RunColourDialog() override;
    [[nodiscard]] std::optional<std::string> RunImportDialog() override {
        return RunPaletteDialog(PaletteDialog::Import);
    }
    [[nodiscard]] std::optional<std::string> RunExportDialog() override {
        return RunPaletteDialog(PaletteDialog::Export);
    }
    void ShowMessage(std::string_view text) override;
    [[nodiscard]] SaveAnswer AskSaveChanges(std::string_view question) override;
    [[nodiscard]] bool AskOverwrite(std::string_view question) override;
    [[nodiscard]] std::optional<std::string> AskTitle(std::string_view prompt,
                                                      std::string_view suggestion) override;
    void CloseWindow() override { close(); }
    void ShowKeyboardShortcuts() override;
    void ShowAbout() override;
    void RememberRecentFile(std::string_view path) override;
    void ForgetRecentFile(std::string_view path) override;
    void ShowFinder() override;
    void ClearFinder() override;
    void ShowNames() override;
    [[nodiscard]] ScreenSize Screen() const override;
    [[nodiscard]] std::string ExecutableDir() const override;
    void Present() override;

    // Runs a handler of the window's tool windows as the window's own run: a file error ends it and is
    // shown, and the menu items follow what it changed.
    void Dispatch(const std::function<void()>& handler);
    // A palette file, or any file as a dump of colour memory, to search for its colours.
    [[nodiscard]] std::optional<std::string> RunQueryDialog() {
        return RunPaletteDialog(PaletteDialog::Query);
    }

  protected:
    // Hands one routed mouse event to the form's handler for its area, if the area has one.
    virtual void DeliverMouse(const RoutedMouse& event);
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    // Undo and redo keys in a text box: the box's own undo while it has one, the document's after that.
    // A file dragged over a text box is the window's, not text for the box.
    bool eventFilter(QObject* watched, QEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

  private:
    void BuildControls();
    QWidget* BuildControl(const ControlLayout& entry);
    void BuildAddressCaption();
    void SetTabOrder();
    void Connect();
    // One action for every command with a menu item or a shortcut, placed in the menus.
    void BuildMenus();
    void ConnectShortcuts();
    // Enables each command's action when running it could do something.
    void RefreshCommands();
    void RebuildRecentMenu();
    void RebuildNamedMenu();
    // The Find Palettes tool window, made beside this one the first time it is asked for.
    FinderWindow& FinderNearby();
    // The window is as large as the client area and the menu bar above it.
    void FixWindowSize();
    // Takes a drag of files, or refuses it; false when the drag carries no files.
    bool TakeFileDrag(QEvent* event);
    void Run(Command command);
    void Changed(Ctl control);
    void FitLabel(QLabel* label);

    // Runs one handler. A file error ends the handler and is shown; nested handlers pass it on to the
    // handler whose setter fired them, so it ends that one too.
    template <class Handler>
    void Fire(Handler&& handler);
    void RethrowPending();
    void ShowError(const FileError& error);
    // Runs the dialog from the folder last chosen in any file dialog; the path chosen, if any.
    [[nodiscard]] std::optional<std::string> ChooseFile(QFileDialog& dialog);
    [[nodiscard]] std::optional<std::string> RunFileDialog(bool save);
    enum class PaletteDialog { Import, Export, Query };
    [[nodiscard]] std::optional<std::string> RunPaletteDialog(PaletteDialog kind);

    TForm1 form_{*this};
    QWidget* client_ = nullptr;
    std::array<QWidget*, Layout.size()> widgets_{};
    std::array<QAction*, CommandTable.size()> actions_{};
    QMenu* recentMenu_ = nullptr;
    QMenu* namedMenu_ = nullptr;
    FinderWindow* finder_ = nullptr;
    ShortcutsDialog* shortcutsDialog_ = nullptr;
    SurfaceView* surface_ = nullptr;
    QLabel* addressCaption_ = nullptr;
    LengthMenu* menuLength_ = nullptr;
    KeyFilterEdit* editAddress_ = nullptr;
    KeyFilterEdit* editLength_ = nullptr;
    QPlainTextEdit* memoASM_ = nullptr;
    QScrollBar* barBrowser_ = nullptr;
    QCheckBox* chkInvalid_ = nullptr;
    BitsView* editBits_ = nullptr;

    QColor lastColour_{0, 0, 0};
    QString lastFolder_;
    int fireDepth_ = 0;
    std::optional<FileError> pendingError_;
};

}  // namespace tintorb
