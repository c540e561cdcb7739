#include "project/strings_file.h"

#include "project/file_lookup.h"
#include "project/xml_document.h"

namespace telvanor {

namespace {

constexpr const char* kStringsFileNotFound = "File strings XML not found";
constexpr const char* kStringsFileUnreadable = "Error in reading file XML";

}  // namespace

StringsFileLoad LoadStringsFile(const std::filesystem::path& path) {
    StringsFileLoad load;
    std::optional<std::filesystem::path> file;
    if (!path.empty()) file = findFileNoCase(path);
    if (!file) {
        load.message = kStringsFileNotFound;
        return load;
    }
    XmlDocument document;
    std::optional<XmlElement> root;
    if (!document.load(*file)) root = document.documentElement();
    if (!root) {
        load.outcome = StringsFileLoad::Outcome::Failed;
        load.message = kStringsFileUnreadable;
        return load;
    }
    load.outcome = StringsFileLoad::Outcome::Loaded;
    for (const XmlElement& child : root->children()) {
        // Texts beyond the grid's last row have no place to go.
        if (load.texts.size() == static_cast<std::size_t>(kStringCount)) break;
        load.texts.push_back(child.text().value_or(""));
    }
    return load;
}

std::string selectedStringCaption(int index) { return "Sel str: " + std::to_string(index); }

}  // namespace telvanor
