#include "dormant/emcy_translation/emcy_translation_file.h"

#include <unordered_map>

#include "project/digits_only_value.h"
#include "project/file_lookup.h"
#include "project/formats/emcy_word_format.h"
#include "project/integer_text.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

EmcyDefLoad LoadEmcyDef(const fs::path& path) {
    EmcyDefLoad load;
    TableFile table = openTableFile(path);
    load.outcome = table.outcome;
    load.failure = table.failure;
    load.loss = std::move(table.loss);
    load.loss.items = "entries";
    // The row that took each ID text, so that a file of many rows is not compared row by row.
    std::unordered_map<std::string, std::size_t> taken;
    for (std::size_t index = 0; index < table.rows.size(); ++index) {
        const XmlElement& row = table.rows[index];
        std::optional<std::string> id = row.attribute(emcydef_xml::kId_dev);
        if (auto first = id ? taken.find(*id) : taken.end(); first != taken.end()) {
            load.loss.drop(
                index + 1, index + 1,
                "its id_dev " + *id + " is that of row " + std::to_string(first->second) + ", whose entry is shown");
            continue;
        }
        TClEmcy entry;
        std::optional<std::string_view> missing =
            id ? readRowFields(row, kEmcyFields, entry) : std::optional<std::string_view>(emcydef_xml::kId_dev);
        if (missing) {
            load.outcome = TableFileOutcome::Failed;
            load.failure = missingAttributeError(table.file, index + 1, *missing);
            load.loss.stopAt(index + 1, table.rows.size(), "attribute " + std::string(*missing) + " is missing", false);
            return load;
        }
        taken.emplace(entry.id_dev, index + 1);
        load.entries.push_back(std::move(entry));
    }
    return load;
}

void SaveEmcyDef(const fs::path& file, const std::vector<TClEmcy>& entries) {
    // The order is complete before anything is written: an id_dev that is not an integer
    // leaves the old file as it was.
    std::vector<std::size_t> order = EmcyDefSaveOrder(entries);
    XmlDocument document;
    XmlElement root = document.createRoot(emcydef_xml::kRoot);
    for (std::size_t position : order) {
        const TClEmcy& entry = entries[position];
        XmlElement row = root.appendChild(kRowElement);
        writeRowFields(row, kEmcyFields, entry);
        row.setAttribute(kBypassSet, std::to_string(entry.bypass_set));
    }
    document.save(writeTargetNoCase(file));
}

UsedEmcyIds LoadUsedEmcyIds(const fs::path& path) {
    UsedEmcyIds used;
    TableFile table = openTableFile(path);
    if (table.outcome == TableFileOutcome::Failed) used.failure = table.failure;
    for (const XmlElement& row : table.rows) {
        std::optional<std::string> devid = row.attribute(emcyword_xml::kDevid);
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
