#pragma once

#include "dormant/transmit_pdo/transmit_pdo.h"
#include "widgets/table_editor.h"

namespace telvanor {

class MessageBoxes;
struct WorkspaceState;

// "Transmit PDO": the transmit PDO table of the current project (Transmit_Pdo.xml), ten
// grid rows labelled from 0, all in view, between a panel with the title and one with OK and
// Cancel. Every show empties the grid and reads the file afresh; OK shows every failing
// check, one message after another, and writes the file only when none fails. Nothing in the
// program shows this window yet.
class TFTPdoMB : public TableEditor<TransmitPdoRow> {
    Q_OBJECT
public:
    TFTPdoMB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);
};

}  // namespace telvanor
