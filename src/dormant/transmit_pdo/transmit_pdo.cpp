#include "dormant/transmit_pdo/transmit_pdo.h"

#include <array>

#include "project/atomic_file.h"
#include "project/file_lookup.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kNoFile = "File XML not found";
constexpr std::string_view kUnreadable = "Error in reading file XML";
constexpr std::string_view kNotSaved = "Error in the save parameter";

constexpr std::string_view kCobIdRange = ". Cob-id must be between 0x001 and 0x7FF";
constexpr std::string_view kDimensionRange = ". Dimension must be between 1 and 8";
constexpr std::string_view kAddressRange = ". Start Modbus Address must be between 0 and 65535";

// The attributes of a row in the order they are read and written.
const std::array<FrameTableField<TransmitPdoRow>, 3> kFields{{
    {"COB-ID", &TransmitPdoRow::COB_ID},
    {"Dimension", &TransmitPdoRow::Dimension},
    {"SMA", &TransmitPdoRow::SMA},
}};

}  // namespace

TransmitPdoLoad LoadTransmitPdo(const fs::path& file) {
    TransmitPdoLoad load;
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
        TransmitPdoRow& row = load.rows.emplace_back();
        for (const FrameTableField<TransmitPdoRow>& field : kFields) {
            std::optional<std::string> value = element.attribute(field.attribute);
            if (!value) return load;
            row.*field.text = std::move(*value);
        }
    }
    load.outcome = FrameTableOutcome::Loaded;
    load.message.reset();
    return load;
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
    XmlElement root = document.createRoot(kTransmitPdoRoot);
    std::size_t length = TransmitPdoLength(rows);
    for (std::size_t index = 0; index < length; ++index) {
        XmlElement element = root.appendChild(kTransmitPdoRowElement);
        for (const FrameTableField<TransmitPdoRow>& field : kFields)
            element.setAttribute(field.attribute, rows[index].*field.text);
    }
    try {
        document.save(writeTargetNoCase(file));
    } catch (const FileError&) {
        return std::string(kNotSaved);
    }
    return std::nullopt;
}

}  // namespace telvanor
