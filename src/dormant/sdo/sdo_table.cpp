#include "dormant/sdo/sdo_table.h"

#include <algorithm>
#include <array>

#include "project/file_lookup.h"
#include "project/integer_text.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNoFile = "File XML not found";
constexpr std::string_view kUnreadable = "Error in reading file XML";

// One column's check on OK and the text its message starts with; the row number follows.
struct SdoCheck {
    std::string SdoRow::*text;
    bool (*passes)(std::int32_t value);
    std::string_view message;
};

template <std::int32_t Low, std::int32_t High>
bool within(std::int32_t value) {
    return inRange(value, Low, High);
}

bool isByteCount(std::int32_t value) { return value == 1 || value == 2 || value == 4; }

const std::array<SdoCheck, 8> kChecks{{
    {&SdoRow::AddrWord, within<1, 65535>, "Value of range [1..65535](hex 0x0001..0xFFFF ) column Addr Word row "},
    {&SdoRow::HiWord, within<0, 4>, "Value of range [0..4] column Hi Word row "},
    {&SdoRow::LoWord, within<0, 4>, "Value of range [0..4] column Lo Word row "},
    {&SdoRow::RW, within<0, 1>, "Value of range [0,1] column R/W row "},
    {&SdoRow::ID, within<1, 127>, "Value of range [1..127] column ID row "},
    {&SdoRow::Index, within<8192, 65535>, "Value of range [8192..65535](hex 0x2000..0xFFFF ) column Index row "},
    {&SdoRow::SubIndex, within<0, 255>, "Value of range [0..255] column SubIndex row "},
    {&SdoRow::nByte, isByteCount, "Value of range [1,2,4] column nByte row "},
}};

// The row's first failing check, reading the cells in column order up to it.
std::optional<std::string_view> checkRow(const SdoRow& row) {
    for (const SdoCheck& check : kChecks)
        if (!check.passes(integerText(row.*check.text))) return check.message;
    return std::nullopt;
}

// The attributes read into a row after conf, in the order they are read.
struct SdoAttribute {
    std::string_view name;
    std::string SdoRow::*text;
    bool required;
};

const std::array<SdoAttribute, 6> kReadAttributes{{
    {"IndexA", &SdoRow::AddrWord, true},
    {"devIDB", &SdoRow::ID, true},
    {"IndexB", &SdoRow::Index, true},
    {"SubindexB", &SdoRow::SubIndex, true},
    {"nbyteB", &SdoRow::nByte, true},
    {"mnemonico", &SdoRow::mnemonico, false},
}};

std::uint16_t addressKey(const std::string& addrWord) {
    return static_cast<std::uint16_t>(parseIntegerText(addrWord).value_or(0));
}

}  // namespace

std::string packSdoConf(const SdoRow& row) {
    std::int64_t conf =
        std::int64_t{integerText(row.HiWord)} * 32 + std::int64_t{integerText(row.RW)} * 16 + integerText(row.LoWord);
    return std::to_string(static_cast<std::uint16_t>(conf));
}

void unpackSdoConf(std::int32_t conf, SdoRow& row) {
    row.HiWord = std::to_string((conf >> 5) & 0x7FF);
    row.RW = std::to_string((conf >> 4) & 1);
    row.LoWord = std::to_string(conf & 7);
}

void unpackSdoConf(const std::optional<std::string>& confText, SdoRow& row) {
    std::optional<std::int32_t> conf = confText ? parseIntegerText(*confText) : std::nullopt;
    unpackSdoConf(conf.value_or(0), row);
}

SdoTableLoad LoadSdoTable(const fs::path& file) {
    SdoTableLoad load;
    std::optional<fs::path> found = findFileNoCase(file);
    if (!found) {
        load.message = std::string(kNoFile);
        return load;
    }
    load.outcome = FrameTableOutcome::Failed;
    load.message = std::string(kUnreadable);
    XmlDocument document;
    if (document.load(*found)) return load;
    std::optional<XmlElement> root = document.documentElement();
    if (!root) return load;
    for (const XmlElement& element : root->children()) {
        SdoRow& row = load.rows.emplace_back();
        unpackSdoConf(element.attribute("conf"), row);
        for (const SdoAttribute& attribute : kReadAttributes) {
            std::optional<std::string> value = element.attribute(attribute.name);
            if (value)
                row.*attribute.text = std::move(*value);
            else if (attribute.required)
                return load;
        }
    }
    load.outcome = FrameTableOutcome::Loaded;
    load.message.reset();
    return load;
}

std::size_t SdoTableLength(const std::vector<SdoRow>& rows) { return frameTableLength(rows, &SdoRow::AddrWord); }

std::optional<std::string> ValidateSdoTable(const std::vector<SdoRow>& rows) {
    std::optional<std::string> lastFailure;
    std::size_t length = SdoTableLength(rows);
    for (std::size_t index = 0; index < length; ++index)
        if (std::optional<std::string_view> failure = checkRow(rows[index]))
            lastFailure = std::string(*failure) + std::to_string(index + 1);
    return lastFailure;
}

std::vector<SdoFileRow> orderedSdoRows(const std::vector<SdoRow>& rows) {
    std::vector<SdoFileRow> ordered;
    std::size_t length = SdoTableLength(rows);
    ordered.reserve(length);
    for (std::size_t index = 0; index < length; ++index) ordered.push_back({packSdoConf(rows[index]), &rows[index]});
    std::stable_sort(ordered.begin(), ordered.end(), [](const SdoFileRow& a, const SdoFileRow& b) {
        return addressKey(a.row->AddrWord) < addressKey(b.row->AddrWord);
    });
    return ordered;
}

void SaveSdoTable(const fs::path& file, const std::vector<SdoRow>& rows) {
    XmlDocument document;
    XmlElement root = document.createRoot(kSdoRoot);
    for (const SdoFileRow& fileRow : orderedSdoRows(rows)) {
        const SdoRow& row = *fileRow.row;
        XmlElement element = root.appendChild(kSdoRowElement);
        element.setAttribute("conf", fileRow.conf);
        element.setAttribute("IndexA", row.AddrWord);
        element.setAttribute("SubindexA", "0");
        element.setAttribute("devIDB", row.ID);
        element.setAttribute("IndexB", row.Index);
        element.setAttribute("SubindexB", row.SubIndex);
        element.setAttribute("nbyteB", row.nByte);
        element.setAttribute("mnemonico", row.mnemonico);
    }
    document.save(writeTargetNoCase(file));
}

}  // namespace telvanor
