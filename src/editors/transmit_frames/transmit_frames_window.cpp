#include "editors/transmit_frames/transmit_frames_window.h"

#include <QAbstractItemModel>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QPushButton>

#include "catalogue/frame_row_lookup.h"
#include "project/workspace.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/frame_table_editor.h"
#include "widgets/pgn_catalogue_line.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

// Every column plain text.
TableDescription<TransmitFrameRow> transmitFramesTable(WorkspaceState& workspace) {
    using Row = TransmitFrameRow;
    using namespace frame_table_xml;
    return {
        .window =
            frameTableWindow("FTpdo2MB", "Transmit NMEA2000 Frame", "Transmit frames", "One row per transmitted frame"),
        .columns =
            {
                {toQt(tcobdef_xml::kPriorityColumn), &Row::Priority, 7},
                {toQt(kDataPageColumn), &Row::DP, 7},
                {toQt(kPGNColumn), &Row::PGN, 9},
                {toQt(kSourceAddressColumn), &Row::ID_DEV, 8},
                {toQt(kMnemonicColumn), &Row::Mnemonic, 32},
            },
        .model = frameTableModel(workspace.TCobDefPath, LoadTransmitFrames, ValidateTransmitFrames, SaveTransmitFrames),
        .endField = &TransmitFrameRow::Priority,
    };
}

}  // namespace

TFTpdo2MB::TFTpdo2MB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : TableEditor(transmitFramesTable(workspace), workspace, messages, parent) {
    addBelowGrid(makeCatalogueBar());
}

QWidget* TFTpdo2MB::makeCatalogueBar() {
    auto* bar = new QWidget;
    auto* catalogueLine = new PgnCatalogueLine(
        grid(),
        [this](int gridRow) {
            TransmitFrameRow row = rowAt(gridRow);
            return toQt(rowCatalogueLine(row.DP, row.PGN));
        },
        bar);
    btnCataloguePriority_ = plainButton("btnCataloguePriority", "&Priority from catalogue", bar);
    btnCataloguePriority_->setToolTip("Fill the current row's empty Priority with the catalogue's priority of its PGN");
    connectGuarded(btnCataloguePriority_, &QPushButton::clicked, messages_, this,
                   &TFTpdo2MB::fillPriorityFromCatalogue);
    // The button is usable only where it would fill something.
    connectGuarded(grid()->selectionModel(), &QItemSelectionModel::currentChanged, messages_, this,
                   &TFTpdo2MB::updatePriorityButton);
    connectGuarded(grid()->model(), &QAbstractItemModel::dataChanged, messages_, this,
                   &TFTpdo2MB::updatePriorityButton);
    auto* layout = new QHBoxLayout(bar);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(catalogueLine, 1);
    layout->addWidget(btnCataloguePriority_, 0, Qt::AlignTop);
    updatePriorityButton();
    return bar;
}

std::optional<int> TFTpdo2MB::cataloguePriorityFor(int gridRow) const {
    if (gridRow < 1) return std::nullopt;
    TransmitFrameRow row = rowAt(gridRow);
    return priorityToFill(row.Priority, row.DP, row.PGN);
}

void TFTpdo2MB::updatePriorityButton() {
    btnCataloguePriority_->setEnabled(cataloguePriorityFor(grid()->currentRow()).has_value());
}

void TFTpdo2MB::fillPriorityFromCatalogue() {
    const int row = grid()->currentRow();
    if (std::optional<int> priority = cataloguePriorityFor(row))
        grid()->setCell(row, columnOf(&TransmitFrameRow::Priority), QString::number(*priority));
}

}  // namespace telvanor
