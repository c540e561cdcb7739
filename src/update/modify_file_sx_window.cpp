#include "update/modify_file_sx_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "platform/path_text.h"
#include "project/file_lookup.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"
#include "widgets/wait_cursor.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// The progress bar of the running bank step.
class BarProgress : public FirmwareProgress {
public:
    explicit BarProgress(QProgressBar* bar) : bar_(bar) {}
    void reset() override { bar_->setValue(0); }
    void setMaximum(int maximum) override {
        bar_->setRange(0, maximum);
        bar_->setValue(0);
    }
    // QProgressBar repaints at once when the drawn value changes, so the bar moves while the
    // step runs on the user-interface thread.
    void advance() override { bar_->setValue(bar_->value() + 1); }

private:
    QProgressBar* bar_;
};

}  // namespace

TFModifyFileSx::TFModifyFileSx(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : ProjectWindow("FModifyFileSx", "Generate Firmware", workspace, messages, parent) {
    auto* LbButton1 = new QPushButton("X", this);
    LbButton1->setObjectName("LbButton1");
    LbButton1->setAccessibleName("Close");
    LbButton1->setToolTip("Close the window");
    LbButton1->setAutoDefault(false);
    LbButton1->setFixedWidth(LbButton1->sizeHint().height() + 8);

    cbport_ = new QComboBox(this);
    cbport_->setObjectName("cbport");
    cbport_->setAccessibleName("Port");
    for (int port = 1; port <= 8; ++port) cbport_->addItem(QString("COM%1").arg(port));

    LbButton2_ = new QPushButton("Execute update firmware", this);
    LbButton2_->setObjectName("LbButton2");
    LbButton2_->setDefault(true);

    Avanzamento_ = new QProgressBar(this);
    Avanzamento_->setObjectName("Avanzamento");
    Avanzamento_->setAccessibleName("Progress");
    Avanzamento_->setMinimumWidth(320);

    // The bank choice and the output file name carry state but are never shown.
    auto* banks = new QGroupBox("Banks", this);
    banks->setObjectName("GroupBanks");
    auto* bankColumn = new QVBoxLayout(banks);
    for (int bank = 0; bank < kBankCount; ++bank) {
        Cbbank_[bank] = new QCheckBox(QString("Bank %1").arg(bank + 1), banks);
        Cbbank_[bank]->setObjectName(QString("Cbbank%1").arg(bank + 1));
        bankColumn->addWidget(Cbbank_[bank]);
    }
    banks->hide();
    NewFileSx_ = new QLineEdit(this);
    NewFileSx_->setObjectName("NewFileSx");
    NewFileSx_->hide();

    auto* top = new QHBoxLayout;
    top->addStretch(1);
    top->addWidget(LbButton1);

    auto* controls = new QHBoxLayout;
    controls->addWidget(cbport_);
    controls->addWidget(LbButton2_, 1);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 8, 8, 16);
    outer->addLayout(top);
    outer->addLayout(controls);
    outer->addSpacing(8);
    outer->addWidget(Avanzamento_);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(LbButton1, &QPushButton::clicked, this, &QDialog::reject);
    connectGuarded(LbButton2_, &QPushButton::clicked, messages_, this, &TFModifyFileSx::LbButton2Click);
    setTabOrder(cbport_, LbButton2_);
    setTabOrder(LbButton2_, LbButton1);
}

void TFModifyFileSx::placeOnScreen() {
    // The window stands above the middle of the screen, centred across it.
    if (QScreen* display = screen()) {
        QRect area = display->availableGeometry();
        move(std::max(area.x(), area.x() + (area.width() - width()) / 2),
             std::max(area.y(), area.y() + area.height() / 2 - height()));
    }
}

void TFModifyFileSx::FormShow() {
    for (int bank = 0; bank < kBankCount; ++bank) Cbbank_[bank]->setChecked(kEnabledBanks[bank]);
    cbport_->setCurrentIndex(0);
    Avanzamento_->setValue(0);
    LbButton2_->setEnabled(false);

    FirmwareFiles files = FirmwareFilesFor(workspace_);
    if (!findFileNoCase(files.masterDir, files.sourceName)) {
        messages_.error("Error file " + files.sourceName + " not found");
        return;
    }
    files_ = files;
    NewFileSx_->setText(toQt(files_.outputName));
    LbButton2_->setEnabled(true);
    cbport_->setFocus();
}

void TFModifyFileSx::LbButton2Click() {
    FirmwareFiles files = files_;
    files.outputName = fromQt(NewFileSx_->text());
    for (int bank = 0; bank < kBankCount; ++bank) files.banksEnabled[bank] = Cbbank_[bank]->isChecked();
    // The flash step runs whatever the merge gave: it checks its own files.
    runGuarded(messages_, [&] { mergeBanks(files); });
    runGuarded(messages_, [&] { flash(files); });
}

void TFModifyFileSx::mergeBanks(const FirmwareFiles& files) {
    FirmwareOutcome merged;
    {
        WaitCursor busy;
        BarProgress progress(Avanzamento_);
        merged = MergeFirmwareBanks(files, progress);
    }
    if (merged.message) messages_.plain(*merged.message);
}

void TFModifyFileSx::flash(const FirmwareFiles& files) {
    FlashStart start = PrepareFlashStep(files, workspace_.ExeDir, cbport_->currentIndex());
    if (start.message) {
        messages_.plain(*start.message);
        return;
    }
    startFlashWrite(start);
}

void TFModifyFileSx::startFlashWrite(const FlashStart& start) {
    // FlashWrite.exe is started and left to itself: the window does not wait for it.
    QProcess process;
    process.setProgram(toQtPath(start.program));
#ifdef Q_OS_WIN
    // The command-line text goes to the program exactly as composed, without Qt's quoting.
    process.setNativeArguments(toQt(start.commandLine));
#else
    process.setArguments({toQt(start.commandLine)});
#endif
    process.setWorkingDirectory(toQtPath(start.workingFolder));
    if (!process.startDetached())
        messages_.error("Cannot start " + platform::utf8FromPath(start.program) + ": " + fromQt(process.errorString()));
}

}  // namespace telvanor
