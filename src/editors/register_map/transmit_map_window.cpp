#include "editors/register_map/transmit_map_window.h"

#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>

#include "app/error_boundary.h"
#include "editors/register_map/register_map_file.h"

namespace telvanor {

namespace {

const RegisterMapWindow::Layout kTransmitLayout = {
    "Transmit NMEA2000 Frame Info",
    "PRIOR       DP           PGN        ID_DEV",
    34,
    4,
};

}  // namespace

TFInfoTpdoMB::TFInfoTpdoMB(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : RegisterMapWindow(MapKind::Transmit, kTransmitLayout, workspace, messages, parent) {
    setObjectName("FInfoTpdoMB");
    auto* writeGroup = new QGroupBox("Write NMEA2000 Frame", this);
    writeGroup->setObjectName("GroupBox1");
    CB_Send_J1939 = new QComboBox(writeGroup);
    CB_Send_J1939->setObjectName("CB_Send_J1939");
    CB_Send_J1939->setAccessibleName("Write NMEA2000 Frame");
    CB_Send_J1939->addItems({"False", "True"});
    CB_Send_J1939->setCurrentIndex(kWriteFalse);
    auto* writeLayout = new QHBoxLayout(writeGroup);
    writeLayout->addWidget(CB_Send_J1939);
    writeLayout->addStretch(1);

    connect(button1, &QPushButton::clicked, this, [this] { runGuarded(messages_, [this] { Button1Click(); }); });
    connect(bitbtn4, &QPushButton::clicked, this, [this] { runGuarded(messages_, [this] { BitBtn4Click(); }); });
    layOut(highRow_, lowRow_, writeGroup);
}

void TFInfoTpdoMB::beforeShow() {
    // Only the enabled state follows the project; the choice stays from the last show.
    CB_Send_J1939->setEnabled(LoadWriteNmeaOption(workspace().ProjectDir));
}

int TFInfoTpdoMB::writeChoice() const { return CB_Send_J1939->currentIndex(); }

void TFInfoTpdoMB::showWriteChoice(std::string_view writeText) { CB_Send_J1939->setCurrentIndex(writeChoiceFor(writeText)); }

// The CSV export and the worksheet import of the map come with the spreadsheet exchange;
// until then the buttons are there and do nothing.
void TFInfoTpdoMB::Button1Click() {}

void TFInfoTpdoMB::BitBtn4Click() {}

}  // namespace telvanor
