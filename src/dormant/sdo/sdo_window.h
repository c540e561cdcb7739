#pragma once

#include "dormant/sdo/sdo_table.h"
#include "widgets/table_editor.h"

class QPushButton;

namespace telvanor {

class MessageBoxes;
class OpenExcelDialog;
struct WorkspaceState;

// "SDO": the SDO access table of the current project (sdo.xml), one grid row per Modbus
// register, rows labelled from 0. Every show empties the grid and reads the file afresh; OK
// checks every row, reports the last failing one, and writes the file whole in Addr Word
// order. Export writes sdo.csv; Import replaces the grid by the worksheet "sdo" of a
// workbook. Every resize shares the width equally among the columns. Nothing in the program
// shows this window yet.
class TFSdoMB : public TableEditor<SdoRow> {
    Q_OBJECT
public:
    TFSdoMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Button1Click();
    void BitBtn4Click();
    void FormResize();

    OpenExcelDialog& openExcel_;
    QPushButton* button1;
    QPushButton* bitbtn4;
    int labelWidth_ = 0;
};

}  // namespace telvanor
