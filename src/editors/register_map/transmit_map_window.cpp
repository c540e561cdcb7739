#include "editors/register_map/transmit_map_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>

#include "editors/register_map/register_map_file.h"
#include "project/formats/register_map_format.h"
#include "widgets/qt_text.h"

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
    : RegisterMapWindow(MapKind::Transmit, kTransmitLayout, workspace, messages, openExcel, parent) {
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

}  // namespace telvanor
