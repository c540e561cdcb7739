#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

namespace telvanor::testing {

// The pargen.xml the editor writes for a new project, every element present and readable,
// with the given elements' texts replaced ("<absent>" leaves one out) and `extra` appended.
inline std::string pargenWith(const std::map<std::string, std::string>& replaced = {}, const std::string& extra = "") {
    static const std::vector<std::pair<std::string, std::string>> elements = {
        {"BaudRateCAN", "4"},  {"CANType", "1"},        {"Baud_Ser", "3"},     {"Par_Ser", "0"},
        {"IDDev_Ser", "1"},    {"TimeOut_Ser", "1000"}, {"TimeOut_Data", "0"}, {"TO_ModReg", "1"},
        {"Peer_to_Peer", "0"}, {"Serial", "1"},         {"Write_J1939", "0"},  {"En_Rem_Req", "0"},
        {"Pri_Des", "0"},      {"PGN1", "0"},           {"PGN2", "0"},         {"SA", "0"},
        {"Send_Every", "0"},   {"SE_ms", "1000"},       {"HW_Type", "0"}};
    std::string text = "<GeneralParameter>";
    for (auto [name, value] : elements) {
        if (auto found = replaced.find(name); found != replaced.end()) value = found->second;
        if (value != "<absent>") text += "<" + name + ">" + value + "</" + name + ">";
    }
    return text + extra + "</GeneralParameter>";
}

}  // namespace telvanor::testing
