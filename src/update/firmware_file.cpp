#include "update/firmware_file.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>
#include <system_error>

#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "project/file_kind.h"
#include "project/file_lookup.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSxNotFound = "File *.Sx Not Found,Abort Procedure";
constexpr const char* kNewSxNotFound = "File New *.Sx Not Found,Abort Procedure";
constexpr const char* kBinFolderNotFound = "Directory Bin Not Found,Abort Procedure";
constexpr const char* kNewSxNotCreated = "File New Sx Not Create,Abort Procedure";
// Without its end record the copy would be a truncated firmware file.
constexpr const char* kNoEndRecord = "File *.Sx without S9 record,Abort Procedure";
constexpr const char* kFlashWriteNotFound = "FlashWrite.exe Not Found, Procedure Aborted";

// A firmware file of a few flash banks is a few MB; anything far larger is not one.
constexpr std::size_t kMaxFirmwareFileBytes = 256u * 1024 * 1024;

// The pilcrow sign U+00B6 in UTF-8: one byte (0xB6) of the Windows code page once the
// command line is handed to the system there.
constexpr std::string_view kPilcrow = "\xC2\xB6";

FirmwareOutcome failed(std::string message) { return {false, std::move(message)}; }

bool isFile(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::is_regular_file(path, error);
}

bool isDirectory(const fs::path& path) {
    std::error_code error;
    return !path.empty() && fs::is_directory(path, error);
}

// Deletes its files when it goes out of scope, however the scope is left.
class DeleteOnExit {
public:
    explicit DeleteOnExit(std::vector<fs::path> files) : files_(std::move(files)) {}
    DeleteOnExit(const DeleteOnExit&) = delete;
    DeleteOnExit& operator=(const DeleteOnExit&) = delete;
    ~DeleteOnExit() {
        std::error_code ignored;
        for (const fs::path& file : files_) fs::remove(file, ignored);
    }

private:
    std::vector<fs::path> files_;
};

// The lines of a text file without their line ends, and the line end the file uses, so that
// the copy keeps it. A file without any line end is taken as a Windows text file.
struct TextLines {
    std::vector<std::string_view> lines;
    std::string_view lineEnd = "\r\n";
};

TextLines splitLines(std::string_view text) {
    TextLines result;
    std::size_t firstBreak = text.find('\n');
    if (firstBreak != std::string_view::npos && (firstBreak == 0 || text[firstBreak - 1] != '\r'))
        result.lineEnd = "\n";
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) line.remove_suffix(1);
        result.lines.push_back(line);
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return result;
}

std::string readBankBytes(const fs::path& file) {
    // A FIFO in the bank's place would make the stream wait for a writer for ever.
    if (std::optional<std::string> reason = irregularFileReason(file))
        throw FileError("Cannot read " + platform::utf8FromPath(file) + ": " + *reason);
    std::ifstream in(file, std::ios::binary);
    if (!in) throw FileError("Cannot read " + platform::utf8FromPath(file));
    std::string bytes(kBankBytes, '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad()) throw FileError("Cannot read " + platform::utf8FromPath(file));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return bytes;
}

// A disabled bank hands its input on unchanged. The master file is copied, never moved.
FirmwareOutcome passOn(const fs::path& input, const fs::path& output, bool inputIsMaster) {
    if (!isFile(input)) return failed(kSxNotFound);
    std::error_code error;
    fs::remove(output, error);
    if (inputIsMaster)
        fs::copy_file(input, output, fs::copy_options::overwrite_existing, error);
    else
        fs::rename(input, output, error);
    if (error) return failed(kNewSxNotCreated);
    return {true, std::nullopt};
}

}  // namespace

std::string bankFileName(const FirmwareBank& bank) { return "bank" + std::to_string(bank.number) + ".bin"; }

fs::path intermediateFileName(const FirmwareBank& bank) {
    std::u8string name = u8"\u00B0B";
    name += static_cast<char8_t>(u8'0' + bank.number);
    name += u8"\u00B0.sx";
    return fs::path(name);
}

std::vector<std::string> BankRecords(std::string_view bankBytes, const FirmwareBank& bank) {
    std::vector<std::uint8_t> image(kBankBytes, 0xFF);
    std::copy_n(bankBytes.begin(), std::min(bankBytes.size(), kBankBytes), image.begin());
    std::vector<std::string> records;
    records.reserve(kBankRecords);
    for (std::size_t offset = 0; offset < kBankBytes; offset += kS2DataBytes) {
        std::span<const std::uint8_t, kS2DataBytes> data(image.data() + offset, kS2DataBytes);
        records.push_back(S2Record(bank.firstAddress + static_cast<std::uint32_t>(offset), data));
    }
    return records;
}

FirmwareFiles FirmwareFilesFor(const WorkspaceState& workspace) {
    FirmwareFiles files;
    files.masterDir = workspace.MasterDir;
    files.sourceName = kMasterFirmwareFile;
    // An empty project folder must not turn into a folder relative to the current one.
    if (!workspace.ProjectDir.empty() && isDirectory(projectBinFolder(workspace.ProjectDir)))
        files.binDir = projectBinFolder(workspace.ProjectDir);
    files.outputDir = workspace.ProjectDir;
    files.outputName = std::string(kOutputFilePrefix) + files.sourceName;
    return files;
}

