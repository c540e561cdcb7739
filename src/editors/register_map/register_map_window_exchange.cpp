// The register map windows' Export and Import buttons.
#include <QAction>
#include <QMenu>
#include <QPushButton>

#include "editors/register_map/register_map_window.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/open_excel.h"
#include "widgets/qt_text.h"

namespace telvanor {

void RegisterMapWindow::connectExchange() {
    // Export offers its two formats in a menu of the button, which the keyboard opens as well.
    auto* formats = new QMenu(button1);
    formats->setObjectName("exportFormats");
    for (auto [format, caption] :
         {std::pair{ExchangeFormat::Csv, "&CSV file"}, std::pair{ExchangeFormat::Xlsx, "&Excel workbook"}}) {
        QAction* action = formats->addAction(QString("%1 %2").arg(caption, toQt(exportFileName(kind_, format))));
        connectGuarded(action, &QAction::triggered, messages_, this, [this, format] { exportAs(format); });
    }
    button1->setMenu(formats);
    connectGuarded(bitbtn4, &QPushButton::clicked, messages_, this, &RegisterMapWindow::BitBtn4Click);
}

// Writes the map as it stands, unsaved edits included; the window and the map stay as they are.
void RegisterMapWindow::exportAs(ExchangeFormat format) {
    std::filesystem::path file = ExportRegisterMap(workspace_.ProjectDir, map_, format);
    messages_.information(exportMessage(map_, file));
}

// The map is replaced only by a worksheet that was read. The selected frame's mappings are then
// listed again at once, so that a line always stands for the mapping at its position.
void RegisterMapWindow::BitBtn4Click() {
    RegisterMap imported = map_;
    if (!OpenExcel.importInto(this, messages_, [&imported](const std::filesystem::path& workbook) {
            return ImportRegisterMap(workbook, imported);
        }))
        return;
    map_ = std::move(imported);
    showSelectedFrame();
}

}  // namespace telvanor
