#include <zip.h>

#include <algorithm>
#include <charconv>
#include <memory>

#include <pugixml.hpp>

#include "project/equal_no_case.h"
#include "project/workbook_limits.h"
#include "workbook/workbook_formats.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// An element's name without its namespace prefix: writers differ in the prefixes they use.
std::string_view localName(const pugi::xml_node& node) {
    std::string_view name = node.name();
    std::size_t colon = name.find(':');
    return colon == std::string_view::npos ? name : name.substr(colon + 1);
}

pugi::xml_node child(const pugi::xml_node& parent, std::string_view name) {
    for (pugi::xml_node node : parent.children())
        if (localName(node) == name) return node;
    return {};
}

// The text of every <t> below `node`, in order, leaving out phonetic runs (<rPh>).
void appendTexts(const pugi::xml_node& node, std::string& text) {
    for (pugi::xml_node part : node.children()) {
        std::string_view name = localName(part);
        if (name == "t")
            text += part.text().get();
        else if (name != "rPh")
            appendTexts(part, text);
    }
}

// The 0-based column of a cell reference ("C7" is 2), or nothing when it has no letters.
std::optional<std::size_t> columnOf(std::string_view reference) {
    std::size_t column = 0;
    std::size_t letters = 0;
    for (char c : reference) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        if (c < 'A' || c > 'Z') break;
        column = column * 26 + static_cast<std::size_t>(c - 'A' + 1);
        if (++letters > 3) return std::nullopt;  // beyond XFD, the widest sheet
    }
    if (letters == 0) return std::nullopt;
    return column - 1;
}

// A folder-relative part name made absolute within the container: "worksheets/sheet1.xml"
// from "xl/" gives "xl/worksheets/sheet1.xml"; "/xl/..." is already absolute; ".." steps up.
std::string resolvePart(std::string_view folder, std::string_view target) {
    std::string path =
        target.starts_with('/') ? std::string(target.substr(1)) : std::string(folder) + std::string(target);
    std::vector<std::string> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos) end = path.size();
        std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::string resolved;
    for (const std::string& part : parts) resolved += (resolved.empty() ? "" : "/") + part;
    return resolved;
}

