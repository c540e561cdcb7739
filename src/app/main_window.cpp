#include "app/main_window.h"

#include <QCloseEvent>
#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "app/folder_chooser.h"
#include "app/maker_web_page.h"
#include "app/new_project_window.h"
#include "image/config_image.h"
#include "platform/path_text.h"
#include "project/formats/pargen_format.h"
#include "project/formats/receive_frames_format.h"
#include "project/formats/register_map_format.h"
#include "project/formats/transmit_frames_format.h"
#include "update/boot_serial_window.h"
#include "update/update_log.h"
#include "update/update_summary_window.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/project_window.h"
#include "widgets/qt_text.h"
#include "widgets/web_address_label.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr int kClientWidth = 564;
constexpr int kClientHeight = 259;
constexpr const char* kProjectNotValid = "Project not valid";
constexpr const char* kMainPageProduct = "TQ40915";

QLabel* stepLabel(const char* name, const QString& text, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setStyleSheet("color: grey");
    return label;
}

// The caption with `key` marked as its mnemonic, at the key's first place in it.
QString withMnemonic(QString caption, QChar key) {
    Q_ASSERT(caption.contains(key));
    caption.insert(caption.indexOf(key), '&');
    return caption;
}

}  // namespace

TFTelvanoreFirmWare::TFTelvanoreFirmWare(const fs::path& workspaceDir, MessageBoxes& messages, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint), messages_(messages) {
    setObjectName("FTelvanoreFirmWare");
    setWindowTitle(toQt(kStoredCaption));
    chooseFolder_ = [this](const QString& caption, const fs::path& root, fs::path& folder) {
        return ChooseFolder(this, caption, root, folder);
    };
    confirmUpdate_ = [this](const UpdateSummary& summary) {
        return UpdateSummaryWindow(summary, this).exec() == QDialog::Accepted;
    };
    buildLayout();
    FormCreate(workspaceDir);
}

