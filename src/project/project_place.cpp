#include "project/project_place.h"

#include "project/formats/pargen_format.h"
#include "project/formats/receive_frames_format.h"
#include "project/formats/register_map_format.h"
#include "project/formats/transmit_frames_format.h"

namespace telvanor {

namespace {

std::string_view parameterControl(std::string_view element) {
    for (const pargen_xml::ParameterControl& control : pargen_xml::kControls)
        if (control.element == element) return control.control;
    return {};
}

std::string mapCaption(std::string_view attribute) {
    using namespace infocob_xml;
    if (attribute == kNrPdo) return std::string(kFrameListCaption) + " frame";
    if (attribute == kIndex) return std::string(kIndexCaption);
    if (attribute == kPosComp) return std::string(kHighByteCaption) + " and " + std::string(kLowByteCaption);
    if (attribute == kWrite_J1939) return std::string(kWrite_J1939Caption);
    return std::string(attribute);
}

std::string rowWords(std::string_view kind, std::size_t number) {
    return number == 0 ? std::string() : std::string(kind) + " " + std::to_string(number);
}

// The caption, or the attribute's own name where no window names it.
std::string orName(std::string_view caption, const std::string& attribute) {
    return caption.empty() ? attribute : std::string(caption);
}

}  // namespace

WindowPlace windowPlace(const ProjectPlace& place) {
    const std::string& file = place.file;
    const std::string& attribute = place.attribute;
    if (file == kPargenFile) {
        std::string control = orName(parameterControl(attribute), attribute);
        // The serial time-out has a control the window never shows.
        if (attribute == pargen_xml::kTimeOut_Ser) control += " (not shown)";
        return {std::string(kPargenStep), "", attribute.empty() ? "" : control};
    }
    if (file == kRCobDefFile)
        return {std::string(kRCobDefStep), rowWords("row", place.row),
                orName(columnOf(rcobdef_xml::kFields, attribute), attribute)};
    if (file == kTCobDefFile)
        return {std::string(kTCobDefStep), rowWords("row", place.row),
                orName(columnOf(tcobdef_xml::kFields, attribute), attribute)};
    if (file == kRInfoCobFile || file == kTInfoCobFile)
        return {std::string(file == kRInfoCobFile ? kRInfoCobStep : kTInfoCobStep), rowWords("frame", place.frame),
                mapCaption(attribute)};
    return {"", rowWords("row", place.row), attribute};
}

std::string fileWords(const ProjectPlace& place) {
    std::string words = place.file;
    if (place.row != 0) words += " row " + std::to_string(place.row);
    if (!place.attribute.empty()) words += ", " + place.attribute;
    return words;
}

std::string placedMessage(const ProjectPlace& place, std::string_view problem) {
    WindowPlace where = windowPlace(place);
    std::string message;
    for (const std::string* part : {&where.window, &where.row, &where.column}) {
        if (part->empty()) continue;
        if (!message.empty()) message += ", ";
        message += *part;
    }
    if (!message.empty()) message += where.column.empty() ? ": " : " ";
    message += problem;
    if (!place.file.empty()) message += " (" + fileWords(place) + ")";
    return message;
}

}  // namespace telvanor
