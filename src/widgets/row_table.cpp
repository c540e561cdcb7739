#include "widgets/row_table.h"

#include <QHeaderView>
#include <QTableView>

#include "widgets/dialog_parts.h"

namespace telvanor {

QTableView* makeRowTable(const char* name, const QString& accessibleName, QAbstractItemModel* model, QWidget* parent) {
    auto* table = named(new QTableView(parent), name);
    table->setAccessibleName(accessibleName);
    table->setModel(model);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setTabKeyNavigation(false);
    table->setWordWrap(false);
    // One height for all rows: a table of many thousand rows lays out without measuring them.
    table->verticalHeader()->hide();
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 6);
    table->horizontalHeader()->setStretchLastSection(true);
    return table;
}

}  // namespace telvanor
