// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// An in-memory stand-in for the window: it keeps every control's state as the real widgets would and fires
// the form's change handlers at once, nested, as the real ones do. Tests drive the form through it and
// read back what a user would see.

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/Commands.h"
#include "app/Controls.h"
#include "app/FinderPanel.h"
#include "app/Generic.h"
#include "app/RecentFiles.h"
#include "app/TilesPanel.h"
#include "support/MemoryPanel.h"

namespace tintorb::test {

struct ColouredRun {
    Rgb colour;
    std::string text;
    friend bool operator==(const ColouredRun&, const ColouredRun&) = default;
};

class MemoryControls : public Controls {
  public:
    MemoryControls();

    // The form whose handlers the controls fire; set once, before the first event.
    void Attach(TForm1& form);

    // Controls interface.
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
    [[nodiscard]] int LineBreakLength(Ctl) const override { return 2; }
    void SetInsertColour(Ctl c, Rgb colour) override;
    void InsertText(Ctl c, std::string_view text) override;
    void SetCaption(std::string_view caption) override { caption_ = caption; }
    void SetModified(bool modified) override { modified_ = modified; }
    [[nodiscard]] std::optional<std::string> RunOpenDialog() override;
    [[nodiscard]] std::optional<std::string> RunSaveDialog() override;
    [[nodiscard]] std::optional<Rgb> RunColourDialog() override;
    [[nodiscard]] std::optional<std::string> RunImportDialog() override { return NextPath(importAnswers_); }
    [[nodiscard]] std::optional<std::string> RunExportDialog() override { return NextPath(exportAnswers_); }
    [[nodiscard]] std::optional<std::string> RunQueryDialog() override { return NextPath(queryAnswers_); }
    [[nodiscard]] std::optional<std::string> RunPngExportDialog() override {
        return NextPath(exportAnswers_);
    }
    void ShowMessage(std::string_view text) override { messages_.emplace_back(text); }
    [[nodiscard]] SaveAnswer AskSaveChanges(std::string_view question) override;
    [[nodiscard]] bool AskOverwrite(std::string_view question) override;
    [[nodiscard]] std::optional<std::string> AskTitle(std::string_view prompt,
                                                      std::string_view suggestion) override;
    // Closing asks the form first, as the window's close button does.
    void CloseWindow() override { closed_ = form_->QueryClose(); }
    void ShowKeyboardShortcuts() override { ++helpShown_; }
    void ShowAbout() override { ++helpShown_; }
    void RememberRecentFile(std::string_view path) override {
        recentFiles_ = WithRecentFile(std::move(recentFiles_), path);
    }
    void ForgetRecentFile(std::string_view path) override {
        recentFiles_ = WithoutRecentFile(std::move(recentFiles_), path);
    }
    // The tool window's session, its work done at once: opened, it scans for palettes of the default
    // minimum length when nothing is listed yet, and it scans a new document again.
    void ShowFinder() override;
    void ClearFinder() override;
    void ShowNames() override {
        ++namesShown_;
        finder_->ShowNames(*finderView_);
    }
    void FinderFileChanged(std::int64_t offset, std::size_t length) override {
        finder_->FileChanged(*finderView_, offset, length);
    }
    void ShowTiles() override { ++tilesShown_; }
    void PresentTiles() override {
        ++tilesPresented_;
        tiles_->Present(*tilesView_);
    }
    [[nodiscard]] std::string Setting(std::string_view key) const override {
        const auto setting = settings_.find(key);
        return setting == settings_.end() ? std::string() : setting->second;
    }
    void SetSetting(std::string_view key, std::string_view value) override {
        settings_[std::string(key)] = value;
    }
    void ShowStatus(std::string_view text) override { statuses_.emplace_back(text); }
    void SetClipboardText(std::string_view text) override { clipboard_ = text; }
    [[nodiscard]] std::string ClipboardText() const override { return clipboard_; }
    [[nodiscard]] ScreenSize Screen() const override { return screen_; }
    [[nodiscard]] std::string ExecutableDir() const override { return executableDir_; }
    // Shows what was drawn since the last present, as the window does, and keeps the boxes shown.
    void Present() override;

