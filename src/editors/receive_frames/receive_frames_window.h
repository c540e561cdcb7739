#pragma once

#include <vector>

#include "editors/receive_frames/receive_frames.h"
#include "widgets/grid_editor_dialog.h"

namespace telvanor {

class MessageBoxes;
struct WorkspaceState;

// "Receive NMEA2000 Frame": the receive frame table of the current project (RCobDef.xml),
// one grid row per frame. Every show empties the grid and reads the file afresh; OK
// validates the rows and writes the file whole.
class TFpdoMB : public GridEditorDialog {
    Q_OBJECT
public:
    TFpdoMB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);

protected:
    void FormShow() override;
    void BitBtn1Click() override;

private:
    void putRow(int gridRow, const ReceiveFrameRow& row);
    ReceiveFrameRow rowAt(int gridRow) const;
    // The catalogue's summary of the row's PGN and the row's framing warnings.
    QString catalogueText(int gridRow) const;
    // The grid's rows followed by the file's rows beyond the grid.
    std::vector<ReceiveFrameRow> collectRows() const;

    WorkspaceState& workspace_;
    MessageBoxes& messages_;
    // Rows of a file longer than the grid, read at the last show: written after the grid's.
    std::vector<ReceiveFrameRow> unseenRows_;
};

}  // namespace telvanor
