#include "project/frame_table_file.h"

#include "project/atomic_file.h"
#include "project/file_lookup.h"
#include "project/integer_text.h"

namespace telvanor {

namespace fs = std::filesystem;

std::string frameTableLoadNotice(std::string_view failure) {
    return std::string(failure) +
           "\n\nThe window shows the rows read before the error. OK replaces the file with the rows in the "
           "window; Cancel leaves the file as it is.";
}

std::string rowError(std::size_t rowNumber, std::string_view checkText) {
    return "Error in row " + std::to_string(rowNumber) + std::string(checkText);
}

std::int32_t cellNumber(std::string_view text) { return parseIntegerText(text).value_or(-1); }

bool isBlank(std::string_view text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ') return false;
    return true;
}

namespace frame_table_detail {

namespace {

std::string readingError(const fs::path& file, std::string_view what) {
    return "Error in reading file " + file.string() + ": " + std::string(what);
}

}  // namespace

OpenedTable openTable(const fs::path& path) {
    OpenedTable table;
    std::optional<fs::path> file = findFileNoCase(path);
    if (!file) return table;
    table.file = *file;
    table.outcome = FrameTableOutcome::Failed;

    std::string content;
    try {
        content = readWholeFile(*file, kMaxXmlFileBytes);
    } catch (const FileError& error) {
        table.failure = error.what();  // names the file and the system's reason
        return table;
    }
    table.document = std::make_unique<XmlDocument>();
    if (std::optional<std::string> parseError = table.document->parse(content)) {
        table.failure = readingError(*file, *parseError);
        return table;
    }
    std::optional<XmlElement> root = table.document->topLevelElement(kFrameTableRoot);
    if (!root) {
        table.failure = readingError(*file, "there is no top-level " + std::string(kFrameTableRoot) + " element");
        return table;
    }
    table.rows = root->children();
    table.outcome = FrameTableOutcome::Loaded;
    return table;
}

std::string missingAttribute(const fs::path& file, std::size_t rowNumber, std::string_view attribute) {
    return readingError(file, "row " + std::to_string(rowNumber) + " has no attribute " + std::string(attribute));
}

std::string droppedRows(std::size_t first, std::size_t last, std::string_view endColumn) {
    std::string rows = first == last ? "row " + std::to_string(first)
                                     : "rows " + std::to_string(first) + " to " + std::to_string(last);
    return "row " + std::to_string(first) + " has an empty " + std::string(endColumn) +
           ": the table ends there, so OK would drop " + rows + " of the file";
}

void saveTable(const fs::path& path, const XmlDocument& document) { document.save(writeTargetNoCase(path)); }

}  // namespace frame_table_detail

}  // namespace telvanor
