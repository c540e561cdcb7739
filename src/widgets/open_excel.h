#pragma once

#include <filesystem>
#include <functional>
#include <optional>

#include "project/import_summary.h"

class QWidget;

namespace telvanor {

class MessageBoxes;

// The main window's file dialog for the workbooks the imports read (.xls, .xlsx and CSV files;
// "All files" too, since the reader tells the kind by the content). Its initial folder follows
// the current project folder: the main window sets it at start-up and whenever the project
// changes.
class OpenExcelDialog {
public:
    // Asks for a workbook; gives nothing when the user cancels. Replaceable for tests.
    using Chooser = std::function<std::optional<std::filesystem::path>(QWidget* parent,
                                                                       const std::filesystem::path& initialFolder)>;
    using Import = std::function<ImportSummary(const std::filesystem::path& workbook)>;

    OpenExcelDialog();

    void setInitialFolder(const std::filesystem::path& folder) { initialFolder_ = folder; }
    const std::filesystem::path& initialFolder() const { return initialFolder_; }
    void setChooser(Chooser chooser) { chooser_ = std::move(chooser); }

    // Shows the dialog over `parent`.
    std::optional<std::filesystem::path> execute(QWidget* parent) const;

    // The import of a window: asks for a workbook, runs `import` on it under the wait cursor and
    // shows what it did in one message (an error box when the table stayed as it was). Gives
    // whether the table was replaced; nothing happens when the user cancels.
    bool importInto(QWidget* parent, MessageBoxes& messages, const Import& import) const;

private:
    std::filesystem::path initialFolder_;
    Chooser chooser_;
};

}  // namespace telvanor
