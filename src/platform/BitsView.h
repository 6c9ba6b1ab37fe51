// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The one-line bit view: coloured characters, each painted in its own cell 11 pixels wide from the left
// edge, so that a press at X lies on character X / 11 whatever font was found for the digits. The
// characters come in runs of one colour, each inserted at the caret. Once enabled the user may also type
// into it; what is typed is only shown.

#include <QColor>
#include <QGlyphRun>
#include <QHash>
#include <QRect>
#include <QString>
#include <QWidget>
#include <optional>
#include <vector>

#include "app/Controls.h"

namespace tintorb {

class BitsView : public QWidget {
    Q_OBJECT

  public:
    static constexpr int CellWidth = 11;

    explicit BitsView(QWidget* parent);

    [[nodiscard]] QString Text() const { return text_; }
    // Replaces the whole text with one run in the default colour; the caret goes to the start.
    void SetText(const QString& text);
    void Clear() { SetText({}); }
    void SetInsertColour(const QColor& colour) { insertColour_ = colour; }
    // Inserts a run at the caret in the insertion colour; the caret follows it.
    void InsertText(const QString& text);
    void SetCaret(int position);
    [[nodiscard]] int Caret() const { return caret_; }
    // The colour of the character at index i.
    [[nodiscard]] QColor ColourAt(int i) const { return colours_.at(static_cast<std::size_t>(i)); }

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

    void Insert(const QString& text, const QColor& colour);
    void Erase(int position);
    [[nodiscard]] int Baseline();
    [[nodiscard]] const Glyph& GlyphOf(QChar ch);

    QHash<QChar, Glyph> glyphs_;
    std::optional<QRect> digit_;

    QString text_;
    std::vector<QColor> colours_;
    QColor insertColour_{Qt::black};
    int caret_ = 0;
};

}  // namespace tintorb
