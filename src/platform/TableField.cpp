// SPDX-License-Identifier: GPL-3.0-or-later
// A table field: a Qt model over the rows of cell texts the session lists, and a strip of colours in the
// column that has one, read from the session as each row is painted.

#include <algorithm>

#include "platform/FieldWidget.h"
#include "platform/QtText.h"

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>

namespace tintorb {

namespace {

class SessionModel : public QAbstractTableModel {
  public:
    SessionModel(const FieldContext& context, QObject* parent)
        : QAbstractTableModel(parent),
          session_(context.session),
          field_(context.index),
          columns_(static_cast<int>(context.field.items.size())),
          numberColumn_(context.field.numberColumn),
          stripColumn_(context.field.stripColumn) {}

    void Reset() {
        beginResetModel();
        rows_ = session_.RowCount(field_);
        endResetModel();
        emit headerDataChanged(Qt::Horizontal, 0, columns_ - 1);
    }
    // Every shown cell reads the session again; the rows stay.
    void Repaint() {
        if (rows_ > 0) {
            emit dataChanged(index(0, 0), index(rows_ - 1, columns_ - 1));
        }
    }

    [[nodiscard]] int rowCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : rows_;
    }
    [[nodiscard]] int columnCount(const QModelIndex& parent) const override {
        return parent.isValid() ? 0 : columns_;
    }
    [[nodiscard]] QVariant data(const QModelIndex& index, int role) const override {
        if (role == Qt::TextAlignmentRole && index.column() == numberColumn_) {
            return QVariant(Qt::AlignRight | Qt::AlignVCenter);
        }
        if (role != Qt::DisplayRole || index.column() == stripColumn_) {
            return {};
        }
        return ToQString(session_.Cell(field_, index.row(), index.column()));
    }
    [[nodiscard]] QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole) {
            return QAbstractTableModel::headerData(section, orientation, role);
        }
        return ToQString(session_.ColumnTitle(field_, section));
    }

  private:
    const PanelSession& session_;
    int field_;
    int rows_ = 0;
    int columns_;
    int numberColumn_;
    int stripColumn_;
};

// The strip of a row's colours.
class StripDelegate : public QStyledItemDelegate {
  public:
    StripDelegate(const FieldContext& context, QObject* parent)
        : QStyledItemDelegate(parent), session_(context.session), field_(context.index) {}

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        const std::vector<Rgb> colours = session_.Strip(field_, index.row());
        const auto count = static_cast<int>(colours.size());
        const QRect strip = option.rect.adjusted(2, 3, -2, -3);
        if (count <= 0 || strip.width() <= 0) {
            return;
        }
        // Whole pixels per entry, so every entry is as wide as the next; what is left stays blank.
        const int width = std::max(1, strip.width() / count);
        for (int i = 0; i < count && width * i < strip.width(); ++i) {
            const Rgb c = colours[static_cast<std::size_t>(i)];
            painter->fillRect(strip.left() + width * i, strip.top(), width, strip.height(),
                              QColor(c.r, c.g, c.b));
        }
    }

  private:
    const PanelSession& session_;
    int field_;
};

class TableField : public FieldOf<QTableView> {
  public:
    explicit TableField(const FieldContext& context)
        : FieldOf(new QTableView(&context.parent)), model_(new SessionModel(context, widget_)) {
        widget_->setModel(model_);
        if (context.field.stripColumn >= 0) {
            widget_->setItemDelegateForColumn(context.field.stripColumn, new StripDelegate(context, widget_));
        }
        widget_->setSelectionBehavior(QAbstractItemView::SelectRows);
        widget_->setSelectionMode(QAbstractItemView::SingleSelection);
        widget_->setEditTriggers(QAbstractItemView::NoEditTriggers);
        widget_->setWordWrap(false);
        widget_->verticalHeader()->hide();
        widget_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
        widget_->horizontalHeader()->setStretchLastSection(true);
        for (int column = 0; column < static_cast<int>(context.field.columnWidths.size()); ++column) {
            widget_->setColumnWidth(column, context.field.columnWidths[static_cast<std::size_t>(column)]);
        }
        QObject::connect(widget_, &QTableView::activated, widget_, [context](const QModelIndex& index) {
            context.Fire(FieldAction::Activated, index.row());
        });
    }

    void Refresh() override {
        model_->Repaint();
        widget_->viewport()->update();
    }
    void ResetRows() override { model_->Reset(); }
    [[nodiscard]] std::optional<int> CurrentRow() const override {
        const QModelIndex current = widget_->currentIndex();
        return current.isValid() ? std::optional(current.row()) : std::nullopt;
    }
    void SetCurrentRow(int row) override { widget_->setCurrentIndex(model_->index(row, 0)); }

  private:
    SessionModel* model_;
};

}  // namespace

std::unique_ptr<FieldWidget> MakeTable(const FieldContext& context) {
    return std::make_unique<TableField>(context);
}

}  // namespace tintorb
