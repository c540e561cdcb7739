#pragma once

#include <vector>

#include "dormant/sdo/sdo_table.h"
#include "widgets/grid_editor_dialog.h"

class QPushButton;

namespace telvanor {

class MessageBoxes;
class OpenExcelDialog;
struct WorkspaceState;

// "SDO": the SDO access table of the current project (sdo.xml), one grid row per Modbus
// register, rows labelled from 0. Every show empties the grid and reads the file afresh; OK
// checks every row, reports the last failing one, and writes the file whole in Addr Word
// order. Export writes sdo.csv; Import replaces the grid by the worksheet "sdo" of a
// workbook. Nothing in the program shows this window yet.
class TFSdoMB : public GridEditorDialog {
    Q_OBJECT
public:
    TFSdoMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

protected:
    void FormShow() override;
    void BitBtn1Click() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Button1Click();
    void BitBtn4Click();
    void FormResize();

    // Puts the rows into the grid from its first row on; rows beyond it are kept unseen.
    void showRows(const std::vector<SdoRow>& rows);
    void putRow(int gridRow, const SdoRow& row);
    // The grid's rows followed by the unseen rows.
    std::vector<SdoRow> collectRows() const;

    WorkspaceState& workspace_;
    MessageBoxes& messages_;
    OpenExcelDialog& openExcel_;
    QPushButton* button1;
    QPushButton* bitbtn4;
    // Rows of a file or a worksheet longer than the grid: written after the grid's.
    std::vector<SdoRow> unseenRows_;
    int labelWidth_ = 0;
};

}  // namespace telvanor
