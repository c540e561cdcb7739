#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/formats/row_field.h"
#include "project/load_loss.h"
#include "project/xml_document.h"

namespace telvanor {

// The table files of a project: an XML document whose root element holds one child element
// per row, each row's texts in its attributes.

enum class TableFileOutcome { NoFile, Loaded, Failed };

// What the dormant editors and the string selection window show when their file is absent,
// and when it cannot be read whole.
inline constexpr std::string_view kXmlFileNotFound = "File XML not found";
inline constexpr std::string_view kXmlFileReadError = "Error in reading file XML";

// A table file's rows, or why they cannot be read.
struct TableFile {
    TableFileOutcome outcome = TableFileOutcome::NoFile;
    std::filesystem::path file;             // the file found, in whatever letter case
    std::unique_ptr<XmlDocument> document;  // the rows point into it
    std::vector<XmlElement> rows;
    std::string failure;  // only when the outcome is Failed; names the file
    LoadLoss loss;        // what the reading of the rows left out
    // When a row without a required attribute stopped the reading: its number, from 1, and
    // the attribute.
    std::size_t failedRow = 0;
    std::string failedAttribute;
};

// Opens the table file at `path`, found in any letter case. The rows are the children of the
// top-level element named `root`, or of the root element whatever its name when `root` is
// empty. A file that cannot be read, does not parse or has no such element fails.
TableFile openTableFile(const std::filesystem::path& path, std::string_view root = {});

// "Error in reading file " + the file + ": " + what is wrong with it.
std::string tableReadingError(const std::filesystem::path& file, std::string_view what);

// The reading error of a row that lacks a required attribute: "... row 3 has no attribute NByte".
std::string missingAttributeError(const std::filesystem::path& file, std::size_t rowNumber, std::string_view attribute);

// Reads the attributes of `fields` from `element` into `row`, in order. Gives the name of the
// first required attribute that is absent, the fields before it read, or nothing.
template <typename Row, std::size_t N>
std::optional<std::string_view> readRowFields(const XmlElement& element, const std::array<RowField<Row>, N>& fields,
                                              Row& row) {
    for (const RowField<Row>& field : fields) {
        if (std::optional<std::string> value = element.attribute(field.name))
            row.*field.text = std::move(*value);
        else if (field.required)
            return field.name;
    }
    return std::nullopt;
}

// Reads every row of an opened table into `rows`: first `readFirst(element, row)`, for what the
// fields do not describe, then the fields. A row that lacks a required attribute ends the
// reading there, kept with the cells read up to it; the table then fails with the row and the
// attribute named.
template <typename Row, std::size_t N, typename ReadFirst>
void readTableRows(TableFile& table, const std::array<RowField<Row>, N>& fields, std::vector<Row>& rows,
                   ReadFirst readFirst) {
    rows.reserve(table.rows.size());
    for (std::size_t index = 0; index < table.rows.size(); ++index) {
        Row& row = rows.emplace_back();
        readFirst(table.rows[index], row);
        if (std::optional<std::string_view> missing = readRowFields(table.rows[index], fields, row)) {
            table.outcome = TableFileOutcome::Failed;
            table.failure = missingAttributeError(table.file, index + 1, *missing);
            table.loss.stopAt(index + 1, table.rows.size(), "attribute " + std::string(*missing) + " is missing", true);
            table.failedRow = index + 1;
            table.failedAttribute = std::string(*missing);
            return;
        }
    }
}

template <typename Row, std::size_t N>
void readTableRows(TableFile& table, const std::array<RowField<Row>, N>& fields, std::vector<Row>& rows) {
    readTableRows(table, fields, rows, [](const XmlElement&, Row&) {});
}

// What the dormant editors show after a load: kXmlFileNotFound, kXmlFileReadError, or
// nothing once the file is read whole.
std::optional<std::string> tableFileMessage(TableFileOutcome outcome);

// What loading a table of a dormant editor gives: the rows read (after a failure the failing
// row last, with the cells read up to it), and the message the window shows when there is no
// file or it cannot be read whole.
template <typename Row>
struct DormantTableLoad {
    TableFileOutcome outcome = TableFileOutcome::NoFile;
    std::vector<Row> rows;
    std::optional<std::string> message;
    LoadLoss loss;
};

// Reads a dormant editor's table file (found in any letter case) as readTableRows does.
template <typename Row, std::size_t N, typename ReadFirst>
DormantTableLoad<Row> loadDormantTable(const std::filesystem::path& path, const std::array<RowField<Row>, N>& fields,
                                       ReadFirst readFirst) {
    DormantTableLoad<Row> load;
    TableFile table = openTableFile(path);
    readTableRows(table, fields, load.rows, readFirst);
    load.outcome = table.outcome;
    load.message = tableFileMessage(table.outcome);
    load.loss = std::move(table.loss);
    return load;
}

// Sets the attributes of `fields` on `element` from `row`, in order.
template <typename Row, std::size_t N>
void writeRowFields(XmlElement& element, const std::array<RowField<Row>, N>& fields, const Row& row) {
    for (const RowField<Row>& field : fields) element.setAttribute(field.name, row.*field.text);
}

}  // namespace telvanor
