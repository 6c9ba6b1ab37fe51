// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The length menu: a drop-down list whose text may also be typed. Typed text is completed to the first
// item that begins with it, case ignored. The chosen item is the one whose text the menu shows, so typing
// an item's text chooses it, and any other text leaves no item chosen (-1).

#include "app/LengthMenu.h"

#include <QComboBox>
#include <QString>

namespace tintorb {

class LengthMenu : public QComboBox {
    Q_OBJECT

  public:
    explicit LengthMenu(QWidget* parent);

    // The item whose text the menu shows, exactly as written; -1 for a text that is no item's.
    [[nodiscard]] int ItemIndex() const { return LengthItemOf(currentText().toStdString()); }
    // Sets the text from code: an item's exact text chooses that item, any other text stands as typed.
    void SetText(const QString& text);

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  signals:
    // The text or the chosen item changed, by the user or by SetText.
    void Changed();

  private:
    void Typed(const QString& text);
    void IndexChanged();
    void Activated();

    // Text was typed since an item was last chosen from the list.
    bool typed_ = false;
    // The key that made the latest edit erased text; erasing the completed tail must not bring it back.
    bool erasing_ = false;
};

}  // namespace tintorb
