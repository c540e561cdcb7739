#include "widgets/pgn_catalogue_line.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QFontMetrics>
#include <QItemSelectionModel>

#include "widgets/string_grid.h"

namespace telvanor {

PgnCatalogueLine::PgnCatalogueLine(StringGrid* grid, Describe describe, QWidget* parent)
    : QLabel(parent), grid_(grid), describe_(std::move(describe)) {
    setObjectName("pgnCatalogueLine");
    setAccessibleName("PGN catalogue");
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setToolTip("From the canboat project's community PGN database, not the official NMEA list");
    // Room for the summary and two warnings, so the window does not jump while moving rows.
    setMinimumHeight(fontMetrics().lineSpacing() * 3 + 4);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { refresh(); });
    connect(grid_->model(), &QAbstractItemModel::dataChanged, this, [this] { refresh(); });
    connect(grid_->model(), &QAbstractItemModel::modelReset, this, [this] { refresh(); });
}

void PgnCatalogueLine::refresh() {
    const int row = grid_->currentRow();
    const QString before = text();
    setText(row >= 1 ? describe_(row) : QString());
    // The line has a name of its own, so a screen reader hears of a new text only from here.
    if (text() != before) {
        QAccessibleTextUpdateEvent changed(this, 0, before, text());
        QAccessible::updateAccessibility(&changed);
    }
}

}  // namespace telvanor
