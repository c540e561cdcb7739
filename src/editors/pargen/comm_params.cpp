#include "editors/pargen/comm_params.h"

#include <array>
#include <cstdint>
#include <string_view>

#include "platform/path_text.h"
#include "project/file_lookup.h"
#include "project/formats/pargen_format.h"
#include "project/integer_text.h"
#include "project/parameter_lists.h"
#include "project/xml_document.h"

namespace telvanor {

namespace fs = std::filesystem;
using namespace pargen_xml;

namespace {

// Reads the elements of one GeneralParameter element, each by itself: whatever is wrong
// with one element costs only that element, which takes its fallback, and is noted.
class ElementReader {
public:
    ElementReader(std::optional<XmlElement> root, std::vector<std::string>& notes) : root_(root), notes_(notes) {}

    // The element's text, or nothing (noted) when the element is missing or holds no text.
    std::optional<std::string> text(std::string_view name, std::string_view fallback) {
        if (!root_) return std::nullopt;
        std::optional<XmlElement> element = root_->child(name);
        if (!element) {
            note(name, "is missing", fallback);
            return std::nullopt;
        }
        std::optional<std::string> content = element->text();
        if (!content) note(name, "is empty", fallback);
        return content;
    }

    std::optional<std::int32_t> integer(std::string_view name, std::string_view fallback) {
        std::optional<std::string> content = text(name, fallback);
        if (!content) return std::nullopt;
        std::optional<std::int32_t> number = parseIntegerText(*content);
        if (!number) note(name, "'" + *content + "' is not a valid integer value", fallback);
        return number;
    }

    void readText(std::string_view name, std::string& field, std::string_view fallback) {
        field = text(name, "\"" + std::string(fallback) + "\"").value_or(std::string(fallback));
    }

    // A position in a fixed list; one outside the list selects no entry (-1).
    template <std::size_t N>
    void readPosition(std::string_view name, int& field, const std::array<std::string_view, N>& list, int fallback,
                      std::string_view unit = "") {
        std::string shown = std::string(list[fallback]) + std::string(unit);
        std::optional<std::int32_t> position = integer(name, shown);
        if (!position) {
            field = fallback;
        } else if (*position >= 0 && static_cast<std::size_t>(*position) < N) {
            field = *position;
        } else {
            field = -1;
            notes_.push_back(std::string(name) + " " + std::to_string(*position) +
                             " selects no entry of the list; OK saves -1");
        }
    }

    // A flag that is on exactly when its text is "1".
    void readFlag(std::string_view name, bool& field, bool fallback, std::string_view on, std::string_view off) {
        std::optional<std::string> content = text(name, fallback ? on : off);
        if (!content) {
            field = fallback;
            return;
        }
        field = *content == "1";
        if (*content != "1" && *content != "0")
            notes_.push_back(std::string(name) + " '" + *content + "' is not 1, so the editor shows " +
                             std::string(off));
    }

    // CAN 2.0B is shown whatever the file says; reading the element only decides whether the
    // choice is enabled.
    bool readCanType() {
        std::optional<std::int32_t> type = integer(kCANType, "CAN 2.0B");
        if (type && *type != 1)
            notes_.push_back(std::string(kCANType) + " " + std::to_string(*type) + " is shown as CAN 2.0B; OK saves 1");
        return type.has_value();
    }

private:
    void note(std::string_view name, const std::string& what, std::string_view fallback) {
        notes_.push_back(std::string(name) + " " + what + "; the editor shows " + std::string(fallback));
    }

