#include "project/worksheet.h"

#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cerrno>
#include <chrono>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>

#include <freexl.h>

#include "project/atomic_file.h"
#include "project/equal_no_case.h"

#if defined(__SANITIZE_ADDRESS__)
#define TELVANOR_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TELVANOR_SANITIZED 1
#endif
#endif
#ifdef TELVANOR_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

namespace telvanor {

namespace {

// A full register map is 65,536 rows of three cells; the widest table has 49 columns.
constexpr std::uint64_t kMaxWorksheetCells = 4'000'000;

// An open workbook, closed however the reading ends.
class Workbook {
public:
    explicit Workbook(const std::filesystem::path& file) : file_(file) {
        int status = freexl_open(file.c_str(), &handle_);
        if (status != FREEXL_OK) fail("is not a readable .xls workbook", status);
    }
    ~Workbook() {
        if (handle_) freexl_close(handle_);
    }
    Workbook(const Workbook&) = delete;
    Workbook& operator=(const Workbook&) = delete;

    std::vector<std::string> sheetNames() const {
        unsigned int count = 0;
        if (int status = freexl_get_info(handle_, FREEXL_BIFF_SHEET_COUNT, &count); status != FREEXL_OK)
            fail("has no readable worksheet list", status);
        std::vector<std::string> names;
        for (unsigned int i = 0; i < count && i <= 0xFFFF; ++i) {
            const char* name = nullptr;
            if (freexl_get_worksheet_name(handle_, static_cast<unsigned short>(i), &name) != FREEXL_OK) continue;
            names.emplace_back(name ? name : "");
        }
        return names;
    }

    WorksheetRows rows(unsigned short sheet) const {
        if (int status = freexl_select_active_worksheet(handle_, sheet); status != FREEXL_OK)
            fail("has a worksheet that cannot be read", status);
        unsigned int rowCount = 0;
        unsigned short columnCount = 0;
        if (int status = freexl_worksheet_dimensions(handle_, &rowCount, &columnCount); status != FREEXL_OK)
            fail("has a worksheet that cannot be read", status);
        if (static_cast<std::uint64_t>(rowCount) * columnCount > kMaxWorksheetCells)
            throw WorkbookError(file_.string() + " holds a worksheet of " + std::to_string(rowCount) + " rows and " +
                                std::to_string(columnCount) + " columns, more than any table of a project");
        WorksheetRows sheetRows;
        sheetRows.columns = columnCount;
        for (unsigned int row = 1; row < rowCount; ++row) {
            std::vector<std::string> cells;
            cells.reserve(columnCount);
            for (unsigned short column = 0; column < columnCount; ++column) cells.push_back(cellText(row, column));
            sheetRows.rows.push_back(std::move(cells));
        }
        return sheetRows;
    }

private:
    std::string cellText(unsigned int row, unsigned short column) const {
        FreeXL_CellValue cell;
        if (freexl_get_cell_value(handle_, row, column, &cell) != FREEXL_OK) return "";
        switch (cell.type) {
            case FREEXL_CELL_INT:
                return std::to_string(cell.value.int_value);
            case FREEXL_CELL_DOUBLE:
                return numberCellText(cell.value.double_value);
            case FREEXL_CELL_TEXT:
            case FREEXL_CELL_SST_TEXT:
            case FREEXL_CELL_DATE:
            case FREEXL_CELL_DATETIME:
            case FREEXL_CELL_TIME:
                return cell.value.text_value ? cell.value.text_value : "";
            default:
                return "";
        }
    }

    [[noreturn]] void fail(const char* what, int status) const {
        throw WorkbookError(file_.string() + " " + what + " (FreeXL error " + std::to_string(status) + ")");
    }

    std::filesystem::path file_;
    const void* handle_ = nullptr;
};

}  // namespace

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

namespace {

// What a reading child process sends back: texts as a length and the bytes.
class Message {
public:
    Message() = default;
    explicit Message(std::string bytes) : bytes_(std::move(bytes)) {}