fs::path masterFirmwarePath(const FirmwareFiles& files) {
    if (files.masterDir.empty()) return {};
    return findFileNoCase(files.masterDir, files.sourceName).value_or(files.masterDir / files.sourceName);
}

FirmwareOutcome RunBankStep(const FirmwareBank& bank, const fs::path& input, const fs::path& output,
                            const FirmwareFiles& files, FirmwareProgress& progress) {
    progress.reset();
    if (!isFile(input)) return failed(kSxNotFound);
    if (files.outputName.empty() || files.outputDir.empty()) return failed(kNewSxNotFound);
    if (!isDirectory(files.binDir)) return failed(kBinFolderNotFound);
    std::optional<fs::path> bankFile = findFileNoCase(files.binDir, bankFileName(bank));
    if (!bankFile) return failed("File " + bankFileName(bank) + " Not Found,Abort Procedure");

    fs::path recordsFile = files.binDir / kBankRecordsFile;
    DeleteOnExit deleteRecords({recordsFile});
    std::string copy;
    bool endRecordMet = false;
    try {
        std::string source = readWholeFile(input, kMaxFirmwareFileBytes);
        TextLines sourceLines = splitLines(source);

        std::string recordsText;
        for (const std::string& record : BankRecords(readBankBytes(*bankFile), bank))
            recordsText.append(record).append(sourceLines.lineEnd);
        writeFileAtomically(recordsFile, recordsText);
        std::string recordsRead = readWholeFile(recordsFile, kMaxFirmwareFileBytes);
        TextLines records = splitLines(recordsRead);

        progress.setMaximum(static_cast<int>(kBankRecords + sourceLines.lines.size()));
        copy.reserve(source.size() + recordsRead.size());
        bool inserted = false;
        for (std::string_view line : sourceLines.lines) {
            progress.advance();
            if (line.starts_with("S2")) {
                std::optional<std::uint32_t> address = s2RecordAddress(line);
                if (!address) throw std::runtime_error("malformed S2 record");
                if (*address >= bank.firstAddress && *address <= bank.lastAddress) {
                    if (!inserted) {
                        for (std::string_view record : records.lines) {
                            copy.append(record).append(sourceLines.lineEnd);
                            progress.advance();
                        }
                        inserted = true;
                    }
                    continue;
                }
            }
            if (line.starts_with("S9")) endRecordMet = true;
            copy.append(line).append(sourceLines.lineEnd);
        }
        if (endRecordMet) writeFileAtomically(output, copy);
    } catch (const std::exception&) {
        return failed(kNewSxNotCreated);
    }
    if (!endRecordMet) return failed(kNoEndRecord);
    return {true, std::nullopt};
}

FirmwareOutcome MergeFirmwareBanks(const FirmwareFiles& files, FirmwareProgress& progress) {
    const fs::path master = masterFirmwarePath(files);
    std::vector<fs::path> intermediates;
    if (!files.outputDir.empty())
        for (const FirmwareBank& bank : kFirmwareBanks)
            intermediates.push_back(files.outputDir / intermediateFileName(bank));
    DeleteOnExit deleteIntermediates(intermediates);

    fs::path input = master;
    for (std::size_t i = 0; i < kFirmwareBanks.size(); ++i) {
        const FirmwareBank& bank = kFirmwareBanks[i];
        // Reached only after a completed first step, which needs the output folder.
        fs::path output = files.outputDir.empty() ? fs::path() : intermediates[i];
        FirmwareOutcome step = files.banksEnabled[i] ? RunBankStep(bank, input, output, files, progress)
                                                     : passOn(input, output, input == master);
        if (!step.completed) return step;
        input = output;
    }

    // The last intermediate file becomes the output file in one rename, so an earlier output
    // file is replaced only by a complete one.
    std::error_code error;
    fs::rename(input, writeTargetNoCase(files.outputDir, files.outputName), error);
    if (error) return failed(kNewSxNotCreated);
    return {true, std::nullopt};
}

std::string FlashCommandLine(const fs::path& outputFile, int portIndex) {
    return "\"" + platform::utf8FromPath(outputFile) + "\"" + std::string(kPilcrow) + std::to_string(portIndex);
}

FlashStart PrepareFlashStep(const FirmwareFiles& files, const fs::path& exeDir, int portIndex) {
    std::optional<fs::path> output;
    if (!files.outputDir.empty() && !files.outputName.empty())
        output = findFileNoCase(files.outputDir, files.outputName);
    if (!output) return {kSxNotFound, {}, {}, {}};
    std::optional<fs::path> program;
    if (!exeDir.empty()) program = findFileNoCase(exeDir, kFlashProgramFile);
    if (!program) return {kFlashWriteNotFound, {}, {}, {}};
    return {std::nullopt, *program, FlashCommandLine(*output, portIndex), files.masterDir};
}

}  // namespace telvanor
