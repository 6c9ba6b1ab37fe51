// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShortcutsDialog.h"

#include "app/Commands.h"
#include "platform/QtText.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QKeySequence>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tintorb {

namespace {

void AddRow(QTableWidget* table, const QString& keys, const QString& does) {
    const int row = table->rowCount();
    table->insertRow(row);
    table->setItem(row, 0, new QTableWidgetItem(keys));
    table->setItem(row, 1, new QTableWidgetItem(does));
}

}  // namespace

ShortcutsDialog::ShortcutsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("keyboardShortcuts"));
    setWindowTitle(tr("Keyboard Shortcuts"));
    auto* table = new QTableWidget(0, 2, this);
    table->setHorizontalHeaderLabels({tr("Keys or mouse"), tr("What it does")});
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    for (const ShortcutLine& line : ShortcutLines()) {
        QStringList keys;
        for (const std::string_view portable : line.keys) {
            keys.append(QKeySequence(ToQString(portable), QKeySequence::PortableText)
                            .toString(QKeySequence::NativeText));
        }
        AddRow(table, line.keys.empty() ? ToQString(line.gesture) : keys.join(QStringLiteral(", ")),
               ToQString(line.does));
    }
    table->resizeColumnsToContents();

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(table);
    layout->addWidget(buttons);
    resize(620, 520);
}

}  // namespace tintorb
