#pragma once

#include <optional>
#include <vector>

#include "editors/transmit_frames/transmit_frames.h"
#include "widgets/grid_editor_dialog.h"

class QPushButton;

namespace telvanor {

class MessageBoxes;
class PgnCatalogueLine;
struct WorkspaceState;

// "Transmit NMEA2000 Frame": the transmit frame table of the current project (TCobDef.xml),
// one grid row per frame. Every show empties the grid and reads the file afresh; OK
// validates the rows and writes the file whole.
class TFTpdo2MB : public GridEditorDialog {
    Q_OBJECT
public:
    TFTpdo2MB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);

protected:
    void FormShow() override;
    void BitBtn1Click() override;

private:
    void putRow(int gridRow, const TransmitFrameRow& row);
    // The catalogue line under the grid and the button that fills an empty Priority from it.
    QWidget* makeCatalogueBar();
    std::optional<int> cataloguePriorityFor(int gridRow) const;
    void updatePriorityButton();
    void fillPriorityFromCatalogue();
    // The grid's rows followed by the file's rows beyond the grid.
    std::vector<TransmitFrameRow> collectRows() const;

    WorkspaceState& workspace_;
    MessageBoxes& messages_;
    PgnCatalogueLine* catalogueLine_ = nullptr;
    QPushButton* btnCataloguePriority_ = nullptr;
    // Rows of a file longer than the grid, read at the last show: written after the grid's.
    std::vector<TransmitFrameRow> unseenRows_;
};

}  // namespace telvanor
