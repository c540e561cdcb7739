#include "project/load_loss.h"

namespace telvanor {

namespace {

// At most this many runs are named; the rest are counted.
constexpr std::size_t kRunsNamed = 8;

std::string rowsText(const std::string& unit, std::size_t first, std::size_t last) {
    return first == last ? unit + " " + std::to_string(first)
                         : unit + "s " + std::to_string(first) + " to " + std::to_string(last);
}

std::string details(const LoadLoss& loss) {
    std::string text;
    auto line = [&text](const std::string& part) { text += (text.empty() ? "" : "\n") + part; };
    if (loss.partialRow)
        line(loss.unit + " " + std::to_string(*loss.partialRow) + ": " + loss.partialReason +
             "; the window holds the cells read before it");
    std::size_t named = 0;
    for (const DroppedRows& run : loss.dropped) {
        if (named++ == kRunsNamed) {
            line("and " + std::to_string(loss.dropped.size() - kRunsNamed) + " more");
            break;
        }
        line(rowsText(loss.unit, run.first, run.last) + ": " + run.reason);
    }
    return text;
}

}  // namespace

std::size_t LoadLoss::droppedCount() const {
    std::size_t count = 0;
    for (const DroppedRows& run : dropped) count += run.last - run.first + 1;
    return count;
}

void LoadLoss::drop(std::size_t first, std::size_t last, std::string reason) {
    if (first > last) return;
    if (!dropped.empty() && dropped.back().last + 1 == first && dropped.back().reason == reason) {
        dropped.back().last = last;
        return;
    }
    dropped.push_back({first, last, std::move(reason)});
}

void LoadLoss::stopAt(std::size_t row, std::size_t count, std::string reason, bool rowKept) {
    if (rowKept) {
        partialRow = row;
        partialReason = reason;
    } else {
        drop(row, row, reason);
    }
    drop(row + 1, count, "not read after " + unit + " " + std::to_string(row));
}

std::string lossNotice(const LoadLoss& loss) {
    if (loss.unreadable)
        return loss.file + " could not be read: " + *loss.unreadable +
               "\nThe file is replaced only once you confirm it at OK (never when it is no regular file or over the "
               "size limit).";
    if (!loss.any()) return {};
    std::string text = loss.file + ":\n" + details(loss);
    std::size_t lost = loss.droppedCount();
    if (lost > 0)
        text += "\nThe window holds " + std::to_string(loss.fileItems - lost) + " of the file's " +
                std::to_string(loss.fileItems) + " " + loss.items + "; OK asks before it saves fewer.";
    else
        text += "\nOK asks before it saves the row so.";
    return text;
}

std::string lossQuestion(const LoadLoss& loss) {
    const std::string kept = "(the old file is kept in backup/)";
    if (loss.unreadable)
        return loss.file + " could not be read: " + *loss.unreadable +
               "\n\nSaving now replaces it with what the window holds " + kept + ".";
    if (!loss.any()) return {};
    std::size_t lost = loss.droppedCount();
    std::string text;
    if (lost > 0)
        text = loss.file + ": " + std::to_string(lost) + " of its " + std::to_string(loss.fileItems) + " " +
               loss.items + " could not be read. Saving now keeps " + std::to_string(loss.fileItems - lost) +
               " and removes " + std::to_string(lost) + " " + kept + ".";
    else
        text = loss.file + ": " + loss.unit + " " + std::to_string(*loss.partialRow) +
               " could be read only in part. Saving now writes it as the window shows it " + kept + ".";
    return text + "\n\n" + details(loss);
}

std::string unseenRowsNotice(const std::string& file, std::size_t fileRows, std::size_t shownRows) {
    return file + " holds " + std::to_string(fileRows) + " rows; " + rowsText("row", shownRows + 1, fileRows) +
           (fileRows == shownRows + 1 ? " is" : " are") + " not shown and " +
           (fileRows == shownRows + 1 ? "is" : "are") + " written back unchanged.";
}

std::string unseenFailureQuestion(const std::string& file, std::size_t fileRows, std::size_t shownRows) {
    return "The message is about a row this window does not show: it shows " + std::to_string(shownRows) + " of the " +
           std::to_string(fileRows) + " rows of " + file + ".\n\nKeep the unseen " +
           rowsText("row", shownRows + 1, fileRows) +
           " (nothing is saved; they stay in the file as they are), or drop them (OK then saves the rows the "
           "window shows)?";
}

std::string tableEndText(const std::string& column, const std::string& endRow, const std::string& lastRow) {
    std::string lost =
        endRow == lastRow ? "its texts are" : "it and the rows below it to row " + lastRow + " hold texts that are";
    return "Row " + endRow + " has an empty " + column + ", so the table ends there: " + lost +
           " not saved. Saving now keeps the rows above it.";
}

std::string joinParagraphs(const std::vector<std::string>& paragraphs) {
    std::string text;
    for (const std::string& paragraph : paragraphs) text += (text.empty() ? "" : "\n\n") + paragraph;
    return text;
}

}  // namespace telvanor
