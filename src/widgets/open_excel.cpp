#include "widgets/open_excel.h"

#include <QFileDialog>

#include "widgets/qt_text.h"

namespace telvanor {

OpenExcelDialog::OpenExcelDialog() {
    chooser_ = [](QWidget* parent, const std::filesystem::path& initialFolder) -> std::optional<std::filesystem::path> {
        QString file = QFileDialog::getOpenFileName(parent, "Open", toQtPath(initialFolder), "File EXCEL (*.xls)");
        if (file.isEmpty()) return std::nullopt;
        return pathFromQt(file);
    };
}

std::optional<std::filesystem::path> OpenExcelDialog::execute(QWidget* parent) const {
    return chooser_(parent, initialFolder_);
}

}  // namespace telvanor
