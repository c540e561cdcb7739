#pragma once

#include <optional>
#include <vector>

#include <QColor>
#include <QString>
#include <QStringList>
#include <QTableView>

namespace telvanor {

class StringGridModel;

// A spreadsheet-like grid of texts for the table editors: a header row, a fixed first column
// that labels the rows, and editable cells addressed as a spreadsheet counts them (data rows
// from 1, editable columns from 1; column 0 is the row label).
//
// Keyboard: arrows and Tab / Shift+Tab move between cells; typing over a text cell replaces
// its text (F2 or a double click edits it instead); Enter ends an edit and moves down, and
// outside an edit reaches the dialog's default button; Escape abandons an edit; Delete or
// Backspace empties the selected cells; Ctrl+C, Ctrl+X and Ctrl+V copy, cut and paste cells
// as tab-separated lines (as spreadsheets exchange them), a pasted text that a cell cannot
// take leaving the cell as it was and being told; Ctrl+Tab / Ctrl+Shift+Tab leave the grid.
class StringGrid : public QTableView {
    Q_OBJECT
public:
    enum class ColumnKind {
        // Free text.
        Text,
        // One of the column's choices, no free typing: typing a choice's first letter picks
        // it; F2, Alt+Down or a double click open the list.
        PickList,
        // A centred check box: the text is "Y" when ticked and "N" when not. An empty cell
        // shows an unticked box and stays empty until it is clicked. Space toggles, "Y" and
        // "N" set it.
        CheckBox,
    };

    struct Column {
        QString header;
        ColumnKind kind = ColumnKind::Text;
        QStringList choices;        // PickList only
        int widthInCharacters = 8;  // initial width; never narrower than the header
    };

    inline static const QString kTicked = QStringLiteral("Y");
    inline static const QString kUnticked = QStringLiteral("N");

    explicit StringGrid(QWidget* parent = nullptr);
    ~StringGrid() override;

    // The header of the label column and the editable columns 1, 2, ... in order. Empties
    // every cell. The user can resize each column.
    void setColumns(const QString& labelHeader, const std::vector<Column>& columns);
    // The background of an editable column's cells, with black text; none when invalid.
    void setColumnTint(int column, const QColor& colour);
    // The colour of the column headers' texts; the style's own when invalid.
    void setHeaderTextColour(const QColor& colour);
    // The number of data rows and the label of the first one; the others count up from it.
    void setRows(int count, int firstLabel = 1);

    int rowCount() const;     // data rows: 1 to rowCount()
    int columnCount() const;  // the label column included: 0 to columnCount() - 1
    ColumnKind columnKind(int column) const;

    // A cell's text; column 0 gives the row's label. Outside the grid: an empty text.
    QString cell(int row, int column) const;
    // Sets an editable cell's text; ignored for column 0 and outside the grid.
    void setCell(int row, int column, const QString& text);
    // Empties every editable cell.
    void clearCells();

    // Makes a cell the current one and scrolls to it.
    void setCurrentCell(int row, int column);
    int currentRow() const;
    int currentColumn() const;

    // The width that shows the label column and every column at its set width.
    int naturalWidth() const;

signals:
    // A paste left cells as they were: `refused` says how many, which and why ("2 cells not
    // pasted: row 3, Data Page: "2" is not 0 or 1; ...").
    void cellsNotPasted(const QString& refused);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend class StringGridDelegate;

    void emptySelectedCells();
    void copySelectedCells();
    // Tab-separated lines from the clipboard, from the current cell on; the cells a column
    // refuses, and those beyond the grid, are told.
    void pasteCells();
    // Why the cell does not take the text, or nothing when it took it.
    std::optional<QString> pasteCell(int row, int column, const QString& text);
    void toggleCheckBox(const QModelIndex& index);
    bool pickChoice(const QModelIndex& index, const QString& typed);
    // Ends an edit the way a spreadsheet does: move on to a neighbouring cell.
    void moveAfterEdit(CursorAction action);
    void paintCorner(QWidget* corner);

    StringGridModel* model_;
    QWidget* corner_ = nullptr;  // the button above the row labels
    QString labelHeader_;
    std::vector<Column> columns_;
};

}  // namespace telvanor
