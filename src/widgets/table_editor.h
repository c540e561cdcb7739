#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QString>
#include <QStringList>

#include "project/load_loss.h"
#include "widgets/table_editor_dialog.h"

namespace telvanor {

// A table editor is a description: its window, its columns and the model behind them. The
// model's rows are structs of texts; each column shows one of their fields.

// One grid column and the field of the row it shows.
template <typename Row>
struct TableColumn {
    TableColumn(QString header, std::string Row::*field, int widthInCharacters = 8,
                StringGrid::ColumnKind kind = StringGrid::ColumnKind::Text, QStringList choices = {})
        : header(std::move(header)),
          field(field),
          widthInCharacters(widthInCharacters),
          kind(kind),
          choices(std::move(choices)) {}

    QString header;
    std::string Row::*field;
    int widthInCharacters;  // initial width; never narrower than the header
    StringGrid::ColumnKind kind;
    QStringList choices;  // PickList only
};

template <typename Row>
struct TableLoad {
    std::vector<Row> rows;
    std::optional<std::string> message;  // how the rows were read, when the user must know
    LoadLoss loss;                       // what the load left out of the file; said after the message
};

// The rows, the message and the loss of a model's load that gives them.
template <typename Load>
auto tableLoad(Load loaded) {
    using Row = typename decltype(loaded.rows)::value_type;
    return TableLoad<Row>{std::move(loaded.rows), std::move(loaded.message), std::move(loaded.loss)};
}

// The model's operations. A fault any of them throws is shown in the error box.
template <typename Row>
struct TableModel {
    // The file that load reads and save writes, as the current project names it.
    std::function<std::filesystem::path()> file;
    std::function<TableLoad<Row>()> load;
    // Every failure, in the order shown; none when the rows may be saved.
    std::function<std::vector<std::string>(const std::vector<Row>&)> validate;
    // Nothing when the rows are saved, or the failure to show.
    std::function<std::optional<std::string>(const std::vector<Row>&)> save;
};

template <typename Row>
struct TableDescription {
    TableWindow window;
    std::vector<TableColumn<Row>> columns;  // grid columns 1, 2, ... in order
    TableModel<Row> model;
    // The field whose empty cell ends the table: the rows below it are not saved.
    std::string Row::*endField = nullptr;
};

// A validation that stops at one failure, as the list a table model gives.
template <typename Row>
std::function<std::vector<std::string>(const std::vector<Row>&)> singleFailure(
    std::optional<std::string> (*validate)(const std::vector<Row>&)) {
    return [validate](const std::vector<Row>& rows) {
        std::vector<std::string> failures;
        if (std::optional<std::string> failure = validate(rows)) failures.push_back(std::move(*failure));
        return failures;
    };
}

// The table editor of one kind of row, as its description says: it turns the model's rows
// into the dialog's cell rows and back through the columns' fields.
template <typename Row>
class TableEditor : public TableEditorDialog {
public:
    TableEditor(TableDescription<Row> description, WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
        : TableEditorDialog(description.window, gridColumns(description.columns), workspace, messages, parent),
          columns_(std::move(description.columns)),
          model_(std::move(description.model)) {
        setEndColumn(columnOf(description.endField));
    }

protected:
    // The grid column, counted from 1, that shows `field`; 0 when none does.
    int columnOf(std::string Row::*field) const {
        for (std::size_t index = 0; index < columns_.size(); ++index)
            if (columns_[index].field == field) return static_cast<int>(index) + 1;
        return 0;
    }
    Row rowAt(int gridRow) const { return toRow(cellRow(gridRow)); }
    // The grid's rows followed by the unseen rows.
    std::vector<Row> rows() const { return toRows(cellRows()); }
    void showRows(const std::vector<Row>& rows) { TableEditorDialog::showRows(toCellRows(rows)); }

private:
    static std::vector<StringGrid::Column> gridColumns(const std::vector<TableColumn<Row>>& columns) {
        std::vector<StringGrid::Column> grid;
        for (const TableColumn<Row>& column : columns)
            grid.push_back({column.header, column.kind, column.choices, column.widthInCharacters});
        return grid;
    }

    std::filesystem::path editedFile() const override { return model_.file(); }
    CellLoad loadCells() override {
        TableLoad<Row> load = model_.load();
        return {toCellRows(load.rows), std::move(load.message), std::move(load.loss)};
    }
    std::vector<std::string> validateCells(const std::vector<CellRow>& rows) override {
        return model_.validate(toRows(rows));
    }
    std::optional<std::string> saveCells(const std::vector<CellRow>& rows) override {
        return model_.save(toRows(rows));
    }

    Row toRow(const CellRow& cells) const {
        Row row;
        for (std::size_t index = 0; index < columns_.size() && index < cells.size(); ++index)
            row.*columns_[index].field = cells[index];
        return row;
    }
    std::vector<Row> toRows(const std::vector<CellRow>& cellRows) const {
        std::vector<Row> rows;
        rows.reserve(cellRows.size());
        for (const CellRow& cells : cellRows) rows.push_back(toRow(cells));
        return rows;
    }
    std::vector<CellRow> toCellRows(const std::vector<Row>& rows) const {
        std::vector<CellRow> cellRows;
        cellRows.reserve(rows.size());
        for (const Row& row : rows) {
            CellRow& cells = cellRows.emplace_back();
            for (const TableColumn<Row>& column : columns_) cells.push_back(row.*column.field);
        }
        return cellRows;
    }

    std::vector<TableColumn<Row>> columns_;
    TableModel<Row> model_;
};

}  // namespace telvanor
