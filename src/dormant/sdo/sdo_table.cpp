#include "dormant/sdo/sdo_table.h"

#include <algorithm>
#include <array>

#include "project/file_lookup.h"
#include "project/integer_text.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

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
    return loadDormantTable(file, sdo_xml::kReadFields, [](const XmlElement& element, SdoRow& row) {
        unpackSdoConf(element.attribute(sdo_xml::kConf), row);
    });
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

std::array<std::string_view, sdo_xml::kAttributes.size()> SdoFileRow::values() const {
    return {conf, row->AddrWord, "0", row->ID, row->Index, row->SubIndex, row->nByte, row->mnemonico};
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
    XmlElement root = document.createRoot(sdo_xml::kRoot);
    for (const SdoFileRow& fileRow : orderedSdoRows(rows)) {
        XmlElement element = root.appendChild(kRowElement);
        auto values = fileRow.values();
        for (std::size_t attribute = 0; attribute < values.size(); ++attribute)
            element.setAttribute(sdo_xml::kAttributes[attribute], values[attribute]);
    }
    document.save(writeTargetNoCase(file));
}

}  // namespace telvanor
