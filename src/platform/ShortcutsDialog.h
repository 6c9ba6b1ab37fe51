// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Help > Keyboard Shortcuts: every key of the command table and every mouse gesture of the mouse table,
// read from the same tables that wire them, so the list cannot disagree with what the keys do.

#include <QDialog>

namespace tintorb {

class ShortcutsDialog : public QDialog {
    Q_OBJECT

  public:
    explicit ShortcutsDialog(QWidget* parent);
};

}  // namespace tintorb
