#pragma once

#include <array>
#include <filesystem>
#include <functional>
#include <optional>

#include "overview/register_overview.h"
#include "widgets/project_window.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace telvanor {

class OverviewTableModel;
class RegisterMapWindow;

// "Register Overview": every mapping of both register maps in one table, sortable by any
// column, with a filter, copy, export as CSV or HTML, and the findings marked on their rows
// and counted above the table. Double click or Enter opens the register map window on the
// row's frame with the mapping selected; what that window saves shows at once. Opened from
// a register map window, the overview shows that window's map as it stands, and a row of
// that map selects the mapping in the window.
class RegisterOverviewWindow : public ProjectWindow {
    Q_OBJECT
public:
    // Asks where to write an export; nothing when the user cancels. Replaceable for tests.
    using SaveChooser = std::function<std::optional<std::filesystem::path>(
        QWidget* parent, const QString& caption, const std::filesystem::path& suggested, const QString& filter)>;

    RegisterOverviewWindow(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent = nullptr);

    // The windows that rows open: the receive and the transmit register map.
    void setMapWindows(RegisterMapWindow* receive, RegisterMapWindow* transmit);
    void setSaveChooser(SaveChooser chooser) { chooseSaveFile_ = std::move(chooser); }

    // Shows the overview over the map window `from`, with that window's map as it stands.
    void openFrom(RegisterMapWindow& from);

    const OverviewTableModel& table() const { return *model_; }

protected:
    void FormShow() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Where the current row stands, to find it again after the overview is read anew.
    struct RowAnchor {
        MapKind kind;
        std::optional<std::int32_t> registerValue;
        std::size_t frameNumber;

        bool sameMapping(const OverviewRow& row) const;
        bool sameRegister(const OverviewRow& row) const;
    };

    std::optional<RowAnchor> currentAnchor() const;
    // Reads the overview anew, keeping the sort and the filter; `anchor` (by default the
    // current row) becomes the current row again where it is still shown.
    void reload(std::optional<RowAnchor> anchor = std::nullopt);
    void openRow(int viewRow);
    void openCurrentRow();
    void copyRows();
    void exportTable(bool html);
    void showCounts();
    void buildLayout();
    RegisterMapWindow* mapWindow(MapKind kind) const;

    SaveChooser chooseSaveFile_;
    std::array<RegisterMapWindow*, 2> mapWindows_{};
    // The map window this overview was opened from, while it is open over it, and the
    // mapping that window is to select once the overview has closed.
    RegisterMapWindow* openedFrom_ = nullptr;
    std::optional<MappingRef> selectInOpener_;

    OverviewTableModel* model_;
    QLabel* summary_;
    QLabel* problems_;
    QLineEdit* filter_;
    QLabel* shownCount_;
    QTableView* table_;
    QLabel* status_;
    QPushButton* openButton_;
};

}  // namespace telvanor
