#pragma once

#include <filesystem>
#include <functional>
#include <optional>

class QWidget;

namespace telvanor {

// The main window's file dialog for ".xls" workbooks, used by the worksheet imports. Its
// initial folder follows the current project folder: the main window sets it at start-up and
// whenever the project changes.
class OpenExcelDialog {
public:
    // Asks for a workbook; gives nothing when the user cancels. Replaceable for tests.
    using Chooser = std::function<std::optional<std::filesystem::path>(QWidget* parent,
                                                                       const std::filesystem::path& initialFolder)>;

    OpenExcelDialog();

    void setInitialFolder(const std::filesystem::path& folder) { initialFolder_ = folder; }
    const std::filesystem::path& initialFolder() const { return initialFolder_; }
    void setChooser(Chooser chooser) { chooser_ = std::move(chooser); }

    // Shows the dialog (filter "File EXCEL (*.xls)") over `parent`.
    std::optional<std::filesystem::path> execute(QWidget* parent) const;

private:
    std::filesystem::path initialFolder_;
    Chooser chooser_;
};

}  // namespace telvanor
