#pragma once

#include <QString>

class QAbstractItemModel;
class QTableView;
class QWidget;

namespace telvanor {

// A read-only table of one-line rows, as the register windows show their registers: whole
// rows are selected, nothing is edited, Tab leaves the table, the rows have one height and no
// numbers, and the last column takes the room left.
QTableView* makeRowTable(const char* name, const QString& accessibleName, QAbstractItemModel* model, QWidget* parent);

}  // namespace telvanor
