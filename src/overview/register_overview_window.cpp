#include "overview/register_overview_window.h"

#include <algorithm>
#include <utility>

#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QVBoxLayout>

#include "editors/register_map/register_map_file.h"
#include "editors/register_map/register_map_window.h"
#include "overview/overview_table_model.h"
#include "project/atomic_file.h"
#include "project/integer_text.h"
#include "project/workspace.h"
#include "report/report_tables.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"
#include "widgets/row_table.h"
#include "widgets/wait_cursor.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

constexpr const char* kTitle = "Register Overview";

// A text as wide as what each column typically holds, so that the table opens readable
// without measuring thousands of rows.
constexpr std::array<const char*, kOverviewColumns> kColumnSamples = {
    "NMEA 2000 to Modbus",
    "Register",
    "0x0000FFFF",
    "Typed as",
    "Frame",
    "129025 (DP 1, PGN 0xF801)",
    "Position, Rapid Update, some more",
    "Source",
    "byte 2: Latitude, byte 2 of 4",
    "byte 1: Latitude, byte 1 of 4",
    "Write",
    "Position rapid update",
    "register mapped twice; feeds neither",
};

std::optional<fs::path> chooseWithDialog(QWidget* parent, const QString& caption, const fs::path& suggested,
                                         const QString& filter) {
    QString chosen = QFileDialog::getSaveFileName(parent, caption, toQtPath(suggested), filter);
    if (chosen.isEmpty()) return std::nullopt;
    return pathFromQt(chosen);
}

QString counted(std::size_t count, const char* one, const char* many) {
    return QLocale().toString(static_cast<qulonglong>(count)) + " " + (count == 1 ? one : many);
}

}  // namespace

bool RegisterOverviewWindow::RowAnchor::sameMapping(const OverviewRow& row) const {
    return sameRegister(row) && row.frameNumber == frameNumber;
}

bool RegisterOverviewWindow::RowAnchor::sameRegister(const OverviewRow& row) const {
    return row.kind == kind && row.registerValue == registerValue;
}