QPushButton* TFTelvanoreFirmWare::makeButton(const char* name, const QString& caption) {
    auto* button = new QPushButton(caption, this);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

void TFTelvanoreFirmWare::buildLayout() {
    // Each button has a key of its own: Alt and the underlined letter press it.
    QPushButton* New = makeButton("New", withMnemonic("New project", 'N'));
    QPushButton* open = makeButton("open", withMnemonic("Open project", 'O'));
    QPushButton* btn_Prm_Gen = makeButton("btn_Prm_Gen", withMnemonic(toQt(kPargenStep), 'C'));
    QPushButton* btn_RCOB = makeButton("btn_RCOB", withMnemonic(toQt(kRCobDefStep), 'R'));
    QPushButton* btn_Info_RCOB = makeButton("btn_Info_RCOB", withMnemonic("Define NMEA", 'D'));
    QPushButton* btn_TCOB = makeButton("btn_TCOB", withMnemonic(toQt(kTCobDefStep), 'T'));
    QPushButton* btn_Info_TCOB = makeButton("btn_Info_TCOB", withMnemonic("Define NMEA", 'e'));
    QPushButton* CreateBin = makeButton("CreateBin", withMnemonic("Update Device", 'U'));
    // Beside the steps: every register of both maps in one table, and read live from the gateway.
    QPushButton* btn_Reg_Overview = makeButton("btn_Reg_Overview", withMnemonic("Register Overview", 'v'));
    QPushButton* btn_Monitor = makeButton("btn_Monitor", withMnemonic("Monitor", 'M'));
    QPushButton* about = makeButton("about", withMnemonic("About", 'A'));
    QPushButton* LbButton1 = makeButton("LbButton1", withMnemonic("X", 'X'));
    LbButton1->setAccessibleName("Close");
    LbButton1->setToolTip("Close the program");

    // Two "Define NMEA" buttons: their accessible names say which step they belong to.
    btn_Info_RCOB->setAccessibleName(toQt(kRInfoCobStep));
    btn_Info_TCOB->setAccessibleName(toQt(kTInfoCobStep));

    // Buttons of editors that the main window offers no way to reach; they only meet the
    // step handler's project check.
    QPushButton* hidden[] = {
        makeButton("btn_Sdo", "Set SDO Access"), makeButton("btn_transmit_PDO", "Set Transmit PDO"),
        makeButton("btn_Emcy_Wd", "Define EMCY Word"), makeButton("btn_Emcy", "Set Translate EMCY")};
    for (QPushButton* button : hidden) button->hide();

    Label6_ = named(new WebAddressLabel(toQt(kMakerHost).section("//", 1), this), "Label6");
    Label6_->setToolTip(toQt(makerPageAddress(kMainPageProduct)));
    connectGuarded(Label6_, &WebAddressLabel::activated, messages_, this, &TFTelvanoreFirmWare::Label6Click);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(10);
    const char* labelNames[] = {"Label1", "Label2", "Label3", "Label4", "Label5"};
    QPushButton* left[] = {New, btn_Prm_Gen, btn_RCOB, btn_TCOB, CreateBin};
    QPushButton* right[] = {open, btn_Monitor, btn_Info_RCOB, btn_Info_TCOB, btn_Reg_Overview};
    for (int row = 0; row < 5; ++row) {
        grid->addWidget(stepLabel(labelNames[row], QString("Step %1").arg(row + 1), this), row, 0);
        left[row]->setMinimumWidth(150);
        grid->addWidget(left[row], row, 1);
        if (right[row]) {
            right[row]->setMinimumWidth(150);
            grid->addWidget(right[row], row, 2);
        }
    }
    grid->setColumnStretch(3, 1);

    auto* corner = new QHBoxLayout;
    corner->addWidget(about);
    corner->addWidget(LbButton1);
    LbButton1->setFixedWidth(LbButton1->sizeHint().height() + 8);

    auto* outer = new QGridLayout(this);
    outer->setContentsMargins(20, 16, 16, 12);
    outer->addLayout(grid, 0, 0, 2, 1);
    outer->addLayout(corner, 0, 1, Qt::AlignTop | Qt::AlignRight);
    outer->addWidget(Label6_, 2, 0, 1, 2, Qt::AlignRight | Qt::AlignBottom);
    outer->setRowStretch(1, 1);

    connectGuarded(New, &QPushButton::clicked, messages_, this, &TFTelvanoreFirmWare::NewaClick);
    connectGuarded(open, &QPushButton::clicked, messages_, this, &TFTelvanoreFirmWare::OpenaClick);
    for (QPushButton* step : {btn_Prm_Gen, btn_Monitor, btn_RCOB, btn_Info_RCOB, btn_TCOB, btn_Info_TCOB,
                              btn_Reg_Overview, hidden[0], hidden[1], hidden[2], hidden[3]})
        connectGuarded(step, &QPushButton::clicked, messages_, this, [this, step] { btn_str_lng1aClick(step); });
    connectGuarded(CreateBin, &QPushButton::clicked, messages_, this, &TFTelvanoreFirmWare::CreateBinaClick);
    connectGuarded(about, &QPushButton::clicked, messages_, this, &TFTelvanoreFirmWare::aboutClick);
    connect(LbButton1, &QPushButton::clicked, this, &QWidget::close);

    // Tab order follows the rows, then the corner buttons and the web address.
    QList<QWidget*> order = {New,           open,      btn_Prm_Gen,   btn_Monitor, btn_RCOB,
                             btn_Info_RCOB, btn_TCOB,  btn_Info_TCOB, CreateBin,   btn_Reg_Overview,
                             about,         LbButton1, Label6_};
    chainTabOrder(order);

    setFixedSize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
    centreOnScreen(*this);
}

void TFTelvanoreFirmWare::FormCreate(const fs::path& workspaceDir) {
    WorkspaceStart start = InitWorkspace(workspaceDir);
    for (const std::string& notice : start.notices) messages_.error(notice);
    workspace_ = std::move(start.state);
    if (start.projectRestored) setProjectTitle();
    OpenExcel.setInitialFolder(workspace_.ProjectDir);
}

void TFTelvanoreFirmWare::setProjectTitle() { setWindowTitle(toQt(projectTitle(workspace_))); }

void TFTelvanoreFirmWare::setStepWindow(const QString& buttonName, QDialog* window) {
    stepWindows_[buttonName] = window;
}

void TFTelvanoreFirmWare::NewaClick() {
    if (!newProjectWindow_) return;
    newProjectWindow_->setDestination(workspace_.ProjectsDir);
    if (newProjectWindow_->exec() == QDialog::Accepted) {
        setProjectTitle();
        OpenExcel.setInitialFolder(workspace_.ProjectDir);
    } else
        // The project that was current stays current; only the title loses its name.
        setWindowTitle(toQt(kTitlePrefix));
}

void TFTelvanoreFirmWare::OpenaClick() {
    fs::path folder = workspace_.ProjectDir;
    chooseFolder_("Select directory of project", workspace_.ProjectsDir, folder);
    // The chooser stays beneath PROJECTS; a folder from elsewhere is never made the project.
    if (folder.empty())
        OpenProject(workspace_, folder);
    else if (std::optional<std::string> refusal = OpenProjectFolder(workspace_, folder)) {
        messages_.error(*refusal);
        return;
    }
    projectOpened();
}

void TFTelvanoreFirmWare::openProjectFolder(const fs::path& folder) {
    if (std::optional<std::string> refusal = OpenProjectFolder(workspace_, folder))
        messages_.error(*refusal);
    else
        projectOpened();
}

void TFTelvanoreFirmWare::projectOpened() {
    setProjectTitle();
    OpenExcel.setInitialFolder(workspace_.ProjectDir);
}

void TFTelvanoreFirmWare::btn_str_lng1aClick(QPushButton* button) {
    if (workspace_.ProjectDir.empty()) {
        messages_.plain(kProjectNotValid);
        return;
    }
    auto window = stepWindows_.find(button->objectName());
    if (window != stepWindows_.end() && window->second) window->second->exec();
}

void TFTelvanoreFirmWare::CreateBinaClick() {
    if (workspace_.ProjectDir.empty()) {
        messages_.plain(kProjectNotValid);
        return;
    }
    // The updater may still be reading bank.bin after a time-out: it is not rebuilt under it.
    if (auto running = updateWindow_ ? updateWindow_->updaterRunningFor() : std::nullopt) {
        messages_.error("The updater is still running (" + durationText(*running) +
                        "): bank.bin is not rebuilt while it may be reading it.");
        return;
    }
    // Check and build; the image is written only when nothing is refused, and a failure to
    // write it ends the handler here, shown by its guard. The summary lets the user go back.
    UpdateSummary summary = PrepareUpdate(workspace_.ProjectDir);
    if (!confirmUpdate_(summary) || !summary.mayGoOn()) return;
    if (updateWindow_)
        updateWindow_->exec();
    else
        messages_.information("The configuration image was written to " +
                              platform::utf8FromPath(configImagePath(workspace_.ProjectDir)));
}

void TFTelvanoreFirmWare::aboutClick() {
    if (aboutWindow_) aboutWindow_->exec();
}

void TFTelvanoreFirmWare::Label6Click() { openMakerPage(kMainPageProduct); }

void TFTelvanoreFirmWare::FormClose() {
    runGuarded(messages_, [&] { SaveWorkspace(workspace_); });
}

void TFTelvanoreFirmWare::closeEvent(QCloseEvent* event) {
    FormClose();
    event->accept();
}

}  // namespace telvanor
