#include "monitor/monitor_window.h"

#include <algorithm>
#include <utility>

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QVBoxLayout>

#include "monitor/monitor_output.h"
#include "monitor/monitor_table_model.h"
#include "monitor/serial_line.h"
#include "project/integer_text.h"
#include "project/parameter_lists.h"
#include "project/workspace.h"
#include "update/com_port_names.h"
#include "update/port_choice_box.h"
#include "update/port_choices.h"
#include "update/port_registry.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"
#include "widgets/row_table.h"
#include "widgets/wait_cursor.h"

namespace telvanor {

namespace {

constexpr const char* kTitle = "Monitor";
// How often the window looks for what the reads brought.
constexpr std::chrono::milliseconds kPollInterval{50};
constexpr int kLongestInterval = 60'000;

template <typename Control>
Control* namedControl(Control* control, const char* name, const QString& accessibleName) {
    named(control, name)->setAccessibleName(accessibleName);
    return control;
}

QSpinBox* namedSpinBox(const char* name, const QString& accessibleName, int lowest, int highest, QWidget* parent) {
    auto* spinBox = namedControl(new QSpinBox(parent), name, accessibleName);
    spinBox->setRange(lowest, highest);
    // Its edit takes the focus itself: a screen reader names it by the same label.
    if (auto* edit = spinBox->findChild<QLineEdit*>()) edit->setAccessibleName(accessibleName);
    return spinBox;
}

QString hex(unsigned value) { return "0x" + QString("%1").arg(value, 4, 16, QChar('0')).toUpper(); }

}  // namespace

MonitorWindow::MonitorWindow(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : ProjectWindow("Monitor", kTitle, workspace, messages, parent,
                    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      listSystemPorts_(systemSerialPorts),
      rememberedPortFile_(rememberedPortFile()),
      poll_(new QTimer(this)),
      model_(new MonitorTableModel(this)) {
    buildLayout();
    connect(poll_, &QTimer::timeout, this, [this] { runGuarded(messages_, [this] { pollSession(); }); });
    showState(false);
}

MonitorWindow::~MonitorWindow() {
    poll_->stop();
    // Waits for the read under way at most.
    session_.reset();
    if (!device_.empty()) PortRegistry::program().release(device_, kPortUser);
}

void MonitorWindow::buildLayout() {
    port_ = makePortChoiceBox("monitorPort", "Port", this);
    baud_ = namedControl(new QComboBox(this), "monitorBaud", "Baud rate");
    for (std::string_view rate : kSerialBaudRates) baud_->addItem(toQt(rate));
    parity_ = namedControl(new QComboBox(this), "monitorParity", "Parity");
    for (std::string_view parity : kParities) parity_->addItem(toQt(parity));
    deviceId_ = namedSpinBox("monitorId", "Device ID", kLowestDeviceId, kHighestDeviceId, this);
    function_ = namedControl(new QComboBox(this), "monitorFunction", "Read");
    function_->addItems({"3: holding registers", "4: input registers"});
    interval_ = namedSpinBox("monitorInterval", "Every", 0, kLongestInterval, this);
    interval_->setSingleStep(100);
    interval_->setSuffix(" ms");
    interval_->setValue(1000);

    start_ = named(new QPushButton("Start", this), "btnStart");
    start_->setDefault(true);
    stop_ = plainButton("btnStop", "Stop", this);
    status_ = namedLabel("monitorStatus", QString(), this);
    status_->setAccessibleName("Status");
    status_->setWordWrap(true);
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    filter_ = namedEdit("monitorFilter", "Filter", this);
    filter_->setPlaceholderText("register, PGN, name or text");
    filter_->setClearButtonEnabled(true);
    table_ = makeRowTable("monitorTable", "Registers", model_, this);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);

    writeValue_ = namedEdit("writeValue", "Value to write", this);
    writeValue_->setPlaceholderText("0 to 65535, or 0x0000 to 0xFFFF");
    writeValue_->setMinimumWidth(writeValue_->fontMetrics().horizontalAdvance(writeValue_->placeholderText()) + 24);
    write_ = plainButton("btnWrite", "Write...", this);
    write_->setToolTip("Write the value to the selected transmit register (function 6), after asking");
    QPushButton* close = plainButton("btnClose", "Close", this);

    auto* settings = new QGridLayout;
    addLabelled(settings, 0, 0, "&Port", port_);
    addLabelled(settings, 0, 2, "&Baud rate", baud_);
    addLabelled(settings, 0, 4, "P&arity", parity_);
    addLabelled(settings, 1, 0, "&Device ID", deviceId_);
    addLabelled(settings, 1, 2, "&Read", function_);
    addLabelled(settings, 1, 4, "&Every", interval_);
    settings->setColumnStretch(6, 1);
    QHBoxLayout* run = buttonRow({start_, stop_});
    run->insertWidget(2, status_, 1);
    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(buddyLabel("&Filter:", filter_, this));
    filterRow->addWidget(filter_, 1);
    QHBoxLayout* bottom = buttonRow({});
    bottom->insertWidget(0, buddyLabel("&Value to write", writeValue_, this));
    bottom->insertWidget(1, writeValue_);
    bottom->insertWidget(2, write_);
    bottom->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(settings);
    layout->addLayout(run);
    layout->addLayout(filterRow);
    layout->addWidget(table_, 1);
    layout->addLayout(bottom);

    connectGuarded(start_, &QPushButton::clicked, messages_, this, &MonitorWindow::StartClick);
    connectGuarded(stop_, &QPushButton::clicked, messages_, this, &MonitorWindow::StopClick);
    connectGuarded(write_, &QPushButton::clicked, messages_, this, &MonitorWindow::WriteClick);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(filter_, &QLineEdit::textChanged, model_, &MonitorTableModel::setFilter);
    chainTabOrder({port_, baud_, parity_, deviceId_, function_, interval_, start_, stop_, filter_, table_, writeValue_,
                   write_, close});

    QSize size(1000, 660);
    if (QScreen* display = screen()) size = size.boundedTo(display->availableGeometry().size() - QSize(24, 48));
    resize(size);
}

void MonitorWindow::FormShow() {
    WaitCursor busy;
    if (!running()) {
        model_->setOverview(BuildRegisterOverview(workspace_.ProjectDir));
        // As wide as the first rows' texts, and the live columns as their longest texts.
        table_->resizeColumnsToContents();
        const std::pair<LiveColumn, const char*> widest[] = {
            {LiveColumn::Value, "65535"},
            {LiveColumn::ValueHex, "0xFFFF"},
            {LiveColumn::LastGoodRead, "00:00:00"},
            {LiveColumn::Errors, "99999"},
            {LiveColumn::LastError, "exception 2 (illegal data address)"}};
        for (auto [column, text] : widest) {
            int section = MonitorTableModel::sectionOf(column);
            table_->setColumnWidth(
                section, std::max(table_->columnWidth(section), table_->fontMetrics().horizontalAdvance(text) + 16));
        }
    }
    fillPortChoiceBox(port_, listSystemPorts_, kStablePortFolder);
    if (!portRestored_) {
        // The port of the last update is where the gateway was reached.
        portRestored_ = true;
        std::optional<std::string> remembered;
        runGuarded(messages_, [&] { remembered = rememberedPort(rememberedPortFile_); });
        if (remembered) choosePortIn(port_, toQt(*remembered));
    }
    ProjectLine line = projectSerialLine(workspace_.ProjectDir);
    if (line.baud) baud_->setCurrentText(QString::number(*line.baud));
    if (line.parity) parity_->setCurrentIndex(*line.parity == 'N' ? 0 : *line.parity == 'E' ? 1 : 2);
    if (line.deviceId) deviceId_->setValue(*line.deviceId);

    const RegisterOverview& overview = model_->overview();
    QStringList said;
    std::vector<RegisterBlock> blocks = planBlocks(overviewRegisters(overview));
    said.push_back(
        QString("%1 mappings in %2.")
            .arg(overview.rows.size())
            .arg(toQt(roundText(blocks, integerText(fromQt(baud_->currentText())), parity_->currentIndex() != 0))));
    for (const std::string& note : line.notes) said.push_back(toQt(note) + ".");
    for (const std::string& problem : overview.problems) said.push_back(toQt("Cannot read " + problem) + ".");
    status_->setText(said.join(" "));
    showState(running());
    start_->setFocus();
}

void MonitorWindow::showState(bool reading) {
    // The line settings are those of the reads under way until they end.
    for (QWidget* setting : std::initializer_list<QWidget*>{port_, baud_, parity_, deviceId_, function_, interval_})
        setting->setEnabled(!reading);
    start_->setEnabled(!reading);
    stop_->setEnabled(reading);
    write_->setEnabled(reading);
}

void MonitorWindow::StartClick() {
    if (running()) return;
    std::string port = fromQt(port_->currentText().trimmed());
    if (std::optional<std::string> problem = portNameProblem(port)) {
        messages_.error(*problem);
        return;
    }
    SerialLine line;
    line.device = serialDeviceOf(port);
    if (std::optional<std::string> user = PortRegistry::program().userOf(line.device)) {
        messages_.error(line.device + " is in use by " + *user + ".");
        return;
    }
    std::vector<RegisterBlock> blocks = planBlocks(overviewRegisters(model_->overview()));
    if (blocks.empty()) {
        messages_.information("The project maps no register the device holds: there is nothing to read.");
        return;
    }
    line.baud = integerText(fromQt(baud_->currentText()));
    line.parity = *parityLetter(fromQt(parity_->currentText()));
    line.deviceId = deviceId_->value();
    line.responseTimeout = responseTimeout_;
    RegisterFunction function = function_->currentIndex() == 1 ? RegisterFunction::Input : RegisterFunction::Holding;
    blocks_ = blocks.size();
    model_->clearReadings();
    session_ = std::make_unique<MonitorSession>(line, function, blocks, std::chrono::milliseconds(interval_->value()));
    device_ = line.device;
    PortRegistry::program().hold(device_, kPortUser);
    lastRound_ = toQt("Nothing read yet.");
    status_->setText(toQt("Reading on " + line.device + " at " + lineText(line) + ": " +
                          roundText(blocks, line.baud, line.parity != 'N') + "."));
    showState(true);
    poll_->start(kPollInterval);
}

void MonitorWindow::endSession() {
    // The thread has ended and closed the line: nothing waits here.
    session_.reset();
    poll_->stop();
    PortRegistry::program().release(device_, kPortUser);
    showState(false);
}

void MonitorWindow::StopClick() {
    if (!running()) return;
    session_->requestStop();
    stop_->setEnabled(false);
    write_->setEnabled(false);
    status_->setText("Stopping after the read under way...");
}

void MonitorWindow::pollSession() {
    if (!session_) {
        poll_->stop();
        return;
    }
    MonitorSession::Events events = session_->takeEvents();
    if (events.finished) endSession();
    for (const MonitorSession::Round& round : events.rounds) {
        model_->applyRound(round.readings, round.time);
        std::size_t failed = round.readings.failedReads();
        lastRound_ = toQt("Read at " + localTimeText(round.time, "%H:%M:%S") + ": " +
                          (failed == 0 ? std::string("every read answered")
                                       : std::to_string(failed) + " of " + std::to_string(blocks_) + " reads failed") +
                          ".");
        status_->setText(lastRound_);
    }
    if (events.finished && !events.openFailure) status_->setText("Stopped. " + lastRound_);
    // Message boxes last: the window has taken in everything before one of them waits for the user.
    for (const MonitorSession::Write& write : events.writes) {
        std::string what = std::to_string(write.value) + " to register " + std::to_string(write.address);
        if (write.error)
            messages_.error("Writing " + what + " failed: " + *write.error);
        else
            status_->setText(toQt("Wrote " + what + "."));
    }
    if (events.openFailure) {
        status_->setText(toQt(*events.openFailure));
        messages_.error(*events.openFailure);
    }
}

std::optional<std::size_t> MonitorWindow::selectedRow() const {
    QModelIndex current = table_->currentIndex();
    if (!current.isValid() || !table_->selectionModel()->isRowSelected(current.row(), {})) return std::nullopt;
    return model_->overviewIndex(current.row());
}

void MonitorWindow::WriteClick() {
    if (!running()) return;
    std::optional<std::size_t> row = selectedRow();
    const OverviewRow* target = row ? &model_->overview().rows[*row] : nullptr;
    if (!target || target->kind != MapKind::Transmit || !target->registerValue || *target->registerValue < 0 ||
        *target->registerValue > 0xFFFF) {
        messages_.error("Select a register of the transmit map (Modbus to NMEA 2000) to write to.");
        return;
    }
    std::string text = fromQt(writeValue_->text().trimmed());
    std::optional<std::int32_t> value = parseIntegerText(text);
    if (!value || *value < 0 || *value > 0xFFFF) {
        messages_.error("'" + text + "' is no register value: write 0 to 65535, or 0x0000 to 0xFFFF.");
        return;
    }
    auto address = static_cast<std::uint16_t>(*target->registerValue);
    auto written = static_cast<std::uint16_t>(*value);
    std::string question = "Write " + std::to_string(written) + " (" + fromQt(hex(written)) + ") to register " +
                           std::to_string(address) + " (" + fromQt(hex(address)) + ") of device ID " +
                           std::to_string(deviceId_->value()) + "?";
    if (!messages_.confirm(question)) return;
    session_->requestWrite(address, written);
    status_->setText(toQt("Writing " + std::to_string(written) + " to register " + std::to_string(address) + "..."));
}

void MonitorWindow::done(int result) {
    if (session_) StopClick();
    QDialog::done(result);
}

}  // namespace telvanor
