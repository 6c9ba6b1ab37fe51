// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one-line bit view: the characters of its line, each painted in its own colour and its own cell 11
// pixels wide from the left edge, so that a press at X lies on character X / 11 whatever font was found for
// the digits. Keys and presses go to the line.

#include <QGlyphRun>
#include <QHash>
#include <QRect>
#include <QString>
#include <QWidget>
#include <optional>

#include "app/BitLine.h"
#include "app/Controls.h"

namespace tintorb {

class BitsView : public QWidget {
    Q_OBJECT

  public:
    static constexpr int CellWidth = 11;

    explicit BitsView(QWidget* parent);

    [[nodiscard]] QString Text() const { return QString::fromStdU16String(line_.Text()); }
    [[nodiscard]] const BitLine& Line() const { return line_; }
    // Changes the line and shows it.
    template <class Change>
    void Edit(Change&& change) {
        change(line_);
        ShowChangesLater();
    }

  signals:
    // A press of a mouse button at (x, y) from the view's top-left corner; only while enabled.
    void Pressed(tintorb::MouseButton button, int x, int y);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    // How one character is painted in its cell, worked out once per font: shaping sixteen one-character
    // texts on every paint cost more than all the rest of an edit's redraw. A character the font has no
    // glyph for keeps an empty run and is drawn as text, with the font's fallbacks.
    struct Glyph {
        QGlyphRun run;
        int left = 0;
    };

    // An edit of the line is often several steps (emptied, then each digit inserted in its colour): the
    // cells to repaint are worked out once the steps are done, against what was last shown, so that a bit
    // that changed repaints its cell and the rest stay as they are.
    void ShowChangesLater();
    void ShowChanges();

    [[nodiscard]] int Baseline();
    [[nodiscard]] const Glyph& GlyphOf(QChar ch);

    QHash<QChar, Glyph> glyphs_;
    std::optional<QRect> digit_;

    BitLine line_;
    BitLine shown_;
    bool changesPending_ = false;
};

}  // namespace tintorb
