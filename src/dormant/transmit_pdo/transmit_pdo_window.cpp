#include "dormant/transmit_pdo/transmit_pdo_window.h"

#include "project/workspace.h"

namespace telvanor {

namespace {

// Every column plain text; the load's message and the failures go to plain boxes. The file is
// found in the current project's folder at each load and save.
TableDescription<TransmitPdoRow> transmitPdoTable(WorkspaceState& workspace) {
    auto file = [&workspace] { return workspace.ProjectDir / std::string(kTransmitPdoFile); };
    return {
        .window = {.objectName = "FTPdoMB",
                   .title = "Transmit PDO",
                   .frame = TableFrame::TitlePanels,
                   .gridName = "Transmit PDOs",
                   .gridDescription = "One row per transmitted PDO",
                   .gridRows = kTransmitPdoGridRows,
                   .firstLabel = 0,
                   .visibleRows = static_cast<int>(kTransmitPdoGridRows),
                   .noticeBox = TableNoticeBox::Plain},
        .columns =
            {
                {"COB-ID", &TransmitPdoRow::COB_ID, 10},
                {"Dimension", &TransmitPdoRow::Dimension, 10},
                {"Start Modbus Address", &TransmitPdoRow::SMA, 12},
            },
        .model = {
            .file = file,
            .load = [file] { return tableLoad(LoadTransmitPdo(file())); },
            .validate = ValidateTransmitPdo,
            .save = [file](const std::vector<TransmitPdoRow>& rows) { return SaveTransmitPdo(file(), rows); },
        },
        .endField = &TransmitPdoRow::COB_ID,
    };
}

}  // namespace

TFTPdoMB::TFTPdoMB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : TableEditor(transmitPdoTable(workspace), workspace, messages, parent) {}

}  // namespace telvanor
