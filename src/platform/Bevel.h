// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A lowered box used as a separator: a shadow line along its top and left edges and a highlight along its
// bottom and right ones. It paints nothing inside and takes no mouse events, so the surface shows through.

#include <QWidget>

namespace tintorb {

class Bevel : public QWidget {
    Q_OBJECT

  public:
    explicit Bevel(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace tintorb
