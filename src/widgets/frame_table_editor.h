#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <QString>

#include "project/frame_table_file.h"
#include "widgets/page_captions.h"
#include "widgets/table_editor.h"

namespace telvanor {

// What the receive and transmit frame table editors share: their window around the grid, and
// a model of the file at `file` (a path that follows the current project) whose damage is
// shown with the rows the load left out, whose validation stops at the first bad row, and
// whose failed write is thrown.

inline TableWindow frameTableWindow(const char* objectName, const QString& title, const QString& gridName,
                                    const QString& gridDescription) {
    return {.objectName = objectName,
            .title = title,
            .pageCaption = kCan0PageCaption,
            .gridName = gridName,
            .gridDescription = gridDescription,
            .gridRows = kFrameTableGridRows};
}

template <typename Row>
TableModel<Row> frameTableModel(const std::filesystem::path& file,
                                FrameTableLoad<Row> (*load)(const std::filesystem::path&),
                                std::optional<std::string> (*validate)(const std::vector<Row>&),
                                void (*save)(const std::filesystem::path&, const std::vector<Row>&)) {
    return {
        [&file] { return file; },
        [&file, load] {
            FrameTableLoad<Row> loaded = load(file);
            // A file read in part names the row and attribute; what the load left out follows.
            // A file that cannot be read at all is said by the loss alone.
            std::optional<std::string> message;
            if (loaded.outcome == FrameTableOutcome::Failed && !loaded.loss.unreadable) message = loaded.failure;
            return TableLoad<Row>{std::move(loaded.rows), std::move(message), std::move(loaded.loss)};
        },
        singleFailure(validate),
        [&file, save](const std::vector<Row>& rows) -> std::optional<std::string> {
            save(file, rows);
            return std::nullopt;
        },
    };
}

}  // namespace telvanor