RegisterOverviewWindow::RegisterOverviewWindow(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : ProjectWindow("RegisterOverview", kTitle, workspace, messages, parent,
                    Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint | Qt::WindowMaximizeButtonHint),
      chooseSaveFile_(chooseWithDialog),
      model_(new OverviewTableModel(this)) {
    buildLayout();
}

void RegisterOverviewWindow::buildLayout() {
    summary_ = namedLabel("findingsSummary", QString(), this);
    summary_->setAccessibleName("Findings");
    summary_->setWordWrap(true);
    summary_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    problems_ = namedLabel("readProblems", QString(), this);
    problems_->setWordWrap(true);
    problems_->setStyleSheet("color: #a00000");
    problems_->hide();

    filter_ = namedEdit("filterEdit", "Filter", this);
    filter_->setPlaceholderText("register, PGN, name or text");
    filter_->setClearButtonEnabled(true);
    QLabel* filterLabel = buddyLabel("&Filter:", filter_, this);
    shownCount_ = namedLabel("shownCount", QString(), this);

    table_ = makeRowTable("overviewTable", "Registers", model_, this);
    table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    QHeaderView* header = table_->horizontalHeader();
    header->setSortIndicator(static_cast<int>(OverviewColumn::Direction), Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    for (std::size_t column = 0; column < kOverviewColumns; ++column)
        table_->setColumnWidth(static_cast<int>(column),
                               table_->fontMetrics().horizontalAdvance(kColumnSamples[column]) + 16);
    table_->installEventFilter(this);

    status_ = namedLabel("statusLine", QString(), this);
    status_->setAccessibleName("Status");
    status_->setTextInteractionFlags(Qt::TextSelectableByMouse);

    openButton_ = named(new QPushButton("Open", this), "btnOpen");
    openButton_->setDefault(true);
    openButton_->setToolTip("Open the register map window on the current row's frame and mapping (Enter)");
    QPushButton* copy = plainButton("btnCopy", "Copy", this);
    copy->setToolTip("Copy the selected rows as tab-separated lines (Ctrl+C)");
    QPushButton* exportCsv = plainButton("btnExportCsv", "Export CSV...", this);
    QPushButton* exportHtml = plainButton("btnExportHtml", "Export HTML...", this);
    QPushButton* close = plainButton("btnClose", "Close", this);

    auto* filterRow = new QHBoxLayout;
    filterRow->addWidget(filterLabel);
    filterRow->addWidget(filter_, 1);
    filterRow->addWidget(shownCount_);
    QHBoxLayout* buttons = buttonRow({openButton_, copy, exportCsv, exportHtml});
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(problems_);
    layout->addLayout(filterRow);
    layout->addWidget(table_, 1);
    layout->addWidget(status_);
    layout->addLayout(buttons);

    connect(filter_, &QLineEdit::textChanged, this, [this](const QString& text) {
        model_->setFilter(text);
        if (model_->rowCount() > 0) table_->setCurrentIndex(model_->index(0, 0));
        showCounts();
    });
    connect(table_, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { runGuarded(messages_, [&] { openRow(index.row()); }); });
    connectGuarded(openButton_, &QPushButton::clicked, messages_, this, &RegisterOverviewWindow::openCurrentRow);
    connectGuarded(copy, &QPushButton::clicked, messages_, this, &RegisterOverviewWindow::copyRows);
    connectGuarded(exportCsv, &QPushButton::clicked, messages_, this, [this] { exportTable(false); });
    connectGuarded(exportHtml, &QPushButton::clicked, messages_, this, [this] { exportTable(true); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    chainTabOrder({filter_, table_, openButton_, copy, exportCsv, exportHtml, close});

    // Most of a 1,024 x 768 screen, and never more than the screen has.
    QSize size(1000, 660);
    if (QScreen* display = screen()) size = size.boundedTo(display->availableGeometry().size() - QSize(24, 48));
    resize(size);
}

void RegisterOverviewWindow::setMapWindows(RegisterMapWindow* receive, RegisterMapWindow* transmit) {
    mapWindows_ = {receive, transmit};
}

RegisterMapWindow* RegisterOverviewWindow::mapWindow(MapKind kind) const {
    return mapWindows_[kind == MapKind::Receive ? 0 : 1];
}

void RegisterOverviewWindow::openFrom(RegisterMapWindow& from) {
    openedFrom_ = &from;
    selectInOpener_.reset();
    exec();
    openedFrom_ = nullptr;
    if (std::optional<MappingRef> mapping = std::exchange(selectInOpener_, std::nullopt)) from.selectMapping(*mapping);
}

void RegisterOverviewWindow::FormShow() {
    status_->clear();
    reload();
    if (model_->rowCount() > 0 && !table_->currentIndex().isValid()) table_->setCurrentIndex(model_->index(0, 0));
    if (model_->rowCount() > 0)
        table_->setFocus();
    else
        filter_->setFocus();
}

std::optional<RegisterOverviewWindow::RowAnchor> RegisterOverviewWindow::currentAnchor() const {
    QModelIndex current = table_->currentIndex();
    if (!current.isValid()) return std::nullopt;
    const OverviewRow& row = model_->rowAt(current.row());
    return RowAnchor{row.kind, row.registerValue, row.frameNumber};
}

void RegisterOverviewWindow::reload(std::optional<RowAnchor> anchor) {
    WaitCursor busy;
    if (!anchor) anchor = currentAnchor();
    const RegisterMap* edited = openedFrom_ ? &openedFrom_->registerMap() : nullptr;
    model_->setOverview(BuildRegisterOverview(workspace_.ProjectDir, edited));

    const RegisterOverview& overview = model_->overview();
    std::size_t receive = 0;
    for (const OverviewRow& row : overview.rows)
        if (row.kind == MapKind::Receive) ++receive;
    summary_->setText(toQt("Project " + overview.projectName + ": ") + counted(receive, "mapping ", "mappings ") +
                      toQt(directionText(MapKind::Receive)) + ", " +
                      counted(overview.rows.size() - receive, "mapping ", "mappings ") +
                      toQt(directionText(MapKind::Transmit)) + ". " + toQt(findingsSummary(overview)) + ".");
    QStringList unread;
    for (const std::string& problem : overview.problems) unread.push_back(toQt("Cannot read " + problem));
    problems_->setText(unread.join("\n"));
    problems_->setVisible(!unread.isEmpty());
    showCounts();

    if (!anchor) return;
    // The same mapping (register and frame) if it is still there, else the same register of
    // the same map: a map window's save orders its mappings anew.
    const OverviewOrder& shown = model_->shownRows();
    auto found = std::find_if(shown.begin(), shown.end(),
                              [&](std::size_t index) { return anchor->sameMapping(overview.rows[index]); });
    if (found == shown.end())
        found = std::find_if(shown.begin(), shown.end(),
                             [&](std::size_t index) { return anchor->sameRegister(overview.rows[index]); });
    if (found == shown.end()) return;
    QModelIndex row = model_->index(static_cast<int>(found - shown.begin()), 0);
    table_->setCurrentIndex(row);
    table_->scrollTo(row);
}

void RegisterOverviewWindow::showCounts() {
    shownCount_->setText(counted(static_cast<std::size_t>(model_->rowCount()), "mapping", "mappings") + " of " +
                         QLocale().toString(static_cast<qulonglong>(model_->overview().rows.size())) + " shown");
}

void RegisterOverviewWindow::openRow(int viewRow) {
    if (viewRow < 0 || viewRow >= model_->rowCount()) return;
    const OverviewRow& row = model_->rowAt(viewRow);
    if (row.frameGone) {
        messages_.information("Frame " + std::to_string(row.frameNumber) + " of this mapping is not in " +
                              std::string(frameTableFileName(row.kind)) + ": the register map window does not " +
                              "show the mapping and leaves it out of " + std::string(mapFileName(row.kind)) +
                              " at its next OK.");
        return;
    }
    if (openedFrom_ && openedFrom_->kind() == row.kind) {
        selectInOpener_ = row.ref;
        accept();
        return;
    }
    RegisterMapWindow* window = mapWindow(row.kind);
    if (!window) return;
    window->setOverviewEnabled(false);
    window->execOn(row.ref);
    window->setOverviewEnabled(true);
    // The mapping last selected in the window stays current here, changed or not.
    std::optional<RowAnchor> anchor = currentAnchor();
    if (std::optional<MappingRef> selected = window->selectedMapping()) {
        const TClPdo& frame = window->registerMap().frames[selected->frame];
        anchor =
            RowAnchor{window->kind(), parseIntegerText(frame.mappings[selected->position].Index), frame.frameNumber};
    }
    reload(anchor);
}

void RegisterOverviewWindow::openCurrentRow() {
    if (table_->currentIndex().isValid()) openRow(table_->currentIndex().row());
}

void RegisterOverviewWindow::copyRows() {
    QModelIndexList selected = table_->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    OverviewOrder rows;
    for (const QModelIndex& index : selected) rows.push_back(model_->overviewIndex(index.row()));
    if (rows.empty()) {
        status_->setText("Select the rows to copy first.");
        return;
    }
    QGuiApplication::clipboard()->setText(toQt(tabSeparatedRows(model_->overview(), rows)));
    status_->setText("Copied " + counted(rows.size(), "row", "rows") + " as tab-separated lines.");
}

void RegisterOverviewWindow::exportTable(bool html) {
    fs::path suggested = workspace_.ProjectDir / (html ? "register_overview.html" : "register_overview.csv");
    std::optional<fs::path> file =
        chooseSaveFile_(this, html ? "Export the register overview as HTML" : "Export the register overview as CSV",
                        suggested, html ? "HTML page (*.html)" : "CSV file (*.csv)");
    if (!file) return;
    const RegisterOverview& overview = model_->overview();
    const OverviewOrder& rows = model_->shownRows();
    writeFileAtomically(
        *file, html ? overviewHtml(overview, rows, model_->filter()) : overviewCsv(overview, rows, model_->filter()));
    status_->setText("Wrote " + counted(rows.size(), "row", "rows") + " to " + toQtPath(*file) + ".");
}

bool RegisterOverviewWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == table_ && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            runGuarded(messages_, [this] { openCurrentRow(); });
            return true;
        }
        if (key->matches(QKeySequence::Copy)) {
            runGuarded(messages_, [this] { copyRows(); });
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace telvanor
