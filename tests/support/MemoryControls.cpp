// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/MemoryControls.h"

#include "app/LengthMenu.h"

#include <algorithm>
#include <cctype>
#include <memory>
#include <utility>

namespace tintorb::test {

namespace {

// A find job run to its end as it is started.
class FinishedJob : public FindJob {
  public:
    explicit FinishedJob(FinderResult result) : result_(std::move(result)) {}
    void Stop() override {}
    [[nodiscard]] bool Finished() const override { return true; }
    [[nodiscard]] double Done() const override { return 1; }
    [[nodiscard]] FinderResult Take() override { return std::move(result_); }

  private:
    FinderResult result_;
};

// The length menu's item with exactly this text, -1 for a text that is no item's.
}  // namespace

void MemoryControls::Attach(TForm1& form) {
    form_ = &form;
    finder_.emplace(form, *this, *this, [](std::vector<std::uint8_t> bytes, FindJob::Work work) {
        return std::make_unique<FinishedJob>(work(bytes, {}));
    });
    finderView_.emplace(*finder_);
    tiles_.emplace(form.Tiles());
    tilesView_.emplace(*tiles_);
}

void MemoryControls::ShowFinder() {
    ++finderShown_;
    finderView_->Open();
}

void MemoryControls::ClearFinder() {
    ++finderCleared_;
    finder_->Clear(*finderView_, finderShown_ > 0);
    finderView_->Settle();
}

MemoryControls::MemoryControls() {
    for (const ControlLayout& entry : Layout) {
        ControlState& s = state(entry.id);
        s.text = entry.text;
        s.visible = entry.visible;
        s.enabled = entry.enabled;
    }
    state(Ctl::menuLength).itemIndex = LengthItemAuto;
}

std::string MemoryControls::Text(Ctl c) const {
    const ControlState& s = state(c);
    if (c == Ctl::memoASM) {
        std::string joined;
        for (std::size_t i = 0; i < s.lines.size(); ++i) {
            joined += (i ? "\r\n" : "") + s.lines[i];
        }
        return joined;
    }
    if (c == Ctl::editBits && !s.runs.empty()) {
        std::string joined;
        for (const ColouredRun& run : s.runs) {
            joined += run.text;
        }
        return joined;
    }
    return s.text;
}

void MemoryControls::SetText(Ctl c, std::string_view text) {
    ControlState& s = state(c);
    if (c == Ctl::editBits) {
        s.runs.clear();
    }
    if (s.text == text) {
        return;  // as the real widgets, an unchanged text fires nothing
    }
    s.text = text;
    s.caret = std::min<int>(s.caret, static_cast<int>(s.text.size()));
    if (c == Ctl::menuLength) {
        s.itemIndex = LengthItemOf(text);
    }
    FireChange(c);
}

void MemoryControls::SetCaret(Ctl c, int position) {
    ControlState& s = state(c);
    s.caret = std::clamp(position, 0, static_cast<int>(s.text.size()));
}

void MemoryControls::SetVisible(Ctl c, bool visible) {
    state(c).visible = visible;
}

void MemoryControls::SetEnabled(Ctl c, bool enabled) {
    state(c).enabled = enabled;
}

bool MemoryControls::Checked(Ctl c) const {
    return state(c).checked;
}

int MemoryControls::ItemIndex(Ctl c) const {
    return state(c).itemIndex;
}

void MemoryControls::SetScrollMax(Ctl c, int maximum) {
    ControlState& s = state(c);
    s.scrollMax = std::max(maximum, 0);
    if (s.scrollPos > s.scrollMax) {
        MoveScroll(c, s.scrollMax);
    }
}

void MemoryControls::SetScrollPos(Ctl c, int position) {
    MoveScroll(c, std::clamp(position, 0, state(c).scrollMax));
}

int MemoryControls::ScrollPos(Ctl c) const {
    return state(c).scrollPos;
}

void MemoryControls::MoveScroll(Ctl c, int position) {
    ControlState& s = state(c);
    if (s.scrollPos == position) {
        return;
    }
    s.scrollPos = position;
    FireChange(c);
}

void MemoryControls::Present() {
    ++presentCount_;
    if (form_ != nullptr) {
        const DirtyRegion shown = form_->surface().TakeDirty();
        // A few are enough for any test, and a benchmark presents without end.
        constexpr std::size_t Kept = 8;
        if (presented_.size() == Kept) {
            presented_.erase(presented_.begin());
        }
        presented_.emplace_back(shown.Boxes().begin(), shown.Boxes().end());
    }
}

std::vector<std::string> MemoryControls::Lines(Ctl c) const {
    return state(c).lines;
}

void MemoryControls::SetLines(Ctl c, std::span<const std::string> lines) {
    ControlState& s = state(c);
    const bool sameCount = s.lines.size() == lines.size();
    s.lines.assign(lines.begin(), lines.end());
    if (sameCount) {
        Select(c, s.selStart, s.selLength);
    } else {
        Select(c, 0, 0);
    }
}

void MemoryControls::Clear(Ctl c) {
    // The listing and the bit view are emptied in place; any other control has its text set, which fires
    // its change handler as the window's does.
    if (c != Ctl::memoASM && c != Ctl::editBits) {
        SetText(c, "");
        return;
    }
    ControlState& s = state(c);
    s.lines.clear();
    s.runs.clear();
    s.text.clear();
    s.caret = 0;
    s.selStart = 0;
    s.selLength = 0;
}

void MemoryControls::SetFocus(Ctl c) {
    focus_ = c;
}

void MemoryControls::Select(Ctl c, int start, int length) {
    ControlState& s = state(c);
    const int size = static_cast<int>(Text(c).size());
    s.selStart = std::clamp(start, 0, size);
    s.selLength = std::clamp(length, 0, size - s.selStart);
}

std::string MemoryControls::SelectedText(Ctl c) const {
    const ControlState& s = state(c);
    return Text(c).substr(static_cast<std::size_t>(s.selStart), static_cast<std::size_t>(s.selLength));
}

void MemoryControls::SetInsertColour(Ctl c, Rgb colour) {
    state(c).insertColour = colour;
}

void MemoryControls::InsertText(Ctl c, std::string_view text) {
    ControlState& s = state(c);
    s.runs.push_back({s.insertColour, std::string(text)});
    s.text += text;
    s.caret = static_cast<int>(s.text.size());
}

std::optional<std::string> MemoryControls::NextPath(std::deque<std::optional<std::string>>& answers) {
    ++dialogsShown_;
    if (answers.empty()) {
        return std::nullopt;
    }
    auto answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> MemoryControls::RunOpenDialog() {
    return NextPath(openAnswers_);
}

std::optional<std::string> MemoryControls::RunSaveDialog() {
    return NextPath(saveAnswers_);
}

SaveAnswer MemoryControls::AskSaveChanges(std::string_view question) {
    questions_.emplace_back(question);
    if (saveChangesAnswers_.empty()) {
        return SaveAnswer::Cancel;
    }
    const SaveAnswer answer = saveChangesAnswers_.front();
    saveChangesAnswers_.pop_front();
    return answer;
}

bool MemoryControls::AskOverwrite(std::string_view question) {
    questions_.emplace_back(question);
    if (overwriteAnswers_.empty()) {
        return false;
    }
    const bool answer = overwriteAnswers_.front();
    overwriteAnswers_.pop_front();
    return answer;
}

std::optional<std::string> MemoryControls::AskTitle(std::string_view prompt, std::string_view suggestion) {
    titlesAsked_.emplace_back(prompt, suggestion);
    return NextPath(titleAnswers_);
}

std::string MemoryControls::Caption() const {
    std::string shown = caption_;
    if (const std::size_t mark = shown.find("[*]"); mark != std::string::npos) {
        shown.erase(mark, 3);
        if (modified_) {
            shown.insert(mark, 1, '*');
        }
    }
    return shown;
}

std::optional<Rgb> MemoryControls::RunColourDialog() {
    ++dialogsShown_;
    if (colourAnswers_.empty()) {
        return std::nullopt;
    }
    auto answer = colourAnswers_.front();
    colourAnswers_.pop_front();
    return answer;
}

void MemoryControls::Type(Ctl c, std::string_view keys) {
    for (const char ch : keys) {
        char32_t key = static_cast<unsigned char>(ch);
        FireKeyPress(c, key);
        if (key == 0) {
            continue;
        }
        ControlState& s = state(c);
        std::string text = s.text;
        int caret = s.caret;
        if (key == 0x08) {
            if (caret == 0) {
                continue;
            }
            text.erase(static_cast<std::size_t>(caret - 1), 1);
            --caret;
        } else {
            text.insert(static_cast<std::size_t>(caret), 1, static_cast<char>(key));
            ++caret;
        }
        s.caret = caret;
        SetText(c, text);
    }
}

void MemoryControls::Paste(Ctl c, std::string_view text) {
    state(c).caret = static_cast<int>(text.size());
    SetText(c, text);
}

void MemoryControls::ChooseItem(Ctl c, int index) {
    ControlState& s = state(c);
    const std::string_view item = LengthItems.at(static_cast<std::size_t>(index));
    if (s.itemIndex == index && s.text == item) {
        return;  // choosing the item already shown changes nothing
    }
    s.itemIndex = index;
    s.text = item;
    FireChange(c);
}

void MemoryControls::TypeMenuText(Ctl c, std::string_view text) {
    ControlState& s = state(c);
    s.itemIndex = LengthItemOf(text);
    s.text = text;
    FireChange(c);
}

void MemoryControls::Press(Ctl c) {
    if (LayoutOf(c).kind == ControlKind::CheckBox) {
        state(c).checked = !state(c).checked;
    }
    if (const std::optional<Command> command = CommandOfControl(c)) {
        RunCommand(*form_, *command);
    }
}

void MemoryControls::Run(Command command) {
    const std::optional<Ctl> control = CommandOf(command).control;
    if (control && LayoutOf(*control).kind == ControlKind::CheckBox) {
        Press(*control);
    } else {
        RunCommand(*form_, command);
    }
}

void MemoryControls::Scroll(Ctl c, int position) {
    SetScrollPos(c, position);
}

void MemoryControls::EditListing(std::string_view text) {
    std::vector<std::string> lines(1);
    for (const char ch : text) {
        if (ch == '\n') {
            lines.emplace_back();
        } else if (ch != '\r') {
            lines.back() += ch;
        }
    }
    // As in the window, a selection does not outlive the text it was made in.
    ControlState& s = state(Ctl::memoASM);
    s.lines = std::move(lines);
    s.selStart = 0;
    s.selLength = 0;
}

void MemoryControls::FireKeyPress(Ctl c, char32_t& key) {
    if (form_ != nullptr) {
        RunKey(*form_, c, key);
    }
}

void MemoryControls::FireChange(Ctl c) {
    if (form_ != nullptr) {
        RunChange(*form_, c);
    }
}

}  // namespace tintorb::test
