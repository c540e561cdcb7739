#include "maximal_project.h"

#include <string>

#include "project/xml_document.h"

namespace telvanor::bench {

void writeMaximalProject(const std::filesystem::path& folder) {
    std::filesystem::create_directories(folder / "bin");
    constexpr int kFrames = 250;
    constexpr int kMappings = 4000;

    XmlDocument receive;
    XmlElement receiveRoot = receive.createRoot("COBID");
    for (int i = 0; i < kFrames; ++i) {
        XmlElement row = receiveRoot.appendChild("row");
        bool fast = i % 10 == 3;
        bool multi = i % 10 == 7;
        row.setAttribute("DataPage", "1");
        row.setAttribute("PGN", "0x" + std::to_string(0xF000 + i));
        row.setAttribute("ID_DEV", std::to_string(i % 200));
        row.setAttribute("MultiFrame", multi ? "Y" : "N");
        row.setAttribute("FastPacket", fast ? "Y" : "N");
        row.setAttribute("StartByte", fast || multi ? "1" : "");
        row.setAttribute("NByte", fast ? "43" : multi ? "16" : "");
        row.setAttribute("Delete", i % 17 == 0 ? "Y" : "N");
        row.setAttribute("Mnemonic", "Frame " + std::to_string(i + 1));
    }
    receive.save(folder / "RCobDef.xml");

    XmlDocument transmit;
    XmlElement transmitRoot = transmit.createRoot("COBID");
    for (int i = 0; i < kFrames; ++i) {
        XmlElement row = transmitRoot.appendChild("row");
        row.setAttribute("Priority", std::to_string(i % 8));
        row.setAttribute("DP", "1");
        row.setAttribute("PGN", std::to_string(0xF000 + i));
        row.setAttribute("ID_DEV", "36");
        row.setAttribute("Mnemonic", "Frame " + std::to_string(i + 1));
    }
    transmit.save(folder / "TCobDef.xml");

    XmlDocument receiveMap;
    XmlElement receiveMapRoot = receiveMap.createRoot("RInfoCob");
    for (int i = 0; i < kMappings; ++i) {
        XmlElement row = receiveMapRoot.appendChild("row");
        row.setAttribute("Index", std::to_string(i));
        row.setAttribute("NrPdo", std::to_string(i % kFrames + 1));
        row.setAttribute("PosComp", std::to_string(2 * 65536 + 1));
    }
    receiveMap.save(folder / "RInfoCob.xml");

    XmlDocument transmitMap;
    XmlElement transmitMapRoot = transmitMap.createRoot("TInfoCob");
    for (int i = 0; i < kMappings; ++i) {
        XmlElement row = transmitMapRoot.appendChild("row");
        row.setAttribute("Index", std::to_string(10000 + i));
        row.setAttribute("NrPdo", std::to_string(i % kFrames + 1));
        row.setAttribute("PosComp", "33");
        row.setAttribute("Write_J1939", i % 2 ? "1" : "0");
    }
    transmitMap.save(folder / "TInfoCob.xml");

    XmlDocument parameters;
    XmlElement root = parameters.createRoot("GeneralParameter");
    const char* elements[][2] = {
        {"BaudRateCAN", "4"},  {"CANType", "1"},        {"Baud_Ser", "3"},     {"Par_Ser", "0"},
        {"IDDev_Ser", "1"},    {"TimeOut_Ser", "1000"}, {"TimeOut_Data", "5"}, {"TO_ModReg", "1"},
        {"Peer_to_Peer", "0"}, {"Serial", "1"},         {"Write_J1939", "1"},  {"En_Rem_Req", "0"},
        {"Pri_Des", "0"},      {"PGN1", "0"},           {"PGN2", "0"},         {"SA", "0"},
        {"Send_Every", "1"},   {"SE_ms", "1000"},       {"HW_Type", "0"}};
    for (const auto& element : elements) root.appendChild(element[0]).setText(element[1]);
    parameters.save(folder / "pargen.xml");
}

}  // namespace telvanor::bench
