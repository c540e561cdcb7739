#pragma once

#include "editors/receive_frames/receive_frames.h"
#include "widgets/table_editor.h"

namespace telvanor {

class MessageBoxes;
struct WorkspaceState;

// "Receive NMEA2000 Frame": the receive frame table of the current project (RCobDef.xml),
// one grid row per frame, with the PGN catalogue's line about the current row under the
// grid. Every show empties the grid and reads the file afresh; OK validates the rows and
// writes the file whole.
class TFpdoMB : public TableEditor<ReceiveFrameRow> {
    Q_OBJECT
public:
    TFpdoMB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);
};

}  // namespace telvanor
