#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include <QString>

#include "project/load_loss.h"
#include "widgets/project_window.h"
#include "widgets/string_grid.h"

class QBoxLayout;
class QHBoxLayout;
class QPushButton;

namespace telvanor {

// How a table editor frames its grid.
enum class TableFrame {
    // The grid `sgA` on a single tab page (`pages`, `page`) under the page caption, with
    // `bitbtn1` "OK" and `bitbtn2` "Cancel" below it. The window can be maximised and the grid
    // follows its size.
    TabPage,
    // The title in bold in a panel above the grid (`Panel1`, `Label1`), and `bitbtn1` "OK" and
    // `LbButton1` "Cancel" in a panel below it (`Panel2`).
    TitlePanels,
};

// Which box shows the load's message and the validation's failures; a failed save always
// shows in the error box.
enum class TableNoticeBox { Error, Plain };

// A table editor's window: everything of it but its columns and its model.
struct TableWindow {
    const char* objectName = "";
    QString title = {};
    TableFrame frame = TableFrame::TabPage;
    QString pageCaption = {};      // TabPage only
    QString gridName = {};         // the grid's accessible name: what it holds
    QString gridDescription = {};  // the grid's accessible description
    std::size_t gridRows = 0;
    int firstLabel = 1;  // the label of the grid's first row; the others count up from it
    // How many rows the window shows without scrolling, when the screen has room for them.
    int visibleRows = 16;
    TableNoticeBox noticeBox = TableNoticeBox::Error;
};

// The one window of every table editor: a StringGrid of a fixed number of rows, filled from
// the model at each show and written back by OK, with OK the default button and Cancel
// (Escape) abandoning the edits. It works on rows of cell texts in column order; the typed
// TableEditor turns them into the model's rows.
//
// Each real show runs FormShow: it empties the grid, loads the rows, puts them into the grid
// and keeps those beyond its last row unseen, then shows the load's message, what the load
// left out of the file and which rows are unseen. OK runs BitBtn1Click: the grid's rows
// followed by the unseen ones are validated, every failure is shown in turn and, when there
// is none, saved once the edit guard agrees (rows below the table's end, rows the load left
// out, a file changed on disk); the window closes only once they are saved. A failure of an
// unseen row lets the user keep or drop the unseen rows. Cancel, Escape and the close box ask
// before they drop changes; a paste says which cells it refused.
class TableEditorDialog : public ProjectWindow {
    Q_OBJECT
public:
    // A row's texts, one per column, in column order.
    using CellRow = std::vector<std::string>;
    struct CellLoad {
        std::vector<CellRow> rows;
        std::optional<std::string> message;  // shown once the rows are in the grid
        LoadLoss loss;                       // what the load left out, said after the message
    };

    StringGrid* grid() const { return sgA_; }

protected:
    TableEditorDialog(const TableWindow& window, const std::vector<StringGrid::Column>& columns,
                      WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent);

    // The model's side. A fault thrown by any of them is shown in the error box.
    virtual std::filesystem::path editedFile() const = 0;
    virtual CellLoad loadCells() = 0;
    // Every failure in the order it is shown; none when the rows may be saved.
    virtual std::vector<std::string> validateCells(const std::vector<CellRow>& rows) = 0;
    // Nothing when the rows are saved, or the failure to show.
    virtual std::optional<std::string> saveCells(const std::vector<CellRow>& rows) = 0;

    CellRow cellRow(int gridRow) const;
    // The grid's rows followed by the unseen rows.
    std::vector<CellRow> cellRows() const;
    // Empties the grid and forgets the unseen rows.
    void clearRows();
    // Replaces the rows: the first fill the grid from its first row on, the others are kept
    // unseen, to be written after the grid's.
    void showRows(const std::vector<CellRow>& rows);

    QPushButton* okButton() const { return bitbtn1_; }
    // Puts a button at the left end of the bottom bar, after those put there before; Tab
    // reaches it after them and before OK. The button does not take Enter from OK.
    void addBarButton(QPushButton* button);
    // Puts `widget` under the grid, after the grid in the tab order. Call it before
    // addBarButton.
    void addBelowGrid(QWidget* widget);

    // The column, counted from 1, whose empty cell ends the table; 0 for none.
    void setEndColumn(int column) { endColumn_ = column; }

    void FormShow() override;
    bool hasChanges() const override;

private:
    void BitBtn1Click();
    // Shows each failure; whether there was none.
    bool passes(const std::vector<std::string>& failures);
    // The failures of the unseen rows, with the question whether to keep or drop them;
    // whether they were dropped.
    bool dropUnseenRows(const std::vector<std::string>& failures);
    // What OK would not save of rows below the table's end that hold texts.
    std::optional<std::string> rowsBelowTheEnd(const std::vector<CellRow>& rows) const;
    std::string rowLabel(std::size_t index) const;

    // Builds the frame around the grid and gives the layout the grid goes into.
    QBoxLayout* buildTabPage(const QString& caption);
    QBoxLayout* buildTitlePanels();
    // Makes `stop` the last stop before OK, after those appended before it.
    void appendTabStop(QWidget* stop);
    // The window's size shows every column and the visible rows, within the screen.
    void fitToGrid();
    void notify(const std::string& text);

    QString title_;
    int visibleRows_;
    TableNoticeBox noticeBox_;
    StringGrid* sgA_;
    QBoxLayout* gridLayout_ = nullptr;  // the layout the grid and the widgets below it are in
    QPushButton* bitbtn1_ = nullptr;
    QPushButton* cancel_ = nullptr;
    QHBoxLayout* buttons_ = nullptr;
    QWidget* lastBeforeOk_;  // the last stop in the tab order before OK
    int barButtons_ = 0;
    // Rows of a file or a worksheet longer than the grid: written after the grid's.
    std::vector<CellRow> unseenRows_;
    int firstLabel_;
    int endColumn_ = 0;
    // The rows as shown, to tell whether the user changed them.
    std::vector<CellRow> shownRows_;
};

}  // namespace telvanor
