#include "editors/register_map/transmit_map_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "editors/register_map/register_map_exchange.h"
#include "editors/register_map/register_map_file.h"
#include "project/formats/register_map_format.h"
#include "widgets/error_boundary.h"
#include "widgets/open_excel.h"
#include "widgets/qt_text.h"
#include "widgets/wait_cursor.h"

namespace telvanor {

namespace {

const RegisterMapWindow::Layout kTransmitLayout = {
    "Transmit NMEA2000 Frame Info",
    "PRIOR       DP           PGN        ID_DEV",
    34,
    4,
};

}  // namespace

TFInfoTpdoMB::TFInfoTpdoMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel,
                           QWidget* parent)
    : RegisterMapWindow(MapKind::Transmit, kTransmitLayout, workspace, messages, parent), OpenExcel(openExcel) {
    setObjectName("FInfoTpdoMB");
    auto* writeGroup = new QGroupBox(toQt(infocob_xml::kWrite_J1939Caption), this);
    writeGroup->setObjectName("GroupBox1");
    CB_Send_J1939 = new QComboBox(writeGroup);
    CB_Send_J1939->setObjectName("CB_Send_J1939");
    CB_Send_J1939->setAccessibleName(toQt(infocob_xml::kWrite_J1939Caption));
    CB_Send_J1939->addItems({"False", "True"});
    CB_Send_J1939->setCurrentIndex(kWriteFalse);
    auto* writeLayout = new QHBoxLayout(writeGroup);
    writeLayout->addWidget(CB_Send_J1939);
    writeLayout->addStretch(1);

    connectGuarded(button1, &QPushButton::clicked, messages_, this, &TFInfoTpdoMB::Button1Click);
    connectGuarded(bitbtn4, &QPushButton::clicked, messages_, this, &TFInfoTpdoMB::BitBtn4Click);
    layOut(highRow_, lowRow_, writeGroup);
}

void TFInfoTpdoMB::beforeShow() {
    // Only the enabled state follows the project; the choice stays from the last show.
    CB_Send_J1939->setEnabled(LoadWriteNmeaOption(workspace().ProjectDir));
}

int TFInfoTpdoMB::writeChoice() const { return CB_Send_J1939->currentIndex(); }

void TFInfoTpdoMB::showWriteChoice(std::string_view writeText) {
    CB_Send_J1939->setCurrentIndex(writeChoiceFor(writeText));
}

// Writes the map as it stands, unsaved edits included; the window and the map stay as they are.
void TFInfoTpdoMB::Button1Click() { ExportRegisterMap(workspace().ProjectDir, registerMap()); }

void TFInfoTpdoMB::BitBtn4Click() {
    std::optional<std::filesystem::path> workbook = OpenExcel.execute(this);
    if (!workbook) return;
    {
        WaitCursor busy;
        // Every way the import ends is silent; the map keeps what it did so far.
        ImportRegisterMap(*workbook, editedMap());
    }
    // The mapping list and the detail controls are cleared. The selected frame's lines are
    // listed again at once, so that a line always stands for the mapping at its position:
    // an empty list beside a frame that has mappings would let New label its line "Ind Mb 0"
    // and let Modify and Delete of that line change the frame's first mapping instead.
    showSelectedFrame();
}

}  // namespace telvanor
