#include "editors/transmit_frames/transmit_frames_window.h"

#include <QAbstractItemModel>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>

#include "catalogue/frame_row_lookup.h"
#include "project/workspace.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/pgn_catalogue_line.h"
#include "widgets/qt_text.h"
#include "widgets/string_grid.h"

namespace telvanor {

namespace {

constexpr const char* kTitle = "Transmit NMEA2000 Frame";
constexpr const char* kPageCaption = "Can0-ModBus";

// Grid columns: 0 is the row number, then the row's fields in file order, all plain text.
enum Column { Priority = 1, DP, PGN, ID_DEV, Mnemonic };

std::vector<StringGrid::Column> columns() {
    return {
        {"Priority", StringGrid::ColumnKind::Text, {}, 7},  {"Data Page", StringGrid::ColumnKind::Text, {}, 7},
        {"PGN", StringGrid::ColumnKind::Text, {}, 9},       {"Source Address", StringGrid::ColumnKind::Text, {}, 8},
        {"Mnemonic", StringGrid::ColumnKind::Text, {}, 32},
    };
}

}  // namespace

TFTpdo2MB::TFTpdo2MB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : GridEditorDialog(kPageCaption, parent), workspace_(workspace), messages_(messages) {
    setObjectName("FTpdo2MB");
    setWindowTitle(kTitle);
    grid()->setColumns("N", columns());
    grid()->setRows(static_cast<int>(kFrameTableGridRows));
    grid()->setAccessibleDescription("Transmitted frames, one row per frame");
    addBelowGrid(makeCatalogueBar());
    fitToGrid(16);
}

void TFTpdo2MB::FormShow() {
    grid()->clearCells();
    unseenRows_.clear();
    setWindowTitle(kTitle);
    runGuarded(messages_, [&] {
        TransmitFramesLoad load = LoadTransmitFrames(workspace_.TCobDefPath);
        for (std::size_t index = 0; index < load.rows.size(); ++index) {
            if (index < kFrameTableGridRows)
                putRow(static_cast<int>(index) + 1, load.rows[index]);
            else
                unseenRows_.push_back(load.rows[index]);
        }
        if (load.outcome == FrameTableOutcome::Failed) messages_.error(frameTableLoadNotice(load.failure));
    });
    grid()->setCurrentCell(1, Priority);
    okButton()->setFocus();
}

void TFTpdo2MB::putRow(int gridRow, const TransmitFrameRow& row) {
    StringGrid& cells = *grid();
    cells.setCell(gridRow, Priority, toQt(row.Priority));
    cells.setCell(gridRow, DP, toQt(row.DP));
    cells.setCell(gridRow, PGN, toQt(row.PGN));
    cells.setCell(gridRow, ID_DEV, toQt(row.ID_DEV));
    cells.setCell(gridRow, Mnemonic, toQt(row.Mnemonic));
}

QWidget* TFTpdo2MB::makeCatalogueBar() {
    auto* bar = new QWidget;
    catalogueLine_ = new PgnCatalogueLine(
        grid(),
        [this](int gridRow) {
            return toQt(rowCatalogueLine(fromQt(grid()->cell(gridRow, DP)), fromQt(grid()->cell(gridRow, PGN))));
        },
        bar);
    btnCataloguePriority_ = new QPushButton("&Priority from catalogue", bar);
    btnCataloguePriority_->setObjectName("btnCataloguePriority");
    btnCataloguePriority_->setAutoDefault(false);
    btnCataloguePriority_->setToolTip("Fill the current row's empty Priority with the catalogue's priority of its PGN");
    connect(btnCataloguePriority_, &QPushButton::clicked, this, [this] { fillPriorityFromCatalogue(); });
    // The button is usable only where it would fill something.
    connect(grid()->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] { updatePriorityButton(); });
    connect(grid()->model(), &QAbstractItemModel::dataChanged, this, [this] { updatePriorityButton(); });
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(catalogueLine_, 1);
    layout->addWidget(btnCataloguePriority_, 0, Qt::AlignTop);
    updatePriorityButton();
    return bar;
}

std::optional<int> TFTpdo2MB::cataloguePriorityFor(int gridRow) const {
    if (gridRow < 1) return std::nullopt;
    auto text = [&](int column) { return fromQt(grid()->cell(gridRow, column)); };
    return priorityToFill(text(Priority), text(DP), text(PGN));
}

void TFTpdo2MB::updatePriorityButton() {
    btnCataloguePriority_->setEnabled(cataloguePriorityFor(grid()->currentRow()).has_value());
}

void TFTpdo2MB::fillPriorityFromCatalogue() {
    const int row = grid()->currentRow();
    if (std::optional<int> priority = cataloguePriorityFor(row))
        grid()->setCell(row, Priority, QString::number(*priority));
}

std::vector<TransmitFrameRow> TFTpdo2MB::collectRows() const {
    const StringGrid& cells = *grid();
    std::vector<TransmitFrameRow> rows;
    for (int gridRow = 1; gridRow <= cells.rowCount(); ++gridRow) {
        auto text = [&](int column) { return fromQt(cells.cell(gridRow, column)); };
        rows.push_back({text(Priority), text(DP), text(PGN), text(ID_DEV), text(Mnemonic)});
    }
    rows.insert(rows.end(), unseenRows_.begin(), unseenRows_.end());
    return rows;
}

void TFTpdo2MB::BitBtn1Click() {
    runGuarded(messages_, [&] {
        // The table ends at the first empty Priority, in the grid or beyond it.
        std::vector<TransmitFrameRow> rows = collectRows();
        if (std::optional<std::string> failure = ValidateTransmitFrames(rows)) {
            messages_.error(*failure);
            return;
        }
        SaveTransmitFrames(workspace_.TCobDefPath, rows);
        accept();
    });
}

}  // namespace telvanor
