#include <algorithm>
#include <map>

#include <gtest/gtest.h>

#include "image/config_image.h"
#include "image/image_reader.h"
#include "project/integer_text.h"
#include "project/xml_document.h"
#include "support/temp_dir.h"

namespace telvanor {
namespace {

namespace fs = std::filesystem;
using Row = std::map<std::string, std::string>;

// A project file's rows as attribute texts; no rows when the file is not there.
std::vector<Row> rows(const fs::path& project, const char* file) {
    std::vector<Row> result;
    if (!fs::exists(project / file)) return result;
    XmlDocument document;
    EXPECT_EQ(document.load(project / file), std::nullopt) << file;
    for (const XmlElement& element : document.documentElement()->children()) {
        Row row;
        for (const char* name : {"DataPage", "PGN", "ID_DEV", "MultiFrame", "FastPacket", "StartByte", "NByte",
                                 "Delete", "Priority", "DP", "Index", "NrPdo", "PosComp", "Write_J1939"})
            if (auto value = element.attribute(name)) row[name] = *value;
        result.push_back(row);
    }
    return result;
}

// pargen.xml's element texts by name.
Row parameters(const fs::path& project) {
    Row result;
    XmlDocument document;
    if (!fs::exists(project / "pargen.xml") || document.load(project / "pargen.xml")) return result;
    for (const XmlElement& element : document.documentElement()->children())
        result[element.name()] = element.text().value_or("");
    return result;
}

std::uint32_t number(const Row& row, const std::string& name, std::uint32_t fallback = 0) {
    auto found = row.find(name);
    if (found == row.end()) return fallback;
    return static_cast<std::uint32_t>(parseIntegerText(found->second).value_or(static_cast<std::int32_t>(fallback)));
}

bool yes(const Row& row, const std::string& name) { return row.contains(name) && isYes(row.at(name)); }

std::vector<fs::path> fixtureProjects() {
    std::vector<fs::path> projects = {testing::examplesDir() / "Boat1"};
    for (const fs::directory_entry& entry : fs::directory_iterator(testing::testDataDir() / "projects"))
        projects.push_back(entry.path());
    return projects;
}

template <std::size_t N>
using Records = std::vector<std::array<std::uint32_t, N>>;

// Compares a section's records, field by named field, with the values expected of them.
template <std::size_t N>
void expectRecords(const ImageReader& image, ImageSection section, const std::array<NamedField, N>& fields,
                   const Records<N>& expected) {
    ASSERT_EQ(image.count(section), expected.size()) << sectionName(section);
    for (std::size_t i = 0; i < expected.size(); ++i)
        for (std::size_t f = 0; f < N; ++f)
            EXPECT_EQ(image.record(section, i)[fields[f].field], expected[i][f])
                << sectionName(section) << " #" << i + 1 << " " << fields[f].name;
}

// Each fixture project is built, read back through the image layout, and every value of the
// image is compared with what the project's files say.
TEST(ImageLayout, EveryFixtureProjectReadsBackAsItsOwnValues) {
    for (const fs::path& project : fixtureProjects()) {
        SCOPED_TRACE(project.filename().string());
        ImageReader image(BuildConfigImage(project).bytes);
        Row pargen = parameters(project);
        bool peerToPeer = (number(pargen, "Peer_to_Peer") & 0xFF) == 1;

        std::vector<Row> frames = rows(project, "RCobDef.xml");
        Records<7> frameRecords;
        Records<1> identifiers;
        std::vector<std::uint32_t> positions;
        std::uint32_t position = 0;
        for (std::size_t i = 0; i < frames.size(); ++i) {
            const Row& frame = frames[i];
            bool packets = yes(frame, "MultiFrame") || yes(frame, "FastPacket");
            frameRecords.push_back({number(frame, "DataPage"), number(frame, "PGN"), number(frame, "ID_DEV"),
                                    yes(frame, "MultiFrame") * 1u + yes(frame, "FastPacket") * 2u,
                                    packets ? number(frame, "StartByte") : 0, packets ? number(frame, "NByte") : 0,
                                    position});
            EXPECT_EQ(image.deleted(i), yes(frame, "Delete")) << "row " << i + 1;
            positions.push_back(position);
            position += packets ? number(frame, "NByte") : 8;
            std::uint32_t source = peerToPeer ? 0 : number(frame, "ID_DEV");
            identifiers.push_back({number(frame, "DataPage") << 24 | number(frame, "PGN") << 8 | source});
        }
        EXPECT_FALSE(image.deleted(frames.size()));
        std::sort(identifiers.begin(), identifiers.end());
        expectRecords(image, ImageSection::ReceiveFrames, ReceiveFrameRecord::fields, frameRecords);
        expectRecords(image, ImageSection::Identifiers, IdentifierRecord::fields, identifiers);

        Records<1> transmitFrames;
        for (const Row& frame : rows(project, "TCobDef.xml"))
            transmitFrames.push_back({number(frame, "Priority") << 26 | number(frame, "DP") << 24 |
                                      number(frame, "PGN") << 8 | number(frame, "ID_DEV")});
        expectRecords(image, ImageSection::TransmitFrames, IdentifierRecord::fields, transmitFrames);

        Records<4> receiveMap;
        for (const Row& mapping : rows(project, "RInfoCob.xml"))
            receiveMap.push_back({number(mapping, "Index"), positions.at(number(mapping, "NrPdo") - 1),
                                  number(mapping, "PosComp") >> 16, number(mapping, "PosComp") & 0xFFFF});
        expectRecords(image, ImageSection::ReceiveMap, ReceiveMappingRecord::fields, receiveMap);

        Records<4> transmitMap;
        for (const Row& mapping : rows(project, "TInfoCob.xml"))
            transmitMap.push_back({number(mapping, "Index"), number(mapping, "NrPdo"), number(mapping, "PosComp"),
                                   number(mapping, "Write_J1939")});
        expectRecords(image, ImageSection::TransmitMap, TransmitMappingRecord::fields, transmitMap);

        Records<23> parameterRecord;
        if (!pargen.empty())
            parameterRecord.push_back({number(pargen, "BaudRateCAN") + 1,
                                       number(pargen, "CANType"),
                                       number(pargen, "Baud_Ser"),
                                       number(pargen, "Par_Ser"),
                                       number(pargen, "IDDev_Ser"),
                                       number(pargen, "TimeOut_Ser"),
                                       number(pargen, "TimeOut_Data"),
                                       number(pargen, "TO_ModReg", 1),
                                       number(pargen, "Peer_to_Peer"),
                                       number(pargen, "Serial", 1) == 0 ? 1u : 0u,
                                       number(pargen, "Write_J1939"),
                                       number(pargen, "En_Rem_Req"),
                                       number(pargen, "Pri_Des"),
                                       number(pargen, "PGN1"),
                                       number(pargen, "PGN2"),
                                       number(pargen, "SA"),
                                       number(pargen, "Send_Every"),
                                       number(pargen, "SE_ms"),
                                       number(pargen, "HW_Type"),
                                       static_cast<std::uint32_t>(frames.size()),
                                       static_cast<std::uint32_t>(transmitFrames.size()),
                                       static_cast<std::uint32_t>(receiveMap.size()),
                                       static_cast<std::uint32_t>(transmitMap.size())});
        expectRecords(image, ImageSection::Parameters, ParametersRecord::fields, parameterRecord);
    }
}

}  // namespace
}  // namespace telvanor
