#pragma once

#include <vector>

#include <QDialog>

#include "dormant/transmit_pdo/transmit_pdo.h"

class QPushButton;
class QShowEvent;

namespace telvanor {

class MessageBoxes;
class StringGrid;
struct WorkspaceState;

// "Transmit PDO": the transmit PDO table of the current project (Transmit_Pdo.xml), ten
// grid rows labelled from 0. Every show empties the grid and reads the file afresh; OK shows
// every failing check, one message after another, and writes the file only when none fails.
// Nothing in the program shows this window yet.
class TFTPdoMB : public QDialog {
    Q_OBJECT
public:
    TFTPdoMB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);

    StringGrid* grid() const { return sgA; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void BitBtn1Click();

    void putRow(int gridRow, const TransmitPdoRow& row);
    // The grid's rows followed by the file's rows beyond the grid.
    std::vector<TransmitPdoRow> collectRows() const;

    WorkspaceState& workspace_;
    MessageBoxes& messages_;
    StringGrid* sgA;
    QPushButton* bitbtn1;
    QPushButton* LbButton1;
    // Rows of a file longer than the grid, read at the last show: written after the grid's.
    std::vector<TransmitPdoRow> unseenRows_;
};

}  // namespace telvanor
