#include "widgets/pgn_catalogue_line.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QFontMetrics>
#include <QItemSelectionModel>
#include <QScrollArea>

#include "widgets/string_grid.h"

namespace telvanor {

namespace {

// The summary and two warnings.
constexpr int kPaneLines = 3;

}  // namespace

PgnCatalogueLine::PgnCatalogueLine(StringGrid* grid, Describe describe, QWidget* parent)
    : QLabel(parent), grid_(grid), describe_(std::move(describe)) {
    setObjectName("pgnCatalogueLine");
    setAccessibleName("PGN catalogue");
    setWordWrap(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setToolTip("From the canboat project's community PGN database, not the official NMEA list");
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { refresh(); });
    connect(grid_->model(), &QAbstractItemModel::dataChanged, this, [this] { refresh(); });
    connect(grid_->model(), &QAbstractItemModel::modelReset, this, [this] { refresh(); });
}

QWidget* PgnCatalogueLine::inFixedPane() {
    auto* pane = new QScrollArea;
    pane->setObjectName("pgnCataloguePane");
    pane->setFrameShape(QFrame::NoFrame);
    pane->setWidgetResizable(true);
    pane->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    pane->setFocusPolicy(Qt::NoFocus);
    pane->setWidget(this);
    pane->setFixedHeight(fontMetrics().lineSpacing() * kPaneLines + 4);
    return pane;
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
