#include "project/worksheet.h"

#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <system_error>

#include "platform/file_system.h"
#include "platform/helper_process.h"
#include "platform/path_text.h"
#include "platform/this_process.h"
#include "project/equal_no_case.h"
#include "project/workbook_answer.h"
#include "project/workbook_limits.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kReaderName = "telvanor-workbook-reader";

// The reader program: beside the running program (the build tree's bin/, a copy on a stick),
// or in the installed program's libexec folder.
fs::path workbookReaderProgram() {
    std::optional<fs::path> folder = platform::runningProgramFolder();
    if (!folder) throw WorkbookError("cannot find the workbook reader: the program's own folder is unknown");
    const std::string name = std::string(kReaderName) + std::string(platform::kProgramSuffix);
    fs::path beside = *folder / name;
    fs::path installed = *folder / TELVANOR_LIBEXEC_FROM_BIN / name;
    std::error_code error;
    if (fs::is_regular_file(beside, error)) return beside;
    if (fs::is_regular_file(installed, error)) return installed;
    throw WorkbookError("cannot find the workbook reader " + std::string(kReaderName) + " beside the program or in " +
                        platform::utf8FromPath(installed.parent_path().lexically_normal()) + "; reinstall the program");
}

// Asks the reader process for the workbook's sheet names and, if `sheetName` is given, that
// sheet.
WorkbookContent askReader(const fs::path& workbook, const std::optional<std::string_view>& sheetName) {
    std::vector<std::string> arguments{platform::utf8FromPath(workbook)};
    if (sheetName) arguments.emplace_back(*sheetName);
    platform::HelperRun run;
    try {
        run =
            platform::runHelper(workbookReaderProgram(), arguments, kReaderTimeLimit, kMaxAnswerMegabytes * kMegabyte);
    } catch (const WorkbookError&) {
        throw;
    } catch (const std::runtime_error& failure) {
        throw WorkbookError(platform::utf8FromPath(workbook) + " cannot be read: " + failure.what());
    }
    std::string cannot = platform::utf8FromPath(workbook) + " cannot be read: ";
    if (run.ending == platform::HelperRun::Ending::TimedOut)
        throw WorkbookError(cannot + "reading it took longer than the reader's time limit of " +
                            std::to_string(kReaderTimeLimit.count()) + " s");
    if (run.ending == platform::HelperRun::Ending::OutputTooLarge)
        throw WorkbookError(cannot + "its worksheet holds more than the reader's limit of " +
                            std::to_string(kMaxAnswerMegabytes) + " MB of text");
    // A complete answer counts whatever the reader did after writing it (a sanitized build's
    // leak report at its exit changes its exit code); only a missing or cut answer is a failure.
    try {
        return decodeWorkbookAnswer(run.output);
    } catch (const WorkbookError& failure) {
        // A refusal names the file already.
        if (std::string_view(failure.what()).starts_with(platform::utf8FromPath(workbook))) throw;
        if (run.ending == platform::HelperRun::Ending::Crashed)
            throw WorkbookError(cannot + "the reader stopped on it (signal " + std::to_string(run.status) +
                                "); the file is damaged");
        if (run.status != 0)
            throw WorkbookError(cannot + "the reader failed on it (exit code " + std::to_string(run.status) +
                                "); the file is damaged");
        throw WorkbookError(cannot + failure.what());
    }
}

std::string joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

}  // namespace

const std::string& SheetRow::cell(std::size_t column) const {
    static const std::string empty;
    return column < cells.size() ? cells[column] : empty;
}

std::span<const SheetRow> recordRows(const Worksheet& sheet) {
    return sheet.rows.empty() ? std::span<const SheetRow>() : std::span<const SheetRow>(sheet.rows).subspan(1);
}

std::string numberCellText(double value) {
    if (std::isfinite(value) && value == std::floor(value) && std::fabs(value) < 1e15) {
        char buffer[32];
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
        return std::string(buffer) == "-0" ? "0" : buffer;
    }
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
}

std::vector<std::string> worksheetNames(const fs::path& workbook) {
    return askReader(workbook, std::nullopt).sheetNames;
}

std::optional<Worksheet> readWorksheet(const fs::path& workbook, std::string_view sheetName) {
    return askReader(workbook, sheetName).sheet;
}

ImportSheet readImportSheet(const fs::path& workbook, std::string_view sheetName) {
    WorkbookContent content;
    try {
        content = askReader(workbook, sheetName);
    } catch (const WorkbookError& failure) {
        return {ImportEnd::WorkbookUnreadable, failure.what(), {}};
    }
    if (!content.sheet) {
        std::string problem = platform::utf8FromPath(workbook) + " has no worksheet " + std::string(sheetName);
        problem += content.sheetNames.empty() ? std::string("; it has no worksheet at all")
                                              : "; its worksheets are " + joined(content.sheetNames);
        return {ImportEnd::NoWorksheet, problem, {}};
    }
    return {ImportEnd::Complete, {}, std::move(*content.sheet)};
}

}  // namespace telvanor
