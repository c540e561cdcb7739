#include "editors/receive_frames/receive_frames_window.h"

#include "catalogue/frame_row_lookup.h"
#include "editors/receive_frames/receive_framing_warnings.h"
#include "project/workspace.h"
#include "widgets/frame_table_editor.h"
#include "widgets/pgn_catalogue_line.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

TableDescription<ReceiveFrameRow> receiveFramesTable(WorkspaceState& workspace) {
    using Kind = StringGrid::ColumnKind;
    using Row = ReceiveFrameRow;
    using namespace frame_table_xml;
    using namespace rcobdef_xml;
    return {
        .window = frameTableWindow("FpdoMB", "Receive NMEA2000 Frame", "Receive frames", "One row per received frame"),
        .columns =
            {
                {toQt(kDataPageColumn), &Row::DataPage, 6, Kind::PickList, {"0", "1"}},
                {toQt(kPGNColumn), &Row::PGN, 9},
                {toQt(kSourceAddressColumn), &Row::ID_DEV, 8},
                {toQt(kMultiPacketColumn), &Row::MultiFrame, 6, Kind::CheckBox},
                {toQt(kFastPacketColumn), &Row::FastPacket, 6, Kind::CheckBox},
                {toQt(kStartByteColumn), &Row::StartByte, 7},
                {toQt(kNByteColumn), &Row::NByte, 7},
                {toQt(kCancelDataColumn), &Row::Delete, 6, Kind::CheckBox},
                {toQt(kMnemonicColumn), &Row::Mnemonic, 28},
            },
        .model = frameTableModel(workspace.RCobDefPath, LoadReceiveFrames, ValidateReceiveFrames, SaveReceiveFrames),
        .endField = &Row::DataPage,
    };
}

// The catalogue's summary of the row's PGN and the row's framing warnings.
QString catalogueText(const ReceiveFrameRow& row) {
    QString text = toQt(rowCatalogueLine(row.DataPage, row.PGN));
    for (const std::string& warning : receiveFramingWarnings(row)) text += "\nWarning: " + toQt(warning);
    return text;
}

}  // namespace

TFpdoMB::TFpdoMB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : TableEditor(receiveFramesTable(workspace), workspace, messages, parent) {
    addBelowGrid(new PgnCatalogueLine(grid(), [this](int gridRow) { return catalogueText(rowAt(gridRow)); }));
}

}  // namespace telvanor