    std::optional<XmlElement> root_;
    std::vector<std::string>& notes_;
};

bool isParameterElement(std::string_view name) {
    for (std::string_view element : kElements)
        if (element == name) return true;
    return false;
}

const char* flagText(bool on) { return on ? "1" : "0"; }

// Each number is the text's integer value, a text that is not an integer counting as -1.
std::int32_t numberOrMinusOne(const std::string& text) { return parseIntegerText(text).value_or(-1); }

bool outside(std::int32_t value, std::int32_t low, std::int32_t high) { return value < low || value > high; }

}  // namespace

CommParamsLoad LoadCommParams(const fs::path& file, const CommParams& shown) {
    CommParamsLoad load;
    std::optional<fs::path> found = findFileNoCase(file);
    if (!found) {
        load.outcome = CommParamsOutcome::NoFile;
        load.params.TimeOut_Ser = shown.TimeOut_Ser;
        return load;
    }
    load.loss.file = platform::utf8FromPath(found->filename());
    load.loss.items = "elements";
    load.loss.unit = "element";
    XmlDocument document;
    if (std::optional<std::string> failure = document.load(*found)) {
        load.outcome = CommParamsOutcome::Unreadable;
        load.failure = *failure;
        load.loss.unreadable = *failure;
        load.params = shown;
        // The editor selects CAN 2.0A before it reads the file and leaves it so.
        load.params.CANType = false;
        return load;
    }
    load.outcome = CommParamsOutcome::Loaded;
    std::optional<XmlElement> root = document.topLevelElement(kRoot);
    if (!root) {
        load.notes.push_back("no " + std::string(kRoot) + " element; the editor shows the fallback of every value");
        // Whatever the file holds instead, OK replaces it by the values shown.
        if (document.documentElement()) load.loss.unreadable = "there is no " + std::string(kRoot) + " element";
    } else {
        std::vector<XmlElement> elements = root->children();
        load.loss.fileItems = elements.size();
        for (std::size_t index = 0; index < elements.size(); ++index) {
            if (isParameterElement(elements[index].name())) continue;
            load.notes.push_back(elements[index].name() + " is not a communication parameter; OK drops it");
            load.loss.drop(index + 1, index + 1, elements[index].name() + " is not a communication parameter");
        }
    }

    ElementReader read(root, load.notes);
    CommParams& p = load.params;
    read.readPosition(kBaudRateCAN, p.BaudRateCAN, kCanBitRates, 0, " kbit/s");
    p.CANType = true;
    load.canTypeEnabled = read.readCanType();
    read.readPosition(kBaud_Ser, p.Baud_Ser, kSerialBaudRates, 3);
    read.readPosition(kPar_Ser, p.Par_Ser, kParities, 0);
    read.readText(kIDDev_Ser, p.IDDev_Ser, "1");
    read.readText(kTimeOut_Ser, p.TimeOut_Ser, "1000");
    read.readText(kTimeOut_Data, p.TimeOut_Data, "0");
    read.readText(kTO_ModReg, p.TO_ModReg, "1");
    read.readFlag(kPeer_to_Peer, p.Peer_to_Peer, false, "ticked", "clear");
    read.readFlag(kSerial, p.Serial, true, "RS485", "RS232");
    read.readFlag(kWrite_J1939, p.Write_J1939, false, "ticked", "clear");
    read.readFlag(kEn_Rem_Req, p.En_Rem_Req, false, "ticked", "clear");
    read.readText(kPri_Des, p.Pri_Des, "0");
    read.readText(kPGN1, p.PGN1, "0");
    read.readText(kPGN2, p.PGN2, "0");
    read.readText(kSA, p.SA, "0");
    read.readFlag(kSend_Every, p.Send_Every, false, "ticked", "clear");
    read.readText(kSE_ms, p.SE_ms, "1000");
    read.readFlag(kHW_Type, p.HW_Type, false, "RM40915-B2", "RM40915-A1");
    return load;
}

std::optional<CommParamsRefusal> CommParamsRefusalOf(const CommParams& params) {
    auto refuse = [](std::string_view element, const char* message) {
        return std::optional<CommParamsRefusal>(CommParamsRefusal{element, message});
    };
    if (outside(numberOrMinusOne(params.TimeOut_Data), 0, 255))
        return refuse(kTimeOut_Data, "Error! The Time Out Data must to be between 0 and 255 seconds");
    std::int32_t MR = numberOrMinusOne(params.TO_ModReg);
    if (outside(MR, 1, 65535)) return refuse(kTO_ModReg, "Error! The Modbus Register must to be between 1 and 65535");

    if (params.En_Rem_Req) {
        std::int32_t PD = numberOrMinusOne(params.Pri_Des);
        if (outside(PD, 1, 65535))
            return refuse(kPri_Des,
                          "Error! The Modbus Register for Priority and Destination must to be between 1 and 65535");
        std::int32_t P1 = numberOrMinusOne(params.PGN1);
        if (outside(P1, 1, 65535))
            return refuse(kPGN1, "Error! The Modbus Register for PGN Part 1 must to be between 1 and 65535");
        std::int32_t P2 = numberOrMinusOne(params.PGN2);
        if (outside(P2, 1, 65535))
            return refuse(kPGN2, "Error! The Modbus Register for PGN Part 2 must to be between 1 and 65535");
        std::int32_t SA = numberOrMinusOne(params.SA);
        if (outside(SA, 1, 65535))
            return refuse(kSA, "Error! The Modbus Register for Source Address must to be between 1 and 65535");

        // Of two equal registers, the one tested second is named.
        if (MR == PD) return refuse(kPri_Des, "Error! The Modbus Register cannot be equal to Priority and Destination");
        if (MR == P1) return refuse(kPGN1, "Error! The Modbus Register cannot be equal to PGN Part 1");
        if (MR == P2) return refuse(kPGN2, "Error! The Modbus Register cannot be equal to PGN Part 2");
        if (MR == SA) return refuse(kSA, "Error! The Modbus Register cannot be equal to Source Address");
        if (PD == P1) return refuse(kPGN1, "Error! The Priority and Destination cannot be equal to PGN Part 1");
        if (PD == P2) return refuse(kPGN2, "Error! The Priority and Destination cannot be equal to PGN Part 2");
        if (PD == SA) return refuse(kSA, "Error! The Priority and Destination cannot be equal to Source Address");
        if (P1 == P2) return refuse(kPGN2, "Error! The PGN Part 1 cannot be equal to PGN Part 2");
        if (P1 == SA) return refuse(kSA, "Error! The PGN Part 1 cannot be equal to Source Address");
        if (P2 == SA) return refuse(kSA, "Error! The PGN Part 2 cannot be equal to Source Address");
    }

    // Tested whether or not periodic sending is on.
    if (outside(numberOrMinusOne(params.SE_ms), 1, 65535))
        return refuse(kSE_ms, "Error! The Send Frame Every must to be between 1 and 65535 ms");
    return std::nullopt;
}

std::optional<std::string> Controllo_Dati(const CommParams& params) {
    if (std::optional<CommParamsRefusal> refusal = CommParamsRefusalOf(params)) return refusal->message;
    return std::nullopt;
}

void SaveCommParams(const fs::path& file, const CommParams& params) {
    XmlDocument document;
    XmlElement root = document.createRoot(kRoot);
    auto put = [&root](std::string_view name, const std::string& text) { root.appendChild(name).setText(text); };
    put(kBaudRateCAN, std::to_string(params.BaudRateCAN));
    put(kCANType, flagText(params.CANType));
    put(kBaud_Ser, std::to_string(params.Baud_Ser));
    put(kPar_Ser, std::to_string(params.Par_Ser));
    put(kIDDev_Ser, params.IDDev_Ser);
    put(kTimeOut_Ser, params.TimeOut_Ser);
    put(kTimeOut_Data, params.TimeOut_Data);
    put(kTO_ModReg, params.TO_ModReg);
    put(kPeer_to_Peer, flagText(params.Peer_to_Peer));
    put(kSerial, flagText(params.Serial));
    put(kWrite_J1939, flagText(params.Write_J1939));
    put(kEn_Rem_Req, flagText(params.En_Rem_Req));
    put(kPri_Des, params.Pri_Des);
    put(kPGN1, params.PGN1);
    put(kPGN2, params.PGN2);
    put(kSA, params.SA);
    put(kSend_Every, flagText(params.Send_Every));
    put(kSE_ms, params.SE_ms);
    put(kHW_Type, flagText(params.HW_Type));
    document.save(writeTargetNoCase(file));
}

}  // namespace telvanor