// "0", "33", "-5": an integer as numberCellText writes it (no sign but minus, no leading zero,
// at most 15 digits).
bool isPlainInteger(std::string_view text) {
    std::string_view digits = text.starts_with('-') ? text.substr(1) : text;
    if (digits.empty() || digits.size() > 15 || (digits[0] == '0' && (digits.size() > 1 || text != digits)))
        return false;
    return std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string folderOf(std::string_view part) {
    std::size_t slash = part.rfind('/');
    return slash == std::string_view::npos ? std::string() : std::string(part.substr(0, slash + 1));
}

class XlsxWorkbook {
public:
    XlsxWorkbook(const fs::path& file, std::string_view bytes) : file_(file) {
        zip_error_t error;
        zip_error_init(&error);
        zip_source_t* source = zip_source_buffer_create(bytes.data(), bytes.size(), 0, &error);
        if (source) {
            archive_.reset(zip_open_from_source(source, ZIP_RDONLY, &error));
            if (!archive_) zip_source_free(source);
        }
        if (!archive_) {
            std::string reason = zip_error_strerror(&error);
            zip_error_fini(&error);
            workbookFails(file_, "it is no readable .xlsx workbook (" + reason + ")");
        }
        zip_error_fini(&error);
        workbookPart_ = officeDocumentPart();
        pugi::xml_document workbook = parsePart(workbookPart_, true);
        pugi::xml_document relations = parsePart(relationsOf(workbookPart_), false);
        std::string folder = folderOf(workbookPart_);
        for (pugi::xml_node relation : child(relations, "Relationships").children()) {
            std::string_view type = relation.attribute("Type").value();
            std::string target = resolvePart(folder, relation.attribute("Target").value());
            if (type.ends_with("/sharedStrings")) sharedStringsPart_ = target;
            targets_.emplace_back(relation.attribute("Id").value(), target);
        }
        if (sharedStringsPart_.empty() && has("xl/sharedStrings.xml")) sharedStringsPart_ = "xl/sharedStrings.xml";
        for (pugi::xml_node sheet : child(child(workbook, "workbook"), "sheets").children()) {
            if (localName(sheet) != "sheet") continue;
            std::string id;
            for (pugi::xml_attribute attribute : sheet.attributes()) {
                std::string_view name = attribute.name();
                if (name == "r:id" || name.ends_with(":id")) id = attribute.value();
            }
            sheets_.push_back({sheet.attribute("name").value(), targetOf(id)});
        }
    }
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    std::vector<std::string> sheetNames() const {
        std::vector<std::string> names;
        for (const SheetPart& sheet : sheets_) names.push_back(sheet.name);
        return names;
    }

    std::optional<Worksheet> sheet(std::string_view name) {
        for (const SheetPart& sheet : sheets_)
            if (equalNoCase(sheet.name, name)) return readSheet(sheet);
        return std::nullopt;
    }

private:
    struct SheetPart {
        std::string name;
        std::string part;
    };

    std::string officeDocumentPart() {
        if (has("_rels/.rels")) {
            pugi::xml_document relations = parsePart("_rels/.rels", true);
            for (pugi::xml_node relation : child(relations, "Relationships").children())
                if (std::string_view(relation.attribute("Type").value()).ends_with("/officeDocument"))
                    return resolvePart("", relation.attribute("Target").value());
        }
        return "xl/workbook.xml";
    }

    static std::string relationsOf(std::string_view part) {
        std::size_t slash = part.rfind('/');
        std::string_view name = slash == std::string_view::npos ? part : part.substr(slash + 1);
        return folderOf(part) + "_rels/" + std::string(name) + ".rels";
    }

    std::string targetOf(const std::string& id) const {
        for (const auto& [relationId, target] : targets_)
            if (relationId == id) return target;
        return {};
    }

    bool has(const std::string& part) const {
        return zip_name_locate(archive_.get(), part.c_str(), ZIP_FL_NOCASE) >= 0;
    }

    std::string unpack(const std::string& part) {
        zip_int64_t index = zip_name_locate(archive_.get(), part.c_str(), ZIP_FL_NOCASE);
        if (index < 0) workbookFails(file_, "its part " + part + " is missing");
        zip_file_t* entry = zip_fopen_index(archive_.get(), static_cast<zip_uint64_t>(index), 0);
        if (!entry)
            workbookFails(file_, "its part " + part + " cannot be unpacked (" + zip_strerror(archive_.get()) + ")");
        std::unique_ptr<zip_file_t, int (*)(zip_file_t*)> open(entry, zip_fclose);
        const std::size_t limit = kMaxUnpackedSheetMegabytes * kMegabyte;
        std::string bytes;
        char buffer[65536];
        for (;;) {
            zip_int64_t got = zip_fread(entry, buffer, sizeof buffer);
            if (got < 0) workbookFails(file_, "its part " + part + " is damaged (" + zip_file_strerror(entry) + ")");
            if (got == 0) break;
            bytes.append(buffer, static_cast<std::size_t>(got));
            if (bytes.size() > limit)
                workbookFails(file_, "its part " + part + " unpacks to more than the reader's limit of " +
                                         std::to_string(kMaxUnpackedSheetMegabytes) + " MB");
        }
        return bytes;
    }

    pugi::xml_document parsePart(const std::string& part, bool needed) {
        pugi::xml_document document;
        if (!needed && !has(part)) return document;
        std::string bytes = unpack(part);
        pugi::xml_parse_result parsed =
            document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata_single);
        if (!parsed) workbookFails(file_, "its part " + part + " is no well-formed XML (" + parsed.description() + ")");
        return document;
    }

    void loadSharedStrings() {
        if (sharedStringsLoaded_ || sharedStringsPart_.empty()) return;
        sharedStringsLoaded_ = true;
        pugi::xml_document strings = parsePart(sharedStringsPart_, false);
        for (pugi::xml_node item : child(strings, "sst").children()) {
            if (localName(item) != "si") continue;
            appendTexts(item, sharedStrings_.emplace_back());
        }
    }

    std::string cellText(const pugi::xml_node& cell) {
        std::string_view type = cell.attribute("t").value();
        if (type == "inlineStr") {
            std::string text;
            appendTexts(child(cell, "is"), text);
            return text;
        }
        std::string value = child(cell, "v").text().get();
        if (type == "s") {
            std::size_t index = 0;
            auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), index);
            if (error != std::errc() || end != value.data() + value.size() || index >= sharedStrings_.size())
                workbookFails(file_, "a cell names shared string " + value + ", which it does not hold");
            return sharedStrings_[index];
        }
        if (type.empty() || type == "n") {
            // Most number cells of a map are integers already written as numberCellText would.
            if (isPlainInteger(value)) return value;
            double number = 0;
            auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (error == std::errc() && end == value.data() + value.size()) return numberCellText(number);
        }
        // Booleans ("1", "0"), formula results ("str"), errors ("#N/A") and ISO dates as written.
        return value;
    }

    Worksheet readSheet(const SheetPart& sheet) {
        if (sheet.part.empty()) workbookFails(file_, "its worksheet " + sheet.name + " names no part");
        loadSharedStrings();
        pugi::xml_document document = parsePart(sheet.part, true);
        SheetBuilder builder(file_, sheet.name);
        std::size_t rowNumber = 0;
        for (pugi::xml_node row : child(child(document, "worksheet"), "sheetData").children()) {
            if (localName(row) != "row") continue;
            std::size_t stated = row.attribute("r").as_ullong();
            rowNumber = stated > 0 ? stated : rowNumber + 1;
            std::size_t column = 0;
            for (pugi::xml_node cell : row.children()) {
                if (localName(cell) != "c") continue;
                if (std::optional<std::size_t> stated = columnOf(cell.attribute("r").value())) column = *stated;
                builder.set(rowNumber, column, cellText(cell));
                ++column;
            }
        }
        return builder.finish();
    }

    const fs::path& file_;
    // Released also when the constructor fails half-way through a damaged file.
    std::unique_ptr<zip_t, void (*)(zip_t*)> archive_{nullptr, zip_discard};
    std::string workbookPart_;
    std::string sharedStringsPart_;
    bool sharedStringsLoaded_ = false;
    std::vector<std::string> sharedStrings_;
    std::vector<std::pair<std::string, std::string>> targets_;
    std::vector<SheetPart> sheets_;
};

}  // namespace

WorkbookContent readXlsxWorkbook(const fs::path& file, std::string_view bytes,
                                 std::optional<std::string_view> sheetName) {
    XlsxWorkbook book(file, bytes);
    WorkbookContent content;
    content.sheetNames = book.sheetNames();
    if (sheetName) content.sheet = book.sheet(*sheetName);
    return content;
}

}  // namespace telvanor
