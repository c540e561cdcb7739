#include <exception>
#include <system_error>

#include "cli/cli.h"
#include "cli/cli_commands.h"
#include "cli/command_output.h"
#include "editors/register_map/register_map_exchange.h"
#include "editors/register_map/register_map_file.h"
#include "platform/path_text.h"
#include "project/file_lookup.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

bool isProjectFolder(const fs::path& projectDir, std::ostream& err) {
    std::error_code error;
    if (fs::is_directory(projectDir, error)) return true;
    err << "telvanor-cli: " << platform::utf8FromPath(projectDir) << " is not a project folder\n";
    return false;
}

// The frame table's failure, which leaves the frame numbers without their frames.
std::optional<std::string> frameTableProblem(const RegisterMapLoad& load) {
    if (!load.frameTableFailure) return std::nullopt;
    return std::string(frameTableFileName(load.map.kind)) + ": " + *load.frameTableFailure;
}

}  // namespace

int exportCommand(const fs::path& projectDir, const ExchangeOptions& options, std::ostream& out, std::ostream& err) {
    if (!isProjectFolder(projectDir, err)) return kExitFailure;
    fs::path target =
        options.output ? *options.output : writeTargetNoCase(projectDir, exportFileName(options.map, options.format));
    if (refusedAsProjectFile(projectDir, target, false, err)) return kExitFailure;
    try {
        RegisterMapLoad load = LoadRegisterMap(projectDir, options.map);
        // A map read only in part would be exported in part.
        std::optional<std::string> problem = frameTableProblem(load);
        if (!problem && load.mapFailure) problem = *load.mapFailure;
        if (problem) {
            err << "telvanor-cli: " << *problem << "; nothing exported\n";
            return kExitFailure;
        }
        for (const DroppedMapRow& dropped : load.droppedRows)
            err << "warning: " << mapFileName(options.map) << " row " << dropped.row << ": frame "
                << dropped.frameNumber << " does not exist; its mapping is not exported\n";
        writeCommandOutput(target, registerMapExport(load.map, options.format), out);
        // With the export on standard output, the summary goes with the messages.
        (target == "-" ? err : out) << exportMessage(load.map, target == "-" ? "standard output" : target) << "\n";
        return kExitSuccess;
    } catch (const std::exception& failure) {
        err << "telvanor-cli: " << failure.what() << "\n";
        return kExitFailure;
    }
}

int importCommand(const fs::path& projectDir, const fs::path& workbook, MapKind map, std::ostream& out,
                  std::ostream& err) {
    if (!isProjectFolder(projectDir, err)) return kExitFailure;
    try {
        RegisterMapLoad load = LoadRegisterMap(projectDir, map);
        if (std::optional<std::string> problem = frameTableProblem(load)) {
            err << "telvanor-cli: " << *problem << "; nothing imported\n";
            return kExitFailure;
        }
        if (load.mapFailure) err << "warning: " << *load.mapFailure << "; the import replaces the whole map\n";
        ImportSummary summary = ImportRegisterMap(workbook, load.map);
        if (!summary.changedTable()) {
            err << "telvanor-cli: " << importMessage(summary) << "\n";
            return kExitFailure;
        }
        SaveRegisterMap(load.map, projectDir);
        out << importMessage(summary) << "\n"
            << "Written to " << platform::utf8FromPath(writeTargetNoCase(projectDir, mapFileName(map))) << "\n";
        return kExitSuccess;
    } catch (const std::exception& failure) {
        err << "telvanor-cli: " << failure.what() << "; nothing written\n";
        return kExitFailure;
    }
}

}  // namespace telvanor
