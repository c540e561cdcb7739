#include "update/boot_serial_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "project/workspace.h"
#include "update/com_port_names.h"
#include "update/port_choice.h"
#include "update/run_and_wait.h"
#include "update/updater_command.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

constexpr const char* kCaption = "Update Firmware from Serial (RS232)";
constexpr const char* kComPortCannotBeOpen = "Error!! Com Port cannot be open.";
constexpr const char* kSelectOnePort = "Select one port.";
constexpr int kIndent = 22;

QLabel* heading(const char* name, const QString& text, QWidget* parent) {
    QLabel* made = namedLabel(name, text, parent);
    QFont font = made->font();
    font.setBold(true);
    made->setFont(font);
    return made;
}

QPushButton* button(const char* name, const QString& caption, QWidget* parent) {
    return named(new QPushButton(caption, parent), name);
}

QCheckBox* option(const char* name, const QString& caption, QWidget* parent) {
    auto* made = new QCheckBox(caption, parent);
    made->setObjectName(name);
    made->setChecked(true);
    return made;
}

QHBoxLayout* indented(QWidget* widget) {
    auto* row = new QHBoxLayout;
    row->addSpacing(kIndent);
    row->addWidget(widget);
    row->addStretch();
    return row;
}

}  // namespace

TFBootSer::TFBootSer(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      workspace_(workspace),
      messages_(messages),
      port_(std::make_unique<SerialBootPort>()),
      listSystemPorts_(systemSerialPorts) {
    setObjectName("FBootSer");
    setWindowTitle(kCaption);
    buildLayout();
    fillPortList();
    CB_Com_->setCurrentIndex(0);
    fitToContent();
}

TFBootSer::~TFBootSer() = default;

void TFBootSer::buildLayout() {
    stepsPage_ = new QWidget;
    stepsPage_->setObjectName("stepsPage");
    QLabel* Label1 = heading("Label1", "Follow these steps to update the RM40915 from RS232:", stepsPage_);
    QLabel* Label2 = namedLabel("Label2", "1 - Turn OFF the Device", stepsPage_);
    QLabel* Label3 = namedLabel("Label3", "2 - Connect the RS232 cable", stepsPage_);
    QLabel* Label4 = namedLabel("Label4", "3 - Select the  COM port and press the connect button", stepsPage_);
    QLabel* Label5 = namedLabel("Label5", "4 - Turn ON the Device", stepsPage_);
    QLabel* Label6 = namedLabel("Label6", "5 - Check the BOOT led. It must blink quickly", stepsPage_);

    CB_Com_ = makePortChoice("CB_Com", "COM port", stepsPage_);
    Label4->setBuddy(CB_Com_);
    QPushButton* LbButton1 = button("LbButton1", "Connect", stepsPage_);
    QPushButton* LbButton3 = button("LbButton3", "Cancel", stepsPage_);
    LbButton2_ = button("LbButton2", "Next", stepsPage_);

    auto* portRow = new QHBoxLayout;
    portRow->addSpacing(kIndent);
    portRow->addWidget(CB_Com_);
    portRow->addWidget(LbButton1);
    portRow->addStretch();
    auto* stepButtons = new QHBoxLayout;
    stepButtons->addStretch();
    stepButtons->addWidget(LbButton3);
    stepButtons->addWidget(LbButton2_);

    auto* steps = new QVBoxLayout(stepsPage_);
    steps->setContentsMargins(0, 0, 0, 0);
    steps->addWidget(Label1);
    steps->addSpacing(6);
    steps->addWidget(Label2);
    steps->addWidget(Label3);
    steps->addWidget(Label4);
    steps->addLayout(portRow);
    steps->addWidget(Label5);
    steps->addWidget(Label6);
    steps->addStretch();
    steps->addSpacing(10);
    steps->addLayout(stepButtons);

    // The options page covers the whole frame, the steps page's buttons included.
    Panel1_ = new QWidget;
    Panel1_->setObjectName("Panel1");
    QLabel* Label7 = heading("Label7", "Update Device Options", Panel1_);
    CB_Firm_ = option("CB_Firm", "Firmware", Panel1_);
    CB_RFirm_ = option("CB_RFirm", "Read Firmware when finish", Panel1_);
    CB_Proj_ = option("CB_Proj", "Project", Panel1_);
    CB_RProj_ = option("CB_RProj", "Read Project when finish", Panel1_);
    LbButton4_ = button("LbButton4", "Execute update firmware", Panel1_);
    LRunState_ = namedLabel("LRunState", QString(), Panel1_);
    LRunState_->setMinimumWidth(LRunState_->fontMetrics().horizontalAdvance(runStateText(kUpdaterTimeout)));
    LRunState_->setMinimumHeight(LRunState_->fontMetrics().height());

    auto* executeRow = new QHBoxLayout;
    executeRow->addStretch();
    executeRow->addWidget(LbButton4_);
    auto* options = new QVBoxLayout(Panel1_);
    options->setContentsMargins(0, 0, 0, 0);
    options->addWidget(Label7);
    options->addSpacing(6);
    options->addWidget(CB_Firm_);
    options->addLayout(indented(CB_RFirm_));
    options->addWidget(CB_Proj_);
    options->addLayout(indented(CB_RProj_));
    options->addStretch();
    options->addSpacing(10);
    options->addLayout(executeRow);
    options->addWidget(LRunState_);

    pages_ = new QStackedWidget(this);
    pages_->addWidget(stepsPage_);
    pages_->addWidget(Panel1_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 14, 18, 14);
    outer->addWidget(pages_);

    connectGuarded(LbButton1, &QPushButton::clicked, messages_, this, &TFBootSer::LbButton1Click);
    connectGuarded(LbButton2_, &QPushButton::clicked, messages_, this, &TFBootSer::LbButton2Click);
    connect(LbButton3, &QPushButton::clicked, this, &QDialog::reject);
    connectGuarded(LbButton4_, &QPushButton::clicked, messages_, this, &TFBootSer::LbButton4Click);

    setTabOrder(CB_Com_, LbButton1);
    setTabOrder(LbButton1, LbButton3);
    setTabOrder(LbButton3, LbButton2_);
    setTabOrder(CB_Firm_, CB_RFirm_);
    setTabOrder(CB_RFirm_, CB_Proj_);
    setTabOrder(CB_Proj_, CB_RProj_);
    setTabOrder(CB_RProj_, LbButton4_);
}

void TFBootSer::fillPortList() { fillPortChoice(CB_Com_, listSystemPorts_); }

std::optional<std::string> TFBootSer::heldDevice() const {
    if (!port_->isOpen()) return std::nullopt;
    return serialDeviceOf(fromQt(CB_Com_->currentText()));
}

void TFBootSer::fitToContent() {
    layout()->activate();
    setFixedSize(sizeHint());
}

void TFBootSer::showEvent(QShowEvent* event) {
    // A window restored from the task bar is not shown anew.
    if (!event->spontaneous()) FormShow();
    QDialog::showEvent(event);
}

void TFBootSer::FormShow() {
    pages_->setCurrentWidget(stepsPage_);
    portTested_ = false;
    fillPortList();
    fitToContent();
    LbButton4_->setDefault(false);
    LbButton2_->setDefault(true);
    CB_Com_->setFocus();
}

void TFBootSer::LbButton1Click() {
    portTested_ = false;
    port_->close();
    std::string device = serialDeviceOf(fromQt(CB_Com_->currentText()));
    if (port_->open(device) == PortOpening::Opened)
        portTested_ = true;
    else
        messages_.error(kComPortCannotBeOpen);
}

void TFBootSer::LbButton2Click() {
    if (!portTested_) {
        messages_.error(kSelectOnePort);
        return;
    }
    pages_->setCurrentWidget(Panel1_);
    port_->close();
    LbButton2_->setDefault(false);
    LbButton4_->setDefault(true);
    CB_Firm_->setFocus();
}

void TFBootSer::LbButton4Click() {
    QWidget* controls[] = {CB_Firm_, CB_RFirm_, CB_Proj_, CB_RProj_, LbButton4_};
    for (QWidget* control : controls) control->setEnabled(false);
    runGuarded(messages_, [&] {
        UpdateOptions options{CB_Firm_->isChecked(), CB_RFirm_->isChecked(), CB_Proj_->isChecked(),
                              CB_RProj_->isChecked()};
        std::string parameters =
            updaterParameters(fromQt(CB_Com_->currentText()), options, workspace_.MasterDir, workspace_.ProjectDir);
        RunAndWait(updaterProgramPath(workspace_.ExeDir), parameters, false, messages_,
                   [this](std::chrono::milliseconds elapsed) { showRunState(elapsed); });
    });
    LRunState_->clear();
    for (QWidget* control : controls) control->setEnabled(true);
    LbButton4_->setFocus();
}

QString TFBootSer::runStateText(std::chrono::milliseconds elapsed) const {
    using std::chrono::duration_cast;
    using std::chrono::seconds;
    return QString("%1 is running: %2 s of at most %3 s")
        .arg(toQt(kUpdaterProgram))
        .arg(duration_cast<seconds>(elapsed).count())
        .arg(duration_cast<seconds>(kUpdaterTimeout).count());
}

void TFBootSer::showRunState(std::chrono::milliseconds elapsed) { LRunState_->setText(runStateText(elapsed)); }

void TFBootSer::done(int result) {
    port_->close();
    QDialog::done(result);
}

}  // namespace telvanor