    // What a user does.
    // Clicks a button (or the check box, toggling it), through the same wiring as the window's.
    void Press(Ctl c);
    // Runs a command as its menu item or shortcut would; one of a check box toggles the box first.
    void Run(Command command);
    // A mouse event already routed to an area (or the bit view), with area-relative coordinates.
    void Mouse(Ctl area, MouseAction action, MouseButton button, int x, int y) {
        RunMouse(*form_, {area, action, button, x, y});
    }
    // Types characters at the caret of an edit box, each through the key filter, backspace (0x08) erasing
    // the character before the caret.
    void Type(Ctl c, std::string_view keys);
    // Pastes through the context menu: the whole text replaces the box's content, unfiltered.
    void Paste(Ctl c, std::string_view text);
    // Chooses an item of the length menu from its list.
    void ChooseItem(Ctl c, int index);
    // Types into the length menu's edit field (no completion): the item index becomes that of the item with
    // exactly this text, -1 when there is none.
    void TypeMenuText(Ctl c, std::string_view text);
    // Drags the scroll bar to a position (clamped to its range, as the widget does).
    void Scroll(Ctl c, int position);
    // Replaces the listing box's whole text, as a user editing it would; lines split at "\n" ("\r" dropped).
    void EditListing(std::string_view text);

    // Answers for the next dialogs, first in first out; an empty answer is a cancel. With no answer
    // scripted, a dialog is cancelled.
    void AnswerOpen(std::optional<std::string> path) { openAnswers_.push_back(std::move(path)); }
    void AnswerSave(std::optional<std::string> path) { saveAnswers_.push_back(std::move(path)); }
    void AnswerColour(std::optional<Rgb> colour) { colourAnswers_.push_back(colour); }
    void AnswerImport(std::optional<std::string> path) { importAnswers_.push_back(std::move(path)); }
    void AnswerExport(std::optional<std::string> path) { exportAnswers_.push_back(std::move(path)); }
    void AnswerQuery(std::optional<std::string> path) { queryAnswers_.push_back(std::move(path)); }
    // Answers for the next questions; with none scripted, a question is answered Cancel.
    void AnswerSaveChanges(SaveAnswer answer) { saveChangesAnswers_.push_back(answer); }
    void AnswerOverwrite(bool overwrite) { overwriteAnswers_.push_back(overwrite); }
    void AnswerTitle(std::optional<std::string> title) { titleAnswers_.push_back(std::move(title)); }
    // Drops the answers that nothing took, as when the command they were meant for asked nothing.
    void ForgetAnswers() {
        openAnswers_.clear();
        saveAnswers_.clear();
        colourAnswers_.clear();
        importAnswers_.clear();
        exportAnswers_.clear();
        queryAnswers_.clear();
        saveChangesAnswers_.clear();
        overwriteAnswers_.clear();
        titleAnswers_.clear();
    }
    void SetScreen(ScreenSize size) { screen_ = size; }
    void SetExecutableDir(std::string dir) { executableDir_ = std::move(dir); }

