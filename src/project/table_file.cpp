#include "project/table_file.h"

#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/file_lookup.h"

namespace telvanor {

namespace fs = std::filesystem;

std::string tableReadingError(const fs::path& file, std::string_view what) {
    return "Error in reading file " + platform::utf8FromPath(file) + ": " + std::string(what);
}

std::string missingAttributeError(const fs::path& file, std::size_t rowNumber, std::string_view attribute) {
    return tableReadingError(file, "row " + std::to_string(rowNumber) + " has no attribute " + std::string(attribute));
}

std::optional<std::string> tableFileMessage(TableFileOutcome outcome) {
    switch (outcome) {
        case TableFileOutcome::NoFile:
            return std::string(kXmlFileNotFound);
        case TableFileOutcome::Failed:
            return std::string(kXmlFileReadError);
        case TableFileOutcome::Loaded:
            break;
    }
    return std::nullopt;
}

TableFile openTableFile(const fs::path& path, std::string_view root) {
    TableFile table;
    std::optional<fs::path> file = findFileNoCase(path);
    if (!file) return table;
    table.file = *file;
    table.loss.file = platform::utf8FromPath(file->filename());
    table.outcome = TableFileOutcome::Failed;

    std::string content;
    try {
        content = readWholeFile(*file, kMaxXmlFileBytes);
    } catch (const FileError& error) {
        table.failure = error.what();  // names the file and the system's reason
        table.loss.unreadable = table.failure;
        return table;
    }
    auto fail = [&table, &file](const std::string& what) {
        table.failure = tableReadingError(*file, what);
        table.loss.unreadable = what;
    };
    table.document = std::make_unique<XmlDocument>();
    if (std::optional<std::string> parseError = table.document->parse(content)) {
        fail(*parseError);
        return table;
    }
    std::optional<XmlElement> rowsParent =
        root.empty() ? table.document->documentElement() : table.document->topLevelElement(root);
    if (!rowsParent) {
        fail(root.empty() ? "there is no root element" : "there is no top-level " + std::string(root) + " element");
        return table;
    }
    table.rows = rowsParent->children();
    table.loss.fileItems = table.rows.size();
    table.outcome = TableFileOutcome::Loaded;
    return table;
}

}  // namespace telvanor
