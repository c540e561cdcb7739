#include "dormant/sdo/sdo_window.h"

#include <algorithm>

#include <QEvent>
#include <QHeaderView>
#include <QPushButton>

#include "dormant/sdo/sdo_exchange.h"
#include "project/workspace.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/open_excel.h"
#include "widgets/qt_text.h"
#include "widgets/string_grid.h"
#include "widgets/wait_cursor.h"

namespace telvanor {

namespace {

constexpr const char* kTitle = "SDO";
constexpr const char* kPageCaption = "CanA-ModBus";
// On every resize each column, the label column included, gets this share of the grid.
constexpr int kWidthShares = 11;

// Grid columns: 0 is the row label, then the row's nine texts.
enum Column { AddrWord = 1, HiWord, LoWord, RW, ID, Index, SubIndex, NByte, Mnemonico };

std::vector<StringGrid::Column> columns() {
    std::vector<StringGrid::Column> all;
    for (const char* header :
         {"Addr Word", "Hi Word", "Lo Word", "R/W", "ID", "Index", "SubIndex", "nByte", "mnemonico"})
        all.push_back({header, StringGrid::ColumnKind::Text, {}, 9});
    return all;
}

// The Modbus side (the address and its two halves) in one tint, the SDO object in another.
void tintColumns(StringGrid& grid) {
    const QColor modbus(255, 255, 204);
    const QColor sdo(204, 255, 255);
    for (int column : {AddrWord, HiWord, LoWord}) grid.setColumnTint(column, modbus);
    for (int column : {ID, Index, SubIndex, NByte, Mnemonico}) grid.setColumnTint(column, sdo);
}

}  // namespace

TFSdoMB::TFSdoMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent)
    : GridEditorDialog(kPageCaption, parent), workspace_(workspace), messages_(messages), openExcel_(openExcel) {
    setObjectName("FSdoMB");
    setWindowTitle(kTitle);
    grid()->setColumns("N", columns());
    tintColumns(*grid());
    grid()->setHeaderTextColour(QColor(0, 0, 128));
    grid()->setRows(static_cast<int>(kSdoGridRows), 0);
    grid()->setAccessibleDescription("SDO access, one row per Modbus register");
    labelWidth_ = grid()->verticalHeader()->width();

    button1 = new QPushButton("Export");
    button1->setObjectName("button1");
    bitbtn4 = new QPushButton("Import");
    bitbtn4->setObjectName("bitbtn4");
    addBarButton(button1);
    addBarButton(bitbtn4);
    connect(button1, &QPushButton::clicked, this, [this] { runGuarded(messages_, [this] { Button1Click(); }); });
    connect(bitbtn4, &QPushButton::clicked, this, [this] { runGuarded(messages_, [this] { BitBtn4Click(); }); });

    grid()->installEventFilter(this);
    fitToGrid(16);
}

void TFSdoMB::FormShow() {
    grid()->clearCells();
    unseenRows_.clear();
    setWindowTitle(kTitle);
    runGuarded(messages_, [&] {
        SdoTableLoad load = LoadSdoTable(workspace_.SdoPath);
        showRows(load.rows);
        if (load.message) messages_.plain(*load.message);
    });
    grid()->setCurrentCell(1, AddrWord);
    okButton()->setFocus();
}

void TFSdoMB::showRows(const std::vector<SdoRow>& rows) {
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (index < kSdoGridRows)
            putRow(static_cast<int>(index) + 1, rows[index]);
        else
            unseenRows_.push_back(rows[index]);
    }
}

void TFSdoMB::putRow(int gridRow, const SdoRow& row) {
    StringGrid& cells = *grid();
    cells.setCell(gridRow, AddrWord, toQt(row.AddrWord));
    cells.setCell(gridRow, HiWord, toQt(row.HiWord));
    cells.setCell(gridRow, LoWord, toQt(row.LoWord));
    cells.setCell(gridRow, RW, toQt(row.RW));
    cells.setCell(gridRow, ID, toQt(row.ID));
    cells.setCell(gridRow, Index, toQt(row.Index));
    cells.setCell(gridRow, SubIndex, toQt(row.SubIndex));
    cells.setCell(gridRow, NByte, toQt(row.nByte));
    cells.setCell(gridRow, Mnemonico, toQt(row.mnemonico));
}

std::vector<SdoRow> TFSdoMB::collectRows() const {
    const StringGrid& cells = *grid();
    std::vector<SdoRow> rows;
    rows.reserve(static_cast<std::size_t>(cells.rowCount()) + unseenRows_.size());
    for (int gridRow = 1; gridRow <= cells.rowCount(); ++gridRow) {
        auto text = [&](int column) { return fromQt(cells.cell(gridRow, column)); };
        rows.push_back({text(AddrWord), text(HiWord), text(LoWord), text(RW), text(ID), text(Index), text(SubIndex),
                        text(NByte), text(Mnemonico)});
    }
    rows.insert(rows.end(), unseenRows_.begin(), unseenRows_.end());
    return rows;
}

void TFSdoMB::BitBtn1Click() {
    runGuarded(messages_, [&] {
        // The table ends at the first empty Addr Word, in the grid or beyond it.
        std::vector<SdoRow> rows = collectRows();
        if (std::optional<std::string> failure = ValidateSdoTable(rows)) {
            messages_.plain(*failure);
            return;
        }
        SaveSdoTable(workspace_.SdoPath, rows);
        accept();
    });
}

// Writes the table as it stands, unchecked; the grid stays as it is.
void TFSdoMB::Button1Click() { ExportSdoTable(workspace_.ProjectDir, collectRows()); }

void TFSdoMB::BitBtn4Click() {
    std::optional<std::filesystem::path> workbook = openExcel_.execute(this);
    if (!workbook) return;
    // The grid is emptied once a workbook is chosen, whatever the workbook then holds.
    grid()->clearCells();
    unseenRows_.clear();
    SdoImport imported;
    {
        WaitCursor busy;
        // Every way the import ends is silent.
        imported = ImportSdoTable(*workbook);
    }
    showRows(imported.rows);
}

bool TFSdoMB::eventFilter(QObject* watched, QEvent* event) {
    if (watched == grid() && event->type() == QEvent::Resize) FormResize();
    return GridEditorDialog::eventFilter(watched, event);
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
