#include "update/boot_serial_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QVBoxLayout>

#include "project/workspace.h"
#include "update/com_port_names.h"
#include "update/port_choice_box.h"
#include "update/port_registry.h"
#include "update/updater_command.h"
#include "update/updater_run.h"
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
// The status line is never narrower than this many characters; longer texts wrap.
constexpr int kStatusColumns = 58;

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
      listSystemPorts_(systemSerialPorts),
      stablePortFolder_(kStablePortFolder),
      rememberedPortFile_(rememberedPortFile()),
      run_(new UpdaterRun(messages, this)) {
    setObjectName("FBootSer");
    setWindowTitle(kCaption);
    buildLayout();
    fillPortList();
    CB_Com_->setCurrentIndex(0);
    connect(run_, &UpdaterRun::statusChanged, this, &TFBootSer::showStatus);
    connect(CB_Com_, &QComboBox::currentTextChanged, this, &TFBootSer::untestOnNewChoice);
    fitToContent();
}

TFBootSer::~TFBootSer() { closePort(); }

std::optional<std::chrono::milliseconds> TFBootSer::updaterRunningFor() const { return run_->runningFor(); }

void TFBootSer::setUpdaterTimeout(std::chrono::milliseconds timeout) { run_->setTimeout(timeout); }

void TFBootSer::buildLayout() {
    stepsPage_ = new QWidget;
    stepsPage_->setObjectName("stepsPage");
    QLabel* Label1 = heading("Label1", "Follow these steps to update the RM40915 from RS232:", stepsPage_);
    QLabel* Label2 = namedLabel("Label2", "1 - Turn OFF the Device", stepsPage_);
    QLabel* Label3 = namedLabel("Label3", "2 - Connect the RS232 cable", stepsPage_);
    QLabel* Label4 = namedLabel("Label4", "3 - Select the  COM port and press the connect button", stepsPage_);
    QLabel* Label5 = namedLabel("Label5", "4 - Turn ON the Device", stepsPage_);
    QLabel* Label6 = namedLabel("Label6", "5 - Check the BOOT led. It must blink quickly", stepsPage_);

    CB_Com_ = makePortChoiceBox("CB_Com", "COM port", stepsPage_);
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
    // The status line stands below both pages: reopened while an updater still runs, the
    // window says so on its first page.
    LRunState_ = namedLabel("LRunState", QString(), this);
    LRunState_->setWordWrap(true);
    LRunState_->setMinimumWidth(LRunState_->fontMetrics().averageCharWidth() * kStatusColumns);

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

    pages_ = new QStackedWidget(this);
    pages_->addWidget(stepsPage_);
    pages_->addWidget(Panel1_);
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 14, 18, 14);
    outer->addWidget(pages_);
    outer->addWidget(LRunState_);

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

void TFBootSer::fillPortList() { fillPortChoiceBox(CB_Com_, listSystemPorts_, stablePortFolder_); }

void TFBootSer::choosePort(const QString& name) { choosePortIn(CB_Com_, name); }

void TFBootSer::restoreRememberedPort() {
    portRestored_ = true;
    std::optional<std::string> remembered;
    runGuarded(messages_, [&] { remembered = rememberedPort(rememberedPortFile_); });
    if (remembered) choosePort(toQt(*remembered));
}

void TFBootSer::fitToContent() {
    layout()->activate();
    // A status line that wraps needs more height than the size hint allows for.
    QSize size = sizeHint();
    if (layout()->hasHeightForWidth())
        size.setHeight(std::max(size.height(), layout()->totalHeightForWidth(size.width())));
    setFixedSize(size);
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
    if (!portRestored_) restoreRememberedPort();
    fitToContent();
    LbButton4_->setDefault(false);
    LbButton2_->setDefault(true);
    CB_Com_->setFocus();
}

void TFBootSer::LbButton1Click() {
    portTested_ = false;
    closePort();
    QString chosen = CB_Com_->currentText().trimmed();
    if (std::optional<std::string> problem = portNameProblem(fromQt(chosen))) {
        messages_.error(*problem);
        return;
    }
    std::string device = serialDeviceOf(fromQt(chosen));
    if (std::optional<std::string> user = PortRegistry::program().userOf(device)) {
        messages_.error(std::string(kComPortCannotBeOpen) + "\n\n" + device + " is in use by " + *user + ".");
        return;
    }
    if (port_->open(device) != PortOpening::Opened) {
        messages_.error(kComPortCannotBeOpen);
        return;
    }
    portTested_ = true;
    testedPort_ = chosen;
    testedDevice_ = device;
    PortRegistry::program().hold(device, kPortUser);
    rememberPort(rememberedPortFile_, fromQt(chosen));
}

void TFBootSer::closePort() {
    port_->close();
    if (!testedDevice_.empty()) PortRegistry::program().release(testedDevice_, kPortUser);
}

// The tested port is the one the updater is told: another choice must be tested anew.
void TFBootSer::untestOnNewChoice(const QString& chosen) {
    if (!portTested_ || chosen.trimmed() == testedPort_) return;
    portTested_ = false;
    closePort();
}

void TFBootSer::LbButton2Click() {
    if (!portTested_) {
        messages_.error(kSelectOnePort);
        return;
    }
    pages_->setCurrentWidget(Panel1_);
    closePort();
    LbButton2_->setDefault(false);
    LbButton4_->setDefault(true);
    CB_Firm_->setFocus();
}

void TFBootSer::LbButton4Click() {
    UpdateOptions options{CB_Firm_->isChecked(), CB_RFirm_->isChecked(), CB_Proj_->isChecked(), CB_RProj_->isChecked()};
    run_->execute({updaterProgramPath(workspace_.ExeDir), workspace_.MasterDir, workspace_.ProjectDir,
                   fromQt(testedPort_), testedDevice_, options});
    LbButton4_->setFocus();
}

void TFBootSer::showStatus(const QString& text) {
    if (text == LRunState_->text()) return;
    LRunState_->setText(text);
    fitToContent();
}

void TFBootSer::done(int result) {
    closePort();
    QDialog::done(result);
}

}  // namespace telvanor
