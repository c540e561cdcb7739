#include "update/boot_serial_window.h"

#include <algorithm>

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QShowEvent>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include "project/workspace.h"
#include "update/com_port_names.h"
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
constexpr int kDescriptionRole = Qt::UserRole + 1;
constexpr int kIndent = 22;

// The drop-down list shows each port's description in a column beside its name; the closed
// box shows the name alone, which is what Connect opens and the updater is told.
class PortItemDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QStyledItemDelegate::paint(painter, option, index);
        QString description = index.data(kDescriptionRole).toString();
        if (description.isEmpty()) return;
        QRect area = option.rect.adjusted(textStart(option, index), 0, 0, 0);
        painter->save();
        painter->setFont(option.font);
        painter->setPen(
            option.palette.color(option.state & QStyle::State_Selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(area, Qt::AlignLeft | Qt::AlignVCenter, description);
        painter->restore();
    }

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        QSize size = QStyledItemDelegate::sizeHint(option, index);
        QString description = index.data(kDescriptionRole).toString();
        if (!description.isEmpty())
            size.setWidth(textStart(option, index) + option.fontMetrics.horizontalAdvance(description) + kGap);
        return size;
    }

private:
    static constexpr int kGap = 24;

    // Where the descriptions begin: past the widest name of the list.
    static int textStart(const QStyleOptionViewItem& option, const QModelIndex& index) {
        int widest = 0;
        const QAbstractItemModel* model = index.model();
        for (int row = 0; row < model->rowCount(index.parent()); ++row)
            widest = std::max(widest, option.fontMetrics.horizontalAdvance(
                                          model->index(row, index.column(), index.parent()).data().toString()));
        return widest + 2 * kGap;
    }
};

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

    CB_Com_ = new QComboBox(stepsPage_);
    CB_Com_->setObjectName("CB_Com");
    CB_Com_->setEditable(false);
    CB_Com_->setAccessibleName("COM port");
    CB_Com_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    CB_Com_->setMinimumContentsLength(12);
    CB_Com_->setItemDelegate(new PortItemDelegate(CB_Com_));
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

void TFBootSer::fillPortList() {
    QString chosen = CB_Com_->currentText();
    CB_Com_->clear();
    auto add = [this](const ListedPort& port) {
        if (CB_Com_->findText(port.name, Qt::MatchExactly) >= 0) return;  // Windows reports COM names too
        CB_Com_->addItem(port.name);
        int row = CB_Com_->count() - 1;
        CB_Com_->setItemData(row, port.description, kDescriptionRole);
        CB_Com_->setItemData(row, port.description, Qt::ToolTipRole);
        CB_Com_->setItemData(row, port.description.isEmpty() ? port.name : port.name + " " + port.description,
                             Qt::AccessibleTextRole);
    };
    for (const ListedPort& port : fixedPorts()) add(port);
    if (listSystemPorts_)
        for (const ListedPort& port : listSystemPorts_()) add(port);
    // The choice stays as it was, even when the system no longer reports that port.
    if (!chosen.isEmpty() && CB_Com_->findText(chosen, Qt::MatchExactly) < 0) add({chosen, QString()});
    if (!chosen.isEmpty()) CB_Com_->setCurrentIndex(CB_Com_->findText(chosen, Qt::MatchExactly));
    CB_Com_->view()->setMinimumWidth(CB_Com_->view()->sizeHintForColumn(0) + 2 * CB_Com_->view()->frameWidth() + 24);
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
