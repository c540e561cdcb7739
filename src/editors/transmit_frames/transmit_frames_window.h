#pragma once

#include <optional>

#include "editors/transmit_frames/transmit_frames.h"
#include "widgets/table_editor.h"

class QPushButton;

namespace telvanor {

class MessageBoxes;
struct WorkspaceState;

// "Transmit NMEA2000 Frame": the transmit frame table of the current project (TCobDef.xml),
// one grid row per frame, with the PGN catalogue's line about the current row under the
// grid and a button that fills an empty Priority from it. Every show empties the grid and
// reads the file afresh; OK validates the rows and writes the file whole.
class TFTpdo2MB : public TableEditor<TransmitFrameRow> {
    Q_OBJECT
public:
    TFTpdo2MB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);

private:
    // The catalogue line under the grid and the button that fills an empty Priority from it.
    QWidget* makeCatalogueBar();
    std::optional<int> cataloguePriorityFor(int gridRow) const;
    void updatePriorityButton();
    void fillPriorityFromCatalogue();

    QPushButton* btnCataloguePriority_ = nullptr;
};

}  // namespace telvanor
