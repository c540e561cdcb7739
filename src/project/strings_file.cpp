#include "project/strings_file.h"

#include "project/table_file.h"

namespace telvanor {

namespace {

constexpr const char* kStringsFileNotFound = "File strings XML not found";

}  // namespace

StringsFileLoad LoadStringsFile(const std::filesystem::path& path) {
    StringsFileLoad load;
    TableFile table;
    if (!path.empty()) table = openTableFile(path);
    load.outcome = table.outcome;
    if (table.outcome == TableFileOutcome::NoFile) load.message = kStringsFileNotFound;
    if (table.outcome == TableFileOutcome::Failed) load.message = std::string(kXmlFileReadError);
    for (const XmlElement& child : table.rows) {
        // Texts beyond the grid's last row have no place to go.
        if (load.texts.size() == static_cast<std::size_t>(kStringCount)) break;
        load.texts.push_back(child.text().value_or(""));
    }
    return load;
}

std::string selectedStringCaption(int index) { return "Sel str: " + std::to_string(index); }

}  // namespace telvanor
