#include "editors/receive_frames/receive_frames_window.h"

#include <QPushButton>

#include "catalogue/frame_row_lookup.h"
#include "editors/receive_frames/receive_framing_warnings.h"
#include "project/workspace.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/pgn_catalogue_line.h"
#include "widgets/qt_text.h"
#include "widgets/string_grid.h"

namespace telvanor {

namespace {

constexpr const char* kTitle = "Receive NMEA2000 Frame";
constexpr const char* kPageCaption = "Can0-ModBus";

// Grid columns: 0 is the row number, then the row's fields in file order.
enum Column { DataPage = 1, PGN, ID_DEV, MultiFrame, FastPacket, StartByte, NByte, Delete, Mnemonic };

std::vector<StringGrid::Column> columns() {
    using Kind = StringGrid::ColumnKind;
    return {
        {"Data Page", Kind::PickList, {"0", "1"}, 6},
        {"PGN", Kind::Text, {}, 9},
        {"Source Address", Kind::Text, {}, 8},
        {"Multi Packet", Kind::CheckBox, {}, 6},
        {"Fast packet", Kind::CheckBox, {}, 6},
        {"Start Byte", Kind::Text, {}, 7},
        {"N° Byte", Kind::Text, {}, 7},
        {"Cancel Data", Kind::CheckBox, {}, 6},
        {"Mnemonic", Kind::Text, {}, 28},
    };
}

}  // namespace

TFpdoMB::TFpdoMB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : GridEditorDialog(kPageCaption, parent), workspace_(workspace), messages_(messages) {
    setObjectName("FpdoMB");
    setWindowTitle(kTitle);
    grid()->setColumns("N", columns());
    grid()->setRows(static_cast<int>(kFrameTableGridRows));
    grid()->setAccessibleDescription("Receive frames, one row per frame");
    addBelowGrid(new PgnCatalogueLine(grid(), [this](int gridRow) { return catalogueText(gridRow); }));
    fitToGrid(16);
}

void TFpdoMB::FormShow() {
    grid()->clearCells();
    unseenRows_.clear();
    setWindowTitle(kTitle);
    runGuarded(messages_, [&] {
        ReceiveFramesLoad load = LoadReceiveFrames(workspace_.RCobDefPath);
        for (std::size_t index = 0; index < load.rows.size(); ++index) {
            if (index < kFrameTableGridRows)
                putRow(static_cast<int>(index) + 1, load.rows[index]);
            else
                unseenRows_.push_back(load.rows[index]);
        }
        if (load.outcome == FrameTableOutcome::Failed) messages_.error(frameTableLoadNotice(load.failure));
    });
    grid()->setCurrentCell(1, DataPage);
    okButton()->setFocus();
}

void TFpdoMB::putRow(int gridRow, const ReceiveFrameRow& row) {
    StringGrid& cells = *grid();
    cells.setCell(gridRow, DataPage, toQt(row.DataPage));
    cells.setCell(gridRow, PGN, toQt(row.PGN));
    cells.setCell(gridRow, ID_DEV, toQt(row.ID_DEV));
    cells.setCell(gridRow, MultiFrame, toQt(row.MultiFrame));
    cells.setCell(gridRow, FastPacket, toQt(row.FastPacket));
    cells.setCell(gridRow, StartByte, toQt(row.StartByte));
    cells.setCell(gridRow, NByte, toQt(row.NByte));
    cells.setCell(gridRow, Delete, toQt(row.Delete));
    cells.setCell(gridRow, Mnemonic, toQt(row.Mnemonic));
}

ReceiveFrameRow TFpdoMB::rowAt(int gridRow) const {
    auto text = [&](int column) { return fromQt(grid()->cell(gridRow, column)); };
    return {text(DataPage),  text(PGN),   text(ID_DEV), text(MultiFrame), text(FastPacket),
            text(StartByte), text(NByte), text(Delete), text(Mnemonic)};
}

std::vector<ReceiveFrameRow> TFpdoMB::collectRows() const {
    std::vector<ReceiveFrameRow> rows;
    for (int gridRow = 1; gridRow <= grid()->rowCount(); ++gridRow) rows.push_back(rowAt(gridRow));
    rows.insert(rows.end(), unseenRows_.begin(), unseenRows_.end());
    return rows;
}

QString TFpdoMB::catalogueText(int gridRow) const {
    ReceiveFrameRow row = rowAt(gridRow);
    QString text = toQt(rowCatalogueLine(row.DataPage, row.PGN));
    for (const std::string& warning : receiveFramingWarnings(row)) text += "\nWarning: " + toQt(warning);
    return text;
}

void TFpdoMB::BitBtn1Click() {
    runGuarded(messages_, [&] {
        // The table ends at the first empty Data Page, in the grid or beyond it.
        std::vector<ReceiveFrameRow> rows = collectRows();
        if (std::optional<std::string> failure = ValidateReceiveFrames(rows)) {
            messages_.error(*failure);
            return;
        }
        SaveReceiveFrames(workspace_.RCobDefPath, rows);
        accept();
    });
}

}  // namespace telvanor
