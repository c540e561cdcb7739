#include "dormant/transmit_pdo/transmit_pdo.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "support/temp_dir.h"

#ifdef _WIN32
#include "platform/windows/wide_text.h"
#endif

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using testing::readFile;
using testing::TempDir;
using testing::writeFile;

TEST(ValidateTransmitPdo, ElevenBitIdentifiersLengthsAndAddresses) {
    EXPECT_THAT(ValidateTransmitPdo({{"0x7FF", "8", "0"}, {"1", "1", "65535"}}), ElementsAre());
    EXPECT_THAT(ValidateTransmitPdo({{"0x800", "8", "0"}}),
                ElementsAre("Error in row 1. Cob-id must be between 0x001 and 0x7FF"));
    // Without a Dimension the COB-ID is not checked; an empty COB-ID with one counts as -1.
    EXPECT_THAT(ValidateTransmitPdo({{"0x800", "", ""}, {"", "4", ""}}),
                ElementsAre("Error in row 2. Cob-id must be between 0x001 and 0x7FF"));
    EXPECT_THAT(ValidateTransmitPdo({{"0", "x", "-1"}, {"", "", "65536"}}),
                ElementsAre("Error in row 1. Cob-id must be between 0x001 and 0x7FF",
                            "Error in row 1. Dimension must be between 1 and 8",
                            "Error in row 1. Start Modbus Address must be between 0 and 65535",
                            "Error in row 2. Start Modbus Address must be between 0 and 65535"));
}

TEST(ValidateTransmitPdo, EveryFailureOfEveryRowInOrder) {
    EXPECT_THAT(ValidateTransmitPdo({{"0x100", "8", "0"}, {"0x101", "9", "70000"}, {"0x102", "0", ""}}),
                ElementsAre("Error in row 2. Dimension must be between 1 and 8",
                            "Error in row 2. Start Modbus Address must be between 0 and 65535",
                            "Error in row 3. Dimension must be between 1 and 8"));
}

TEST(TransmitPdoFile, TheTableEndsAtTheFirstEmptyCobIdAndIsReadBack) {
    TempDir project;
    std::vector<TransmitPdoRow> rows{{"0x181", "8", "100"}, {"", "", ""}, {"0x182", "2", "200"}};
    EXPECT_THAT(ValidateTransmitPdo(rows), ElementsAre());
    EXPECT_EQ(SaveTransmitPdo(project / "Transmit_Pdo.xml", rows), std::nullopt);
    EXPECT_EQ(readFile(project / "Transmit_Pdo.xml"),
              "<Trasmit_PDO><row COB-ID=\"0x181\" Dimension=\"8\" SMA=\"100\"/></Trasmit_PDO>");
    TransmitPdoLoad load = LoadTransmitPdo(project / "transmit_pdo.xml");
    EXPECT_EQ(load.outcome, FrameTableOutcome::Loaded);
    EXPECT_EQ(load.rows, (std::vector<TransmitPdoRow>{rows[0]}));
    // The system's own reason for a folder that is not there.
#ifdef _WIN32
    const std::string noFolder = platform::windowsError(ERROR_PATH_NOT_FOUND).message();
#else
    const std::string noFolder = "No such file or directory";
#endif
    EXPECT_EQ(SaveTransmitPdo(project / "gone" / "Transmit_Pdo.xml", rows),
              "Error in the save parameter\n\nCannot write " + (project / "gone" / "Transmit_Pdo.xml").string() + ": " +
                  noFolder);
}

TEST(TransmitPdoFile, AFileThatCannotBeReadWholeKeepsTheRowsBeforeTheFailure) {
    TempDir project;
    writeFile(project / "Transmit_Pdo.xml",
              "<Trasmit_PDO><row COB-ID=\"1\" Dimension=\"2\" SMA=\"3\"/><row COB-ID=\"4\" SMA=\"6\"/></Trasmit_PDO>");
    TransmitPdoLoad load = LoadTransmitPdo(project / "Transmit_Pdo.xml");
    EXPECT_EQ(load.outcome, FrameTableOutcome::Failed);
    EXPECT_EQ(load.message, "Error in reading file XML");
    EXPECT_EQ(load.rows, (std::vector<TransmitPdoRow>{{"1", "2", "3"}, {"4", "", ""}}));
    EXPECT_EQ(LoadTransmitPdo(project / "none.xml").message, "File XML not found");
}

}  // namespace
}  // namespace telvanor
