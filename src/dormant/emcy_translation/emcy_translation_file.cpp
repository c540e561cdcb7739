#include "dormant/emcy_translation/emcy_translation_file.h"

#include <unordered_set>

#include "project/atomic_file.h"
#include "project/digits_only_value.h"
#include "project/file_lookup.h"
#include "project/integer_text.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kEmcyDefRoot = "emcydef";

std::string readingError(const fs::path& file, const std::string& what) {
    return "Error in reading file " + file.string() + ": " + what;
}

}  // namespace

std::optional<std::string> loadEmcyDocument(XmlDocument& document, const fs::path& file) {
    std::string content;
    try {
        content = readWholeFile(file, kMaxXmlFileBytes);
    } catch (const FileError& error) {
        return error.what();  // names the file and the system's reason
    }
    if (std::optional<std::string> failure = document.parse(content)) return readingError(file, *failure);
    if (!document.documentElement()) return readingError(file, "there is no root element");
    return std::nullopt;
}

EmcyDefLoad LoadEmcyDef(const fs::path& path) {
    EmcyDefLoad load;
    std::optional<fs::path> file = findFileNoCase(path);
    if (!file) return load;
    load.outcome = EmcyFileOutcome::Failed;
    XmlDocument document;
    if (std::optional<std::string> failure = loadEmcyDocument(document, *file)) {
        load.failure = *failure;
        return load;
    }
    std::vector<XmlElement> rows = document.documentElement()->children();
    // The ID texts taken so far, so that a file of many rows is not compared row by row.
    std::unordered_set<std::string> taken;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        auto missing = [&](std::string_view attribute) {
            load.failure =
                readingError(*file, "row " + std::to_string(index + 1) + " has no attribute " + std::string(attribute));
        };
        std::optional<std::string> id = rows[index].attribute("id_dev");
        if (!id) {
            missing("id_dev");
            return load;
        }
        if (taken.contains(*id)) continue;
        TClEmcy entry;
        for (const EmcyField& field : kEmcyFields) {
            std::optional<std::string> value = rows[index].attribute(field.name);
            if (!value) {
                missing(field.name);
                return load;
            }
            entry.*field.text = std::move(*value);
        }
        taken.insert(entry.id_dev);
        load.entries.push_back(std::move(entry));
    }
    load.outcome = EmcyFileOutcome::Loaded;
    return load;
}

void SaveEmcyDef(const fs::path& file, const std::vector<TClEmcy>& entries) {
    // The order is complete before anything is written: an id_dev that is not an integer
    // leaves the old file as it was.
    std::vector<std::size_t> order = EmcyDefSaveOrder(entries);
    XmlDocument document;
    XmlElement root = document.createRoot(kEmcyDefRoot);
    for (std::size_t position : order) {
        const TClEmcy& entry = entries[position];
        XmlElement row = root.appendChild("row");
        for (const EmcyField& field : kEmcyFields) row.setAttribute(field.name, entry.*field.text);
        row.setAttribute(kBypassSet, std::to_string(entry.bypass_set));
    }
    document.save(writeTargetNoCase(file));
}

UsedEmcyIds LoadUsedEmcyIds(const fs::path& path) {
    UsedEmcyIds used;
    std::optional<fs::path> file = findFileNoCase(path);
    if (!file) return used;
    XmlDocument document;
    if ((used.failure = loadEmcyDocument(document, *file))) return used;
    for (const XmlElement& row : document.documentElement()->children()) {
        std::optional<std::string> devid = row.attribute("devid");
        if (!devid || devid->empty()) continue;
        try {
            used.ids.insert(DigitsOnlyValue(*devid));
        } catch (const ConversionError& error) {
            used.failure = error.what();
            return used;
        }
    }
    return used;
}

std::optional<std::string> CheckEmcyDelete(const TClEmcy& entry, const UsedEmcyIds& used) {
    if (used.ids.contains(DigitsOnlyValue(entry.id_dev))) return "Error ! ID Emcy assigned to Emcy Word";
    return std::nullopt;
}

}  // namespace telvanor