    void put(std::size_t number) { bytes_.append(reinterpret_cast<const char*>(&number), sizeof number); }
    void put(std::string_view text) {
        put(text.size());
        bytes_.append(text);
    }
    std::size_t number() {
        std::size_t value = 0;
        need(sizeof value);
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    std::string text() {
        std::size_t length = number();
        need(length);
        std::string value = bytes_.substr(at_, length);
        at_ += length;
        return value;
    }
    const std::string& bytes() const { return bytes_; }

private:
    void need(std::size_t length) const {
        if (length > bytes_.size() - at_) throw WorkbookError("the workbook reader gave an incomplete answer");
    }
    std::string bytes_;
    std::size_t at_ = 0;
};

constexpr char kAnswered = 'A';
constexpr char kRefused = 'E';
// Reading a real workbook takes milliseconds; a reader that runs longer is stopped.
constexpr auto kReadingTimeLimit = std::chrono::seconds(20);
constexpr std::size_t kMaxAnswerBytes = 256u * 1024 * 1024;
// The largest worksheet a project holds (a full map of 65,536 rows) needs a few tens of MB; a
// workbook whose dimensions ask for more fails at this limit, and the lower the limit, the sooner.
constexpr rlim_t kChildMemoryBytes = rlim_t{512} * 1024 * 1024;

// The reading child dies on its own: whatever crash or sanitizer report FreeXL causes ends the
// child with a failure the parent turns into a message, not in the handlers it inherited.
void becomeReadingChild() {
    for (int signal : {SIGSEGV, SIGBUS, SIGILL, SIGFPE, SIGABRT}) std::signal(signal, SIG_DFL);
#ifdef TELVANOR_SANITIZED
    __sanitizer_set_death_callback([] { _exit(70); });
#else
    // A workbook that makes the library ask for more memory fails instead of exhausting it.
    rlimit memory{kChildMemoryBytes, kChildMemoryBytes};
    ::setrlimit(RLIMIT_AS, &memory);
#endif
}

// FreeXL is a C library that trusts the file it reads: a damaged or hostile workbook can make
// it read past its buffers or crash. It therefore runs in a child process, whose end, however
// it comes, cannot take the program or its unsaved work with it.
Message readIsolated(const std::filesystem::path& workbook, const std::function<Message()>& read) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) throw WorkbookError(fileFailureText("read", workbook, errno));
    pid_t child = ::fork();
    if (child < 0) {
        int error = errno;
        ::close(pipeEnds[0]);
        ::close(pipeEnds[1]);
        throw WorkbookError(fileFailureText("read", workbook, error));
    }
    if (child == 0) {
        becomeReadingChild();
        ::close(pipeEnds[0]);
        std::string answer;
        try {
            answer = kAnswered + read().bytes();
        } catch (const std::bad_alloc&) {
            answer = std::string(1, kRefused) + workbook.string() +
                     " cannot be read: it asks for more memory than any workbook of a project needs";
        } catch (const std::exception& failure) {
            answer = std::string(1, kRefused) + failure.what();
        }
        _exit(writeAll(pipeEnds[1], answer) == 0 ? 0 : 1);
    }
    ::close(pipeEnds[1]);

    std::string answer;
    auto deadline = std::chrono::steady_clock::now() + kReadingTimeLimit;
    bool stopped = false;
    for (;;) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            stopped = true;
            break;
        }
        pollfd waiting{pipeEnds[0], POLLIN, 0};
        int ready = ::poll(&waiting, 1, static_cast<int>(left.count()));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) continue;
        char buffer[65536];
        ssize_t got = ::read(pipeEnds[0], buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) break;
        answer.append(buffer, static_cast<std::size_t>(got));
        if (answer.size() > kMaxAnswerBytes) {
            stopped = true;
            break;
        }
    }
    ::close(pipeEnds[0]);
    if (stopped) ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (stopped || !WIFEXITED(status) || WEXITSTATUS(status) != 0 || answer.empty())
        throw WorkbookError(workbook.string() + " cannot be read: the workbook is damaged or not an .xls file");
    if (answer[0] == kRefused) throw WorkbookError(answer.substr(1));
    return Message(answer.substr(1));
}

}  // namespace

std::vector<std::string> worksheetNames(const std::filesystem::path& workbook) {
    Message answer = readIsolated(workbook, [&] {
        Message message;
        std::vector<std::string> names = Workbook(workbook).sheetNames();
        message.put(names.size());
        for (const std::string& name : names) message.put(name);
        return message;
    });
    std::vector<std::string> names(answer.number());
    for (std::string& name : names) name = answer.text();
    return names;
}

std::optional<WorksheetRows> readWorksheet(const std::filesystem::path& workbook, std::string_view sheetName) {
    Message answer = readIsolated(workbook, [&] {
        Message message;
        Workbook book(workbook);
        std::vector<std::string> names = book.sheetNames();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (!equalNoCase(names[i], sheetName)) continue;
            WorksheetRows sheet = book.rows(static_cast<unsigned short>(i));
            message.put(1);
            message.put(sheet.columns);
            message.put(sheet.rows.size());
            for (const auto& row : sheet.rows)
                for (const std::string& cell : row) message.put(cell);
            return message;
        }
        message.put(0);
        return message;
    });
    if (answer.number() == 0) return std::nullopt;
    WorksheetRows sheet;
    sheet.columns = answer.number();
    std::size_t rows = answer.number();
    for (std::size_t r = 0; r < rows; ++r) {
        std::vector<std::string> cells(sheet.columns);
        for (std::string& cell : cells) cell = answer.text();
        sheet.rows.push_back(std::move(cells));
    }
    return sheet;
}

ImportSheet readImportSheet(const std::filesystem::path& workbook, std::string_view sheetName) {
    std::optional<WorksheetRows> sheet;
    try {
        sheet = readWorksheet(workbook, sheetName);
    } catch (const WorkbookError&) {
        return {ImportEnd::WorkbookUnreadable, {}};
    }
    if (!sheet) return {ImportEnd::NoWorksheet, {}};
    return {ImportEnd::Complete, std::move(*sheet)};
}

}  // namespace telvanor
