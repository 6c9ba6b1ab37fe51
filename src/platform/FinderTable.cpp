// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/FinderTable.h"

#include <algorithm>

#include "app/Generic.h"

#include <QPainter>

namespace tintorb {

void ColoursDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                            const QModelIndex& index) const {
    QStyledItemDelegate::paint(painter, option, index);
    const FindRow& row = model_.Row(index.row());
    const QRect strip = option.rect.adjusted(2, 3, -2, -3);
    if (row.length <= 0 || strip.width() <= 0) {
        return;
    }
    // Whole pixels per entry, so every entry is as wide as the next; what is left stays blank.
    const int width = std::max(1, strip.width() / row.length);
    for (std::int32_t i = 0; i < row.length && width * i < strip.width(); ++i) {
        const Rgb c = DisplayColour(form_.State.ReadWordAt(row.address + 2 * std::int64_t{i}));
        painter->fillRect(strip.left() + width * i, strip.top(), width, strip.height(),
                          QColor(c.r, c.g, c.b));
    }
}

}  // namespace tintorb
