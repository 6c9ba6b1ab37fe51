// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The Find Palettes table: its rows as a Qt model, and the strip of each palette's colours in its row.

#include <utility>
#include <vector>

#include "app/FindRows.h"
#include "platform/QtText.h"

#include <QAbstractTableModel>
#include <QStyledItemDelegate>

namespace tintorb {

class TForm1;

class FinderModel : public QAbstractTableModel {
  public:
    using QAbstractTableModel::QAbstractTableModel;

    void SetRows(std::vector<FindRow> rows, bool searched) {
        beginResetModel();
        rows_ = std::move(rows);
        searched_ = searched;
        endResetModel();
        emit headerDataChanged(Qt::Horizontal, RatingColumn, RatingColumn);
    }
    [[nodiscard]] const FindRow& Row(int row) const { return rows_[static_cast<std::size_t>(row)]; }

    [[nodiscard]] int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    [[nodiscard]] int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : FindColumnCount;
    }
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole && index.column() == LengthColumn) {
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole || index.column() == ColoursColumn) {
            return {};
        }
        return ToQString(FindCellText(Row(index.row()), index.column()));
    }
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return QAbstractTableModel::headerData(section, orientation, role);
        }
        return ToQString(FindColumnTitle(section, searched_));
    }

  private:
    std::vector<FindRow> rows_;
    bool searched_ = false;
};

// The strip of a palette's colours, read from the file as it is now, so that edits show at once.
class ColoursDelegate : public QStyledItemDelegate {
  public:
    ColoursDelegate(const TForm1& form, const FinderModel& model, QObject* parent)
        : QStyledItemDelegate(parent), form_(form), model_(model) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

  private:
    const TForm1& form_;
    const FinderModel& model_;
};

}  // namespace tintorb
