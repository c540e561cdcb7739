#include "editors/pargen/pargen_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <utility>

#include "project/formats/pargen_format.h"
#include "project/parameter_lists.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"

namespace telvanor {

using namespace pargen_xml;

namespace {

constexpr const char* kCaption = "SET COMMUNICATION";

QLineEdit* edit(const char* name, const QString& accessibleName, const QString& value, QWidget* parent) {
    QLineEdit* field = namedEdit(name, accessibleName, parent);
    field->setText(value);
    return field;
}

template <std::size_t N>
QComboBox* list(const char* name, const QString& accessibleName, const std::array<std::string_view, N>& entries,
                QWidget* parent) {
    auto* box = named(new QComboBox(parent), name);
    for (std::string_view entry : entries) box->addItem(toQt(entry));
    box->setAccessibleName(accessibleName);
    return box;
}

// The position the bit-rate list has selected: the entry whose text is the one typed, or -1
// when the typed text names none.
int typedPosition(const QComboBox* box) {
    return box->findText(box->currentText(), Qt::MatchExactly | Qt::MatchCaseSensitive);
}

}  // namespace

TFpargen::TFpargen(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : ProjectWindow("Fpargen", kCaption, workspace, messages, parent) {
    buildControls();
}

void TFpargen::buildControls() {
    // NMEA 2000 side.
    GroupBox1 = named(new QGroupBox(" NMEA2000 ", this), "GroupBox1");
    CB_BR_CAN = list("CB_BR_CAN", toQt(kBaudRateCANControl), kCanBitRates, GroupBox1);
    CB_BR_CAN->setEditable(true);
    CB_BR_CAN->setInsertPolicy(QComboBox::NoInsert);
    // The typed text's own edit takes the focus, so it carries the name too.
    CB_BR_CAN->lineEdit()->setAccessibleName(CB_BR_CAN->accessibleName());
    CB_BR_CAN->setCurrentIndex(4);
    RB_CAN_A = named(new QRadioButton("CAN Bus 2.0A (CobID 11Bit)", GroupBox1), "RB_CAN_A");
    RB_CAN_B = named(new QRadioButton(toQt(kCANTypeControl), GroupBox1), "RB_CAN_B");
    RB_CAN_B->setChecked(true);
    E_TO_Data = edit("E_TO_Data", toQt(kTimeOut_DataControl), "0", GroupBox1);
    E_TO_MR = edit("E_TO_MR", toQt(kTO_ModRegControl), "1", GroupBox1);
    CB_PtoP = named(new QCheckBox(toQt(kPeer_to_PeerControl), GroupBox1), "CB_PtoP");
    CB_En_W_J1939 = named(new QCheckBox(toQt(kWrite_J1939Control), GroupBox1), "CB_En_W_J1939");
    CB_Send_Every = named(new QCheckBox(toQt(kSend_EveryControl), GroupBox1), "CB_Send_Every");
    E_SE_ms = edit("E_SE_ms", toQt(kSE_msControl), "1000", GroupBox1);
    CB_EnRemReq = named(new QCheckBox(toQt(kEn_Rem_ReqControl), GroupBox1), "CB_EnRemReq");
    E_Pri_Des = edit("E_Pri_Des", toQt(kPri_DesControl), "0", GroupBox1);
    E_PGN1 = edit("E_PGN1", toQt(kPGN1Control), "0", GroupBox1);
    E_PGN2 = edit("E_PGN2", toQt(kPGN2Control), "0", GroupBox1);
    E_SA = edit("E_SA", toQt(kSAControl), "0", GroupBox1);

    auto* canTypes = new QButtonGroup(GroupBox1);
    canTypes->addButton(RB_CAN_A);
    canTypes->addButton(RB_CAN_B);

    auto* nmea = new QGridLayout(GroupBox1);
    addLabelled(nmea, 0, 0, "Baud rate", CB_BR_CAN);
    nmea->addWidget(RB_CAN_A, 1, 0, 1, 3);
    nmea->addWidget(RB_CAN_B, 2, 0, 1, 3);
    addLabelled(nmea, 3, 0, "TimeOut Data", E_TO_Data);
    nmea->addWidget(new QLabel("(Sec.)", GroupBox1), 3, 2);
    addLabelled(nmea, 4, 0, "Modbus Register", E_TO_MR);
    nmea->addWidget(CB_PtoP, 5, 0, 1, 3);
    nmea->addWidget(CB_En_W_J1939, 6, 0, 1, 3);
    nmea->addWidget(CB_Send_Every, 7, 0);
    nmea->addWidget(E_SE_ms, 7, 1);
    nmea->addWidget(new QLabel("ms", GroupBox1), 7, 2);
    nmea->addWidget(CB_EnRemReq, 8, 0, 1, 3);
    // The four registers of the remote request, indented beneath their check box.
    std::pair<const char*, QLineEdit*> registers[] = {{"Priority and Destiantion ", E_Pri_Des},
                                                      {"PGN Part 1", E_PGN1},
                                                      {"PGN Part 2", E_PGN2},
                                                      {"Source Address", E_SA}};
    int row = 9;
    for (auto [caption, field] : registers) {
        QLabel* registerLabel = buddyLabel(caption, field, GroupBox1);
        registerLabel->setIndent(20);
        nmea->addWidget(registerLabel, row, 0);
        nmea->addWidget(field, row++, 1);
    }
    nmea->setColumnStretch(1, 1);

    // Serial side.
    GroupBox4 = named(new QGroupBox(" Serial ", this), "GroupBox4");
    RB_RS232 = named(new QRadioButton("RS232", GroupBox4), "RB_RS232");
    RB_RS485 = named(new QRadioButton(toQt(kSerialControl), GroupBox4), "RB_RS485");
    RB_RS485->setChecked(true);
    CB_BR_RTU = list("CB_BR_RTU", toQt(kBaud_SerControl), kSerialBaudRates, GroupBox4);
    CB_BR_RTU->setCurrentIndex(3);
    CB_PAR_RTU = list("CB_PAR_RTU", toQt(kPar_SerControl), kParities, GroupBox4);
    CB_PAR_RTU->setCurrentIndex(0);
    E_ID_RTU = edit("E_ID_RTU", toQt(kIDDev_SerControl), "1", GroupBox4);
    E_TIME_RTU = edit("E_TIME_RTU", toQt(kTimeOut_SerControl), "1000", GroupBox4);
    auto* lines = new QButtonGroup(GroupBox4);
    lines->addButton(RB_RS232);
    lines->addButton(RB_RS485);

    auto* serial = new QGridLayout(GroupBox4);
    auto* lineChoice = new QHBoxLayout;
    lineChoice->addWidget(RB_RS232);
    lineChoice->addWidget(RB_RS485);
    lineChoice->addStretch(1);
    serial->addLayout(lineChoice, 0, 0, 1, 2);
    addLabelled(serial, 1, 0, "Baud rate", CB_BR_RTU);
    addLabelled(serial, 2, 0, "Parity", CB_PAR_RTU);
    addLabelled(serial, 3, 0, "Dev ID", E_ID_RTU);
    // The serial time-out is kept in the file but not offered.
    QLabel* timeoutLabel = buddyLabel("Timeout  (ms)", E_TIME_RTU, GroupBox4);
    serial->addWidget(timeoutLabel, 4, 0);
    serial->addWidget(E_TIME_RTU, 4, 1);
    timeoutLabel->hide();
    E_TIME_RTU->hide();
    serial->setColumnStretch(1, 1);

    // Hardware variant; neither is selected until the first showing.
    GroupBox9 = named(new QGroupBox(" Hardware ", this), "GroupBox9");
    GroupBox9->setAccessibleName(toQt(kHW_TypeControl));
    RB_HWType_A1 = named(new QRadioButton("RM40915-A1", GroupBox9), "RB_HWType_A1");
    RB_HWType_B2 = named(new QRadioButton("RM40915-B2", GroupBox9), "RB_HWType_B2");
    auto* variants = new QButtonGroup(GroupBox9);
    variants->addButton(RB_HWType_A1);
    variants->addButton(RB_HWType_B2);
    auto* hardware = new QHBoxLayout(GroupBox9);
    hardware->addWidget(RB_HWType_A1);
    hardware->addWidget(RB_HWType_B2);
    hardware->addStretch(1);

    bitbtn1 = named(new QPushButton("OK", this), "bitbtn1");
    bitbtn1->setDefault(true);
    bitbtn2 = named(new QPushButton("Cancel", this), "bitbtn2");
    bitbtn2->setAutoDefault(false);
    connectGuarded(bitbtn1, &QPushButton::clicked, messages_, this, &TFpargen::BitBtn1Click);
    connect(bitbtn2, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bitbtn1);
    buttons->addWidget(bitbtn2);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(GroupBox1);
    layout->addWidget(GroupBox4);
    layout->addWidget(GroupBox9);
    layout->addLayout(buttons);
    // Fixed size, always the size its content needs.
    layout->setSizeConstraint(QLayout::SetFixedSize);

    chainTabOrder({CB_BR_CAN, RB_CAN_A,    RB_CAN_B,  E_TO_Data,    E_TO_MR,      CB_PtoP, CB_En_W_J1939, CB_Send_Every,
                   E_SE_ms,   CB_EnRemReq, E_Pri_Des, E_PGN1,       E_PGN2,       E_SA,    RB_RS232,      RB_RS485,
                   CB_BR_RTU, CB_PAR_RTU,  E_ID_RTU,  RB_HWType_A1, RB_HWType_B2, bitbtn1, bitbtn2});
}

void TFpargen::FormShow() {
    editGuard_.beginShow(workspace_.PargenPath);
    CommParamsLoad load = LoadCommParams(workspace_.PargenPath, typedParams());
    editGuard_.setLoss(load.loss);
    RB_CAN_A->setChecked(true);
    RB_CAN_A->setEnabled(false);
    RB_CAN_B->setEnabled(false);
    // A file that does not parse is ignored: the controls keep what they held. It is told,
    // and so are elements that OK would drop, so that OK replaces nothing unsaid.
    if (load.loss.any()) messages_.information(lossNotice(load.loss));
    if (load.outcome != CommParamsOutcome::Unreadable) {
        showParams(load.params);
        RB_CAN_B->setEnabled(load.canTypeEnabled);
        bitbtn1->setFocus();
    }
    shownParams_ = typedParams();
}

bool TFpargen::hasChanges() const { return typedParams() != shownParams_; }

void TFpargen::showParams(const CommParams& p) {
    CB_BR_CAN->setCurrentIndex(p.BaudRateCAN);
    (p.CANType ? RB_CAN_B : RB_CAN_A)->setChecked(true);
    CB_BR_RTU->setCurrentIndex(p.Baud_Ser);
    CB_PAR_RTU->setCurrentIndex(p.Par_Ser);
    E_ID_RTU->setText(toQt(p.IDDev_Ser));
    E_TIME_RTU->setText(toQt(p.TimeOut_Ser));
    E_TO_Data->setText(toQt(p.TimeOut_Data));
    E_TO_MR->setText(toQt(p.TO_ModReg));
    CB_PtoP->setChecked(p.Peer_to_Peer);
    (p.Serial ? RB_RS485 : RB_RS232)->setChecked(true);
    CB_En_W_J1939->setChecked(p.Write_J1939);
    CB_EnRemReq->setChecked(p.En_Rem_Req);
    E_Pri_Des->setText(toQt(p.Pri_Des));
    E_PGN1->setText(toQt(p.PGN1));
    E_PGN2->setText(toQt(p.PGN2));
    E_SA->setText(toQt(p.SA));
    CB_Send_Every->setChecked(p.Send_Every);
    E_SE_ms->setText(toQt(p.SE_ms));
    (p.HW_Type ? RB_HWType_B2 : RB_HWType_A1)->setChecked(true);
}

CommParams TFpargen::typedParams() const {
    CommParams p;
    p.BaudRateCAN = typedPosition(CB_BR_CAN);
    p.CANType = !RB_CAN_A->isChecked();
    p.Baud_Ser = CB_BR_RTU->currentIndex();
    p.Par_Ser = CB_PAR_RTU->currentIndex();
    p.IDDev_Ser = fromQt(E_ID_RTU->text());
    p.TimeOut_Ser = fromQt(E_TIME_RTU->text());
    p.TimeOut_Data = fromQt(E_TO_Data->text());
    p.TO_ModReg = fromQt(E_TO_MR->text());
    p.Peer_to_Peer = CB_PtoP->isChecked();
    p.Serial = RB_RS485->isChecked();
    p.Write_J1939 = CB_En_W_J1939->isChecked();
    p.En_Rem_Req = CB_EnRemReq->isChecked();
    p.Pri_Des = fromQt(E_Pri_Des->text());
    p.PGN1 = fromQt(E_PGN1->text());
    p.PGN2 = fromQt(E_PGN2->text());
    p.SA = fromQt(E_SA->text());
    p.Send_Every = CB_Send_Every->isChecked();
    p.SE_ms = fromQt(E_SE_ms->text());
    // Variant B2 also when neither is selected.
    p.HW_Type = !RB_HWType_A1->isChecked();
    return p;
}

void TFpargen::BitBtn1Click() {
    CommParams params = typedParams();
    if (std::optional<std::string> refusal = Controllo_Dati(params)) {
        messages_.error(*refusal);
        return;
    }
    if (!editGuard_.confirmSave()) return;
    SaveCommParams(workspace_.PargenPath, params);
    accept();
}

}  // namespace telvanor
