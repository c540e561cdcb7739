#include "project/workbook_answer.h"

#include <cstdint>
#include <cstring>

namespace telvanor {

namespace {

constexpr char kContent = 'A';
constexpr char kRefusal = 'E';

class Writer {
public:
    explicit Writer(char kind) { bytes_.push_back(kind); }
    void number(std::uint64_t value) { bytes_.append(reinterpret_cast<const char*>(&value), sizeof value); }
    void text(std::string_view value) {
        number(value.size());
        bytes_.append(value);
    }
    std::string take() { return std::move(bytes_); }

private:
    std::string bytes_;
};

class Reader {
public:
    explicit Reader(std::string_view bytes) : bytes_(bytes) {}
    std::uint64_t number() {
        std::uint64_t value = 0;
        need(sizeof value);
        std::memcpy(&value, bytes_.data() + at_, sizeof value);
        at_ += sizeof value;
        return value;
    }
    std::string text() {
        std::uint64_t length = number();
        need(length);
        std::string value(bytes_.substr(at_, length));
        at_ += length;
        return value;
    }
    // A count of items that each take at least `itemBytes`, checked against what is left so
    // that a malformed answer cannot ask for a huge allocation.
    std::size_t count(std::size_t itemBytes) {
        std::uint64_t value = number();
        if (value > (bytes_.size() - at_) / itemBytes) fail();
        return static_cast<std::size_t>(value);
    }

private:
    void need(std::uint64_t length) const {
        if (length > bytes_.size() - at_) fail();
    }
    [[noreturn]] static void fail() { throw WorkbookError("the workbook reader gave an incomplete answer"); }

    std::string_view bytes_;
    std::size_t at_ = 0;
};

}  // namespace

std::string encodeWorkbookAnswer(const WorkbookContent& content) {
    Writer out(kContent);
    out.number(content.sheetNames.size());
    for (const std::string& name : content.sheetNames) out.text(name);
    out.number(content.sheet ? 1 : 0);
    if (content.sheet) {
        out.text(content.sheet->name);
        out.number(content.sheet->rows.size());
        for (const SheetRow& row : content.sheet->rows) {
            out.number(row.number);
            out.number(row.cells.size());
            for (const std::string& cell : row.cells) out.text(cell);
        }
    }
    return out.take();
}

std::string encodeWorkbookRefusal(std::string_view reason) {
    Writer out(kRefusal);
    out.text(reason);
    return out.take();
}

WorkbookContent decodeWorkbookAnswer(std::string_view answer) {
    if (answer.empty()) throw WorkbookError("the workbook reader gave no answer");
    Reader in(answer.substr(1));
    if (answer[0] == kRefusal) throw WorkbookError(in.text());
    if (answer[0] != kContent) throw WorkbookError("the workbook reader gave an answer it should not");
    constexpr std::size_t kNumberBytes = sizeof(std::uint64_t);
    WorkbookContent content;
    content.sheetNames.resize(in.count(kNumberBytes));
    for (std::string& name : content.sheetNames) name = in.text();
    if (in.number() != 0) {
        Worksheet& sheet = content.sheet.emplace();
        sheet.name = in.text();
        sheet.rows.resize(in.count(2 * kNumberBytes));
        for (SheetRow& row : sheet.rows) {
            row.number = static_cast<std::size_t>(in.number());
            row.cells.resize(in.count(kNumberBytes));
            for (std::string& cell : row.cells) cell = in.text();
        }
    }
    return content;
}

}  // namespace telvanor
