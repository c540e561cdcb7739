#include "dormant/sdo/sdo_window.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>

#include "dormant/sdo/sdo_exchange.h"
#include "project/workspace.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/open_excel.h"
#include "widgets/page_captions.h"

namespace telvanor {

namespace {

// On every resize each column, the label column included, gets this share of the grid.
constexpr int kWidthShares = 11;

// Every column plain text; the load's message and the failure go to a plain box.
TableDescription<SdoRow> sdoTable(WorkspaceState& workspace) {
    return {
        .window = {.objectName = "FSdoMB",
                   .title = "SDO",
                   .pageCaption = kCanAPageCaption,
                   .gridName = "SDO access",
                   .gridDescription = "One row per Modbus register",
                   .gridRows = kSdoGridRows,
                   .firstLabel = 0,
                   .noticeBox = TableNoticeBox::Plain},
        .columns =
            {
                {"Addr Word", &SdoRow::AddrWord, 9},
                {"Hi Word", &SdoRow::HiWord, 9},
                {"Lo Word", &SdoRow::LoWord, 9},
                {"R/W", &SdoRow::RW, 9},
                {"ID", &SdoRow::ID, 9},
                {"Index", &SdoRow::Index, 9},
                {"SubIndex", &SdoRow::SubIndex, 9},
                {"nByte", &SdoRow::nByte, 9},
                {"mnemonico", &SdoRow::mnemonico, 9},
            },
        .model = {
            .file = [&workspace] { return workspace.SdoPath; },
            .load = [&workspace] { return tableLoad(LoadSdoTable(workspace.SdoPath)); },
            .validate = singleFailure(ValidateSdoTable),
            .save = [&workspace](const std::vector<SdoRow>& rows) -> std::optional<std::string> {
                SaveSdoTable(workspace.SdoPath, rows);
                return std::nullopt;
            },
        },
        .endField = &SdoRow::AddrWord,
    };
}

}  // namespace

TFSdoMB::TFSdoMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent)
    : TableEditor(sdoTable(workspace), workspace, messages, parent), openExcel_(openExcel) {
    // The Modbus side (the address and its two halves) in one tint, the SDO object in another.
    for (auto field : {&SdoRow::AddrWord, &SdoRow::HiWord, &SdoRow::LoWord})
        grid()->setColumnTint(columnOf(field), QColor(255, 255, 204));
    for (auto field : {&SdoRow::ID, &SdoRow::Index, &SdoRow::SubIndex, &SdoRow::nByte, &SdoRow::mnemonico})
        grid()->setColumnTint(columnOf(field), QColor(204, 255, 255));
    grid()->setHeaderTextColour(QColor(0, 0, 128));
    labelWidth_ = grid()->verticalHeader()->width();

    button1 = plainButton("button1", "Export", this);
    bitbtn4 = plainButton("bitbtn4", "Import", this);
    addBarButton(button1);
    addBarButton(bitbtn4);
    connectGuarded(button1, &QPushButton::clicked, messages_, this, &TFSdoMB::Button1Click);
    connectGuarded(bitbtn4, &QPushButton::clicked, messages_, this, &TFSdoMB::BitBtn4Click);

    grid()->installEventFilter(this);
}

// Writes the table as it stands, unchecked; the grid stays as it is.
void TFSdoMB::Button1Click() { ExportSdoTable(workspace_.ProjectDir, rows()); }

// The grid is replaced only by a worksheet that was read; the message says what was imported.
void TFSdoMB::BitBtn4Click() {
    SdoImport imported;
    bool replaced = openExcel_.importInto(this, messages_, [&imported](const std::filesystem::path& workbook) {
        imported = ImportSdoTable(workbook);
        return imported.summary;
    });
    if (!replaced) return;
    clearRows();
    showRows(imported.rows);
}

bool TFSdoMB::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid() && event->type() == QEvent::Resize) FormResize();
    return TableEditor::eventFilter(watched, event);
}

void TFSdoMB::FormResize() {
    // An equal share for every column, never so narrow that its header is cut off.
    int share = grid()->width() / kWidthShares;
    QHeaderView* header = grid()->horizontalHeader();
    for (int column = 0; column + 1 < grid()->columnCount(); ++column)
        header->resizeSection(column, std::max(share, header->sectionSizeHint(column)));
    grid()->verticalHeader()->setFixedWidth(std::max(share, labelWidth_));
}

}  // namespace telvanor