    // What a user sees.
    // The caption as shown: its "[*]" becomes "*" while there are unsaved changes, and goes otherwise.
    [[nodiscard]] std::string Caption() const;
    // The status bar's line, empty before the first; and every line it showed, in order.
    [[nodiscard]] std::string Status() const { return statuses_.empty() ? std::string() : statuses_.back(); }
    [[nodiscard]] const std::vector<std::string>& Statuses() const { return statuses_; }
    // The text on the system clipboard.
    [[nodiscard]] const std::string& Clipboard() const { return clipboard_; }
    // The information messages shown so far, in order.
    [[nodiscard]] const std::vector<std::string>& Messages() const { return messages_; }
    // The questions asked so far, in order.
    [[nodiscard]] const std::vector<std::string>& Questions() const { return questions_; }
    [[nodiscard]] bool Visible(Ctl c) const { return state(c).visible; }
    [[nodiscard]] bool Enabled(Ctl c) const { return state(c).enabled; }
    [[nodiscard]] int Caret(Ctl c) const { return state(c).caret; }
    [[nodiscard]] int ScrollMax(Ctl c) const { return state(c).scrollMax; }
    [[nodiscard]] std::optional<Ctl> Focus() const { return focus_; }
    // The listing's selected range, counted with two-character line breaks.
    [[nodiscard]] std::pair<int, int> Selection(Ctl c) const {
        return {state(c).selStart, state(c).selLength};
    }
    // The selected characters of the listing.
    [[nodiscard]] std::string SelectedText(Ctl c) const;
    [[nodiscard]] const std::vector<ColouredRun>& Runs(Ctl c) const { return state(c).runs; }
    [[nodiscard]] int PresentCount() const { return presentCount_; }
    // The boxes of each of the last few presents, in order.
    [[nodiscard]] const std::vector<std::vector<PixelBox>>& Presented() const { return presented_; }
    [[nodiscard]] int DialogsShown() const { return dialogsShown_; }
    // The help dialogs (Keyboard Shortcuts, About) shown so far.
    [[nodiscard]] int HelpShown() const { return helpShown_; }
    [[nodiscard]] bool Closed() const { return closed_; }
    [[nodiscard]] const std::vector<std::string>& RecentFiles() const { return recentFiles_; }
    // Each title asked for so far: its prompt and the suggestion offered.
    [[nodiscard]] const std::vector<std::pair<std::string, std::string>>& TitlesAsked() const {
        return titlesAsked_;
    }
    // How often the tool window was opened, cleared, and told of changed names.
    [[nodiscard]] int FinderShown() const { return finderShown_; }
    [[nodiscard]] int FinderCleared() const { return finderCleared_; }
    [[nodiscard]] int NamesShown() const { return namesShown_; }
    // What the tool window shows; work started on it is done by the next Poll.
    [[nodiscard]] FindSession& Finder() { return finder_->Session(); }
    // The Find Palettes and Tiles windows' fields.
    [[nodiscard]] MemoryPanel& FinderView() { return *finderView_; }
    [[nodiscard]] MemoryPanel& TilesView() { return *tilesView_; }
    // How often the Tiles window was opened, and shown its session's state.
    [[nodiscard]] int TilesShown() const { return tilesShown_; }
    [[nodiscard]] int TilesPresented() const { return tilesPresented_; }

  private:
    struct ControlState {
        std::string text;
        int caret = 0;
        bool visible = true;
        bool enabled = true;
        bool checked = false;
        int itemIndex = -1;
        int scrollMax = 0;
        int scrollPos = 0;
        std::vector<std::string> lines;
        int selStart = 0;
        int selLength = 0;
        Rgb insertColour;
        std::vector<ColouredRun> runs;
    };

    [[nodiscard]] ControlState& state(Ctl c) { return controls_[static_cast<std::size_t>(c)]; }
    [[nodiscard]] const ControlState& state(Ctl c) const { return controls_[static_cast<std::size_t>(c)]; }
    void FireChange(Ctl c);
    void FireKeyPress(Ctl c, char32_t& key);
    void MoveScroll(Ctl c, int position);
    [[nodiscard]] std::optional<std::string> NextPath(std::deque<std::optional<std::string>>& answers);

    TForm1* form_ = nullptr;
    std::optional<FinderPanel> finder_;
    std::optional<MemoryPanel> finderView_;
    std::optional<TilesPanel> tiles_;
    std::optional<MemoryPanel> tilesView_;
    std::map<std::string, std::string, std::less<>> settings_;
    int tilesShown_ = 0;
    int tilesPresented_ = 0;
    std::array<ControlState, Layout.size()> controls_{};
    std::string caption_{WindowCaption};
    bool modified_ = false;
    std::deque<SaveAnswer> saveChangesAnswers_;
    std::deque<bool> overwriteAnswers_;
    std::vector<std::string> questions_;
    std::optional<Ctl> focus_;
    std::deque<std::optional<std::string>> openAnswers_;
    std::deque<std::optional<std::string>> saveAnswers_;
    std::deque<std::optional<Rgb>> colourAnswers_;
    std::deque<std::optional<std::string>> importAnswers_;
    std::deque<std::optional<std::string>> exportAnswers_;
    std::deque<std::optional<std::string>> queryAnswers_;
    std::vector<std::string> messages_;
    std::vector<std::string> statuses_;
    std::string clipboard_;
    std::deque<std::optional<std::string>> titleAnswers_;
    std::vector<std::pair<std::string, std::string>> titlesAsked_;
    int finderShown_ = 0;
    int finderCleared_ = 0;
    int namesShown_ = 0;
    ScreenSize screen_{800, 600};
    std::string executableDir_ = "/tmp/";
    int presentCount_ = 0;
    std::vector<std::vector<PixelBox>> presented_;
    int dialogsShown_ = 0;
    int helpShown_ = 0;
    bool closed_ = false;
    std::vector<std::string> recentFiles_;
};

}  // namespace tintorb::test
