// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ShortcutsDialog.h"

#include "app/Commands.h"
#include "platform/QtText.h"
#include "platform/Shortcuts.h"

#include <QDialogButtonBox>
#include <QHeaderView>
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
    for (const CommandEntry& command : CommandTable) {
        const QList<QKeySequence> keys = KeySequencesOf(command);
        if (keys.isEmpty()) {
            continue;
        }
        QStringList shown;
        for (const QKeySequence& key : keys) {
            shown.append(key.toString(QKeySequence::NativeText));
        }
        AddRow(table, shown.join(QStringLiteral(", ")), ToQString(command.text).remove(QLatin1Char('&')));
    }
    for (const MouseWiring& wiring : MouseTable) {
        if (!wiring.gesture.empty()) {
            AddRow(table, ToQString(wiring.gesture), ToQString(wiring.effect));
        }
    }
    for (const Gesture& other : OtherGestures) {
        AddRow(table, ToQString(other.gesture), ToQString(other.effect));
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
