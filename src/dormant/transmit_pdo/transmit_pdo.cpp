#include "dormant/transmit_pdo/transmit_pdo.h"

#include <array>

#include "project/atomic_file.h"
#include "project/file_lookup.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNotSaved = "Error in the save parameter";

constexpr std::string_view kCobIdRange = ". Cob-id must be between 0x001 and 0x7FF";
constexpr std::string_view kDimensionRange = ". Dimension must be between 1 and 8";
constexpr std::string_view kAddressRange = ". Start Modbus Address must be between 0 and 65535";

}  // namespace

TransmitPdoLoad LoadTransmitPdo(const fs::path& file) {
    return loadDormantTable(file, transmit_pdo_xml::kFields, [](const XmlElement&, TransmitPdoRow&) {});
}

std::size_t TransmitPdoLength(const std::vector<TransmitPdoRow>& rows) {
    return frameTableLength(rows, &TransmitPdoRow::COB_ID);
}

std::vector<std::string> ValidateTransmitPdo(const std::vector<TransmitPdoRow>& rows) {
    std::vector<std::string> failures;
    for (std::size_t index = 0; index < rows.size(); ++index) {
        const TransmitPdoRow& row = rows[index];
        if (!row.Dimension.empty() && !inRange(cellNumber(row.COB_ID), 1, 2047))
            failures.push_back(rowError(index + 1, kCobIdRange));
        if (!row.Dimension.empty() && !inRange(cellNumber(row.Dimension), 1, 8))
            failures.push_back(rowError(index + 1, kDimensionRange));
        if (!row.SMA.empty() && !inRange(cellNumber(row.SMA), 0, 65535))
            failures.push_back(rowError(index + 1, kAddressRange));
    }
    return failures;
}

std::optional<std::string> SaveTransmitPdo(const fs::path& file, const std::vector<TransmitPdoRow>& rows) {
    XmlDocument document;
    XmlElement root = document.createRoot(transmit_pdo_xml::kRoot);
    std::size_t length = TransmitPdoLength(rows);
    for (std::size_t index = 0; index < length; ++index) {
        XmlElement element = root.appendChild(kRowElement);
        writeRowFields(element, transmit_pdo_xml::kFields, rows[index]);
    }
    try {
        document.save(writeTargetNoCase(file));
    } catch (const FileError& error) {
        // The window's own message first, then which file and why (a backup that could not be made).
        return std::string(kNotSaved) + "\n\n" + error.what();
    }
    return std::nullopt;
}

}  // namespace telvanor
