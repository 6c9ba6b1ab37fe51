// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Bevel.h"

#include <QPainter>

namespace tintorb {

Bevel::Bevel(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Bevel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const int right = width() - 1;
    const int bottom = height() - 1;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(0, 0, right, 0);
    painter.drawLine(0, 0, 0, bottom);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(0, bottom, right, bottom);
    painter.drawLine(right, 0, right, bottom);
}

}  // namespace tintorb
