#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "project/workspace.h"
#include "update/s_record.h"

namespace telvanor {

// The firmware file generator: splices the project's bank files (raw bytes) into the device's
// master firmware file as S2 records, giving a new firmware file that FlashWrite.exe programs.

inline constexpr std::string_view kMasterFirmwareFile = "SX40905.sx";
inline constexpr std::string_view kOutputFilePrefix = "New_";
inline constexpr std::string_view kFlashProgramFile = "FlashWrite.exe";
// Written in the bin folder while a bank step runs, deleted when it ends.
inline constexpr std::string_view kBankRecordsFile = "Bin.sx";

inline constexpr std::size_t kBankBytes = 16384;
inline constexpr std::size_t kBankRecords = kBankBytes / kS2DataBytes;
inline constexpr int kBankCount = 5;

// A bank of the device's flash: its file "bank<number>.bin" fills the address range.
struct FirmwareBank {
    int number;
    std::uint32_t firstAddress;
    std::uint32_t lastAddress;
};

inline constexpr std::array<FirmwareBank, kBankCount> kFirmwareBanks = {{
    {1, 0x388000, 0x38BFFF},
    {2, 0x398000, 0x39BFFF},
    {3, 0x3A8000, 0x3ABFFF},
    {4, 0x3B8000, 0x3BBFFF},
    {5, 0x3C8000, 0x3CBFFF},
}};

// Only these banks carry the project's data; the others are left as the master file has them.
inline constexpr std::array<bool, kBankCount> kEnabledBanks = {true, true, false, false, false};

// "bank1.bin" to "bank5.bin".
std::string bankFileName(const FirmwareBank& bank);

// The intermediate file a step of the merge chain writes: "°B1°.sx" to "°B5°.sx". The degree
// sign is the character U+00B0 (one byte in the Windows code page, two in UTF-8 elsewhere).
std::filesystem::path intermediateFileName(const FirmwareBank& bank);

// The bank's 512 S2 records, addresses rising by 32 from its first address, made of the first
// 16384 bytes of its file. A shorter file is padded with 0xFF, the value of erased flash.
std::vector<std::string> BankRecords(std::string_view bankBytes, const FirmwareBank& bank);

// What one run of the generator works on; set when its window is shown.
struct FirmwareFiles {
    // Holds the master firmware file, which the generator only reads.
    std::filesystem::path masterDir;
    std::string sourceName;
    // The project's bin folder with the bank files; empty when it did not exist.
    std::filesystem::path binDir;
    // The project folder: it receives the intermediate files and the output file.
    std::filesystem::path outputDir;
    std::string outputName;
    std::array<bool, kBankCount> banksEnabled = kEnabledBanks;
};

// The files of the current project: the master file in MASTER, the project's bin folder when
// it exists, and "New_SX40905.sx" in the project folder.
FirmwareFiles FirmwareFilesFor(const WorkspaceState& workspace);

// The master firmware file as it lies in the master folder, in any letter case.
std::filesystem::path masterFirmwarePath(const FirmwareFiles& files);

// Where a bank step reports how far it is: the bar restarts at 0 for each step, its maximum is
// 512 plus the lines of the step's input, and it advances per line read and per record taken.
class FirmwareProgress {
public:
    virtual ~FirmwareProgress() = default;
    virtual void reset() = 0;
    virtual void setMaximum(int maximum) = 0;
    virtual void advance() = 0;
};

class NoFirmwareProgress : public FirmwareProgress {
public:
    void reset() override {}
    void setMaximum(int) override {}
    void advance() override {}
};

// How a bank step, or the whole chain, ended; a failure carries the message to show.
struct FirmwareOutcome {
    bool completed = false;
    std::optional<std::string> message;
};

// One bank step: copies `input` to `output` line by line, the bank's 512 records in place of
// the first S2 record of its address range and the range's other records dropped. Needs an
// S9 line in the input. The bank's records pass through "Bin.sx" in the bin folder, which is
// deleted whatever the outcome.
FirmwareOutcome RunBankStep(const FirmwareBank& bank, const std::filesystem::path& input,
                            const std::filesystem::path& output, const FirmwareFiles& files,
                            FirmwareProgress& progress);

// The merge chain over the five banks: each step reads what the one before wrote, enabled
// banks splice their file, the others pass the file on. The first failed step ends the chain.
// The output file is replaced only by a completed chain; the intermediate files are deleted
// however the chain ends, and the master file is never changed.
FirmwareOutcome MergeFirmwareBanks(const FirmwareFiles& files, FirmwareProgress& progress);

// What the flash step starts: FlashWrite.exe in the program's folder with its command-line
// text, or the message that stops the step.
struct FlashStart {
    std::optional<std::string> message;
    std::filesystem::path program;
    std::string commandLine;
    // The master folder, the current folder the program has always been started in.
    std::filesystem::path workingFolder;
};

// The command-line text of FlashWrite.exe: the output file's path in double quotes, the
// pilcrow sign (U+00B6) and the port's position in the list (0 for COM1) in decimal.
std::string FlashCommandLine(const std::filesystem::path& outputFile, int portIndex);

// Checks the output file and FlashWrite.exe, and gives what to start.
FlashStart PrepareFlashStep(const FirmwareFiles& files, const std::filesystem::path& exeDir, int portIndex);

}  // namespace telvanor
