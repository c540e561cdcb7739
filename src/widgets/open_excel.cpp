#include "widgets/open_excel.h"

#include <QFileDialog>

#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"
#include "widgets/wait_cursor.h"

namespace telvanor {

namespace {

constexpr const char* kWorkbookFilter =
    "Workbooks and CSV files (*.xls *.xlsx *.csv);;File EXCEL (*.xls);;Excel workbook (*.xlsx);;"
    "CSV file (*.csv);;All files (*)";

}  // namespace

OpenExcelDialog::OpenExcelDialog() {
    chooser_ = [](QWidget* parent, const std::filesystem::path& initialFolder) -> std::optional<std::filesystem::path> {
        QString file = QFileDialog::getOpenFileName(parent, "Open", toQtPath(initialFolder), kWorkbookFilter);
        if (file.isEmpty()) return std::nullopt;
        return pathFromQt(file);
    };
}

std::optional<std::filesystem::path> OpenExcelDialog::execute(QWidget* parent) const {
    return chooser_(parent, initialFolder_);
}

bool OpenExcelDialog::importInto(QWidget* parent, MessageBoxes& messages, const Import& import) const {
    std::optional<std::filesystem::path> workbook = execute(parent);
    if (!workbook) return false;
    ImportSummary summary;
    {
        WaitCursor busy;
        summary = import(*workbook);
    }
    if (summary.changedTable())
        messages.information(importMessage(summary));
    else
        messages.error(importMessage(summary));
    return summary.changedTable();
}

}  // namespace telvanor
