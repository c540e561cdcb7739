// telvanor-workbook-reader FILE [SHEET]: reads a workbook and writes on its standard output the
// names of its worksheets and, when SHEET is given, that worksheet's rows (workbook_answer.h),
// or the reason it cannot be read. The program starts it for every worksheet it imports, so
// that whatever a damaged or hostile file does to the reading libraries ends with this
// process: it runs under a memory limit, and the program stops it after a time limit.
#include <cstdio>
#include <new>

#include "platform/path_text.h"
#include "platform/this_process.h"
#include "project/workbook_answer.h"
#include "project/workbook_limits.h"
#include "workbook/workbook_reading.h"

#if defined(__SANITIZE_ADDRESS__)
#define TELVANOR_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TELVANOR_SANITIZED 1
#endif
#endif

int main(int argc, char** argv) {
    using namespace telvanor;
    std::vector<std::string> arguments = platform::commandLineArguments(argc, argv);
    if (arguments.empty() || arguments.size() > 2) {
        std::fputs("usage: telvanor-workbook-reader FILE [SHEET]\n", stderr);
        return 2;
    }
#ifndef TELVANOR_SANITIZED
    // A workbook that makes a library ask for more memory fails instead of exhausting it. (The
    // sanitizers reserve far more address space than this, so a sanitized build goes without.)
    platform::limitOwnMemory(static_cast<std::size_t>(kReaderMemoryMegabytes) * kMegabyte);
#endif
    std::filesystem::path file = platform::pathFromUtf8(arguments[0]);
    std::string answer;
    try {
        std::optional<std::string_view> sheet;
        if (arguments.size() == 2) sheet = arguments[1];
        answer = encodeWorkbookAnswer(readWorkbookContent(file, sheet));
    } catch (const std::bad_alloc&) {
        answer = encodeWorkbookRefusal(platform::utf8FromPath(file) +
                                       " cannot be read: it needs more memory than the reader's limit of " +
                                       std::to_string(kReaderMemoryMegabytes) + " MB");
    } catch (const std::exception& failure) {
        answer = encodeWorkbookRefusal(failure.what());
    }
    platform::useBinaryStandardStreams();
    bool written = std::fwrite(answer.data(), 1, answer.size(), stdout) == answer.size();
    return written && std::fflush(stdout) == 0 ? 0 : 1;
}
