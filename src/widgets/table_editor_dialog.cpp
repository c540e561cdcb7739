#include "widgets/table_editor_dialog.h"

#include <algorithm>

#include <QFrame>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/path_text.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

Qt::WindowFlags dialogFlags(TableFrame frame) {
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint;
    if (frame == TableFrame::TabPage) flags |= Qt::WindowMaximizeButtonHint;
    return flags;
}

QFrame* panel(const char* name, QWidget* parent) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(name);
    frame->setFrameShape(QFrame::StyledPanel);
    return frame;
}

}  // namespace

TableEditorDialog::TableEditorDialog(const TableWindow& window, const std::vector<StringGrid::Column>& columns,
                                     WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : ProjectWindow(window.objectName, window.title, workspace, messages, parent, dialogFlags(window.frame)),
      title_(window.title),
      visibleRows_(window.visibleRows),
      noticeBox_(window.noticeBox),
      firstLabel_(window.firstLabel) {
    sgA_ = new StringGrid(this);
    lastBeforeOk_ = sgA_;
    sgA_->setObjectName("sgA");
    sgA_->setAccessibleName(window.gridName);
    sgA_->setAccessibleDescription(window.gridDescription);
    sgA_->setColumns("N", columns);
    sgA_->setRows(static_cast<int>(window.gridRows), window.firstLabel);

    OkCancelButtons okCancel = makeOkCancelButtons(this);
    bitbtn1_ = okCancel.ok;
    cancel_ = okCancel.cancel;
    buttons_ = okCancel.layout;
    if (window.frame == TableFrame::TitlePanels) cancel_->setObjectName("LbButton1");
    for (QPushButton* button : {bitbtn1_, cancel_}) button->setMinimumWidth(90);
    connectGuarded(bitbtn1_, &QPushButton::clicked, messages_, this, &TableEditorDialog::BitBtn1Click);
    connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(sgA_, &StringGrid::cellsNotPasted, this, [this](const QString& refused) { notify(fromQt(refused)); });

    gridLayout_ = window.frame == TableFrame::TabPage ? buildTabPage(window.pageCaption) : buildTitlePanels();
    gridLayout_->insertWidget(0, sgA_, 1);
    chainTabOrder({sgA_, bitbtn1_, cancel_});
    fitToGrid();
}

QBoxLayout* TableEditorDialog::buildTabPage(const QString& caption) {
    auto* pages = new QTabWidget(this);
    auto* pageLayout = new QVBoxLayout(makeSinglePage(pages, "pages", "page", caption));
    pageLayout->setContentsMargins(4, 4, 4, 4);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages, 1);
    layout->addLayout(buttons_);
    return pageLayout;
}

QBoxLayout* TableEditorDialog::buildTitlePanels() {
    QFrame* top = panel("Panel1", this);
    auto* caption = new QLabel(title_, top);
    caption->setObjectName("Label1");
    QFont bold = caption->font();
    bold.setBold(true);
    caption->setFont(bold);
    auto* topLayout = new QHBoxLayout(top);
    topLayout->addWidget(caption);
    topLayout->addStretch(1);
    QFrame* bottom = panel("Panel2", this);
    bottom->setLayout(buttons_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(top);
    layout->addWidget(bottom);
    // The grid goes between the panels.
    auto* middle = new QVBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    layout->insertLayout(1, middle, 1);
    return middle;
}

void TableEditorDialog::addBelowGrid(QWidget* widget) {
    gridLayout_->addWidget(widget);
    // Each focusable control of the widget, in its own order, between the grid and OK.
    QList<QWidget*> stops = widget->findChildren<QWidget*>();
    stops.prepend(widget);
    for (QWidget* stop : stops)
        if (stop->focusPolicy() & Qt::TabFocus) appendTabStop(stop);
    fitToGrid();
}

void TableEditorDialog::addBarButton(QPushButton* button) {
    button->setParent(this);
    button->setAutoDefault(false);
    button->setMinimumWidth(90);
    buttons_->insertWidget(barButtons_++, button);
    appendTabStop(button);
    fitToGrid();
}

void TableEditorDialog::appendTabStop(QWidget* stop) {
    chainTabOrder({lastBeforeOk_, stop, bitbtn1_, cancel_});
    lastBeforeOk_ = stop;
}

void TableEditorDialog::fitToGrid() {
    // Room for the grid's frame, its scroll bar and the frame around it.
    int gridWidth = sgA_->naturalWidth() + sgA_->verticalScrollBar()->sizeHint().width() + 4;
    int gridHeight = sgA_->horizontalHeader()->sizeHint().height() +
                     visibleRows_ * sgA_->verticalHeader()->defaultSectionSize() + 2 * sgA_->frameWidth() + 2;
    sgA_->setMinimumSize(gridWidth, gridHeight);
    adjustSize();
    QSize fitted = size();
    if (QScreen* display = screen()) {
        QRect available = display->availableGeometry();
        // A small screen gets a grid that scrolls instead of a window that does not fit.
        sgA_->setMinimumSize(std::min(gridWidth, available.width() * 9 / 10 - (fitted.width() - gridWidth)),
                             std::min(gridHeight, available.height() * 8 / 10 - (fitted.height() - gridHeight)));
        adjustSize();
    }
}

void TableEditorDialog::FormShow() {
    clearRows();
    setWindowTitle(title_);
    const std::filesystem::path file = editedFile();
    editGuard_.beginShow(file);
    // A load that fails leaves the grid empty and ready for typing.
    runGuarded(messages_, [&] {
        CellLoad load = loadCells();
        showRows(load.rows);
        editGuard_.setLoss(load.loss);
        // The model's own message first, then what the load left out and what the grid does
        // not show, so that OK drops nothing unseen.
        std::vector<std::string> notices;
        if (load.message) notices.push_back(*load.message);
        if (load.loss.any()) notices.push_back(lossNotice(load.loss));
        if (!unseenRows_.empty())
            notices.push_back(unseenRowsNotice(platform::utf8FromPath(file.filename()), load.rows.size(),
                                               static_cast<std::size_t>(sgA_->rowCount())));
        if (!notices.empty()) notify(joinParagraphs(notices));
    });
    shownRows_ = cellRows();
    sgA_->setCurrentCell(1, 1);
    bitbtn1_->setFocus();
}

bool TableEditorDialog::hasChanges() const { return cellRows() != shownRows_; }

bool TableEditorDialog::passes(const std::vector<std::string>& failures) {
    for (const std::string& failure : failures) notify(failure);
    return failures.empty();
}

void TableEditorDialog::BitBtn1Click() {
    // The table ends at the model's end column, in the grid or beyond it.
    std::vector<CellRow> rows = cellRows();
    if (unseenRows_.empty()) {
        if (!passes(validateCells(rows))) return;
    } else {
        // The rows the grid shows first: the user can mend their failures there.
        std::vector<CellRow> shown(rows.begin(), rows.begin() + sgA_->rowCount());
        if (!passes(validateCells(shown))) return;
        // What fails now lies in the unseen rows, which the user can only keep or drop.
        std::vector<std::string> failures;
        if (std::optional<std::string> fault = faultOf([&] { failures = validateCells(rows); })) failures = {*fault};
        if (!failures.empty()) {
            if (dropUnseenRows(failures)) BitBtn1Click();
            return;
        }
    }
    std::vector<std::string> lost;
    if (std::optional<std::string> below = rowsBelowTheEnd(rows)) lost.push_back(*below);
    if (!editGuard_.confirmSave(lost)) return;
    // A file that cannot be written keeps the window open with the rows as typed.
    if (std::optional<std::string> failure = saveCells(rows)) {
        messages_.error(*failure);
        return;
    }
    accept();
}

bool TableEditorDialog::dropUnseenRows(const std::vector<std::string>& failures) {
    const std::size_t shown = static_cast<std::size_t>(sgA_->rowCount());
    std::string question = joinParagraphs(failures) + "\n\n" +
                           unseenFailureQuestion(editGuard_.fileName(), shown + unseenRows_.size(), shown);
    if (messages_.ask(question, {kKeepAnswer, kDropAnswer}, kKeepAnswer) != kDropAnswer) return false;
    unseenRows_.clear();
    return true;
}

std::string TableEditorDialog::rowLabel(std::size_t index) const {
    return std::to_string(static_cast<long long>(firstLabel_) + static_cast<long long>(index));
}

std::optional<std::string> TableEditorDialog::rowsBelowTheEnd(const std::vector<CellRow>& rows) const {
    if (endColumn_ < 1) return std::nullopt;
    const std::size_t column = static_cast<std::size_t>(endColumn_) - 1;
    std::size_t end = 0;
    while (end < rows.size() && !rows[end][column].empty()) ++end;
    auto holdsText = [](const CellRow& row) {
        return std::any_of(row.begin(), row.end(), [](const std::string& cell) { return !cell.empty(); });
    };
    std::size_t last = rows.size();
    while (last > end && !holdsText(rows[last - 1])) --last;
    if (last == end) return std::nullopt;
    return tableEndText(fromQt(sgA_->model()->headerData(endColumn_ - 1, Qt::Horizontal).toString()), rowLabel(end),
                        rowLabel(last - 1));
}

TableEditorDialog::CellRow TableEditorDialog::cellRow(int gridRow) const {
    CellRow row;
    row.reserve(static_cast<std::size_t>(sgA_->columnCount() - 1));
    for (int column = 1; column < sgA_->columnCount(); ++column) row.push_back(fromQt(sgA_->cell(gridRow, column)));
    return row;
}

std::vector<TableEditorDialog::CellRow> TableEditorDialog::cellRows() const {
    std::vector<CellRow> rows;
    rows.reserve(static_cast<std::size_t>(sgA_->rowCount()) + unseenRows_.size());
    for (int gridRow = 1; gridRow <= sgA_->rowCount(); ++gridRow) rows.push_back(cellRow(gridRow));
    rows.insert(rows.end(), unseenRows_.begin(), unseenRows_.end());
    return rows;
}

void TableEditorDialog::clearRows() {
    sgA_->clearCells();
    unseenRows_.clear();
}

void TableEditorDialog::showRows(const std::vector<CellRow>& rows) {
    clearRows();
    const std::size_t gridRows = static_cast<std::size_t>(sgA_->rowCount());
    for (std::size_t index = 0; index < rows.size(); ++index) {
        if (index >= gridRows) {
            unseenRows_.push_back(rows[index]);
            continue;
        }
        const CellRow& cells = rows[index];
        for (std::size_t column = 0; column < cells.size(); ++column)
            sgA_->setCell(static_cast<int>(index) + 1, static_cast<int>(column) + 1, toQt(cells[column]));
    }
}

void TableEditorDialog::notify(const std::string& text) {
    if (noticeBox_ == TableNoticeBox::Plain)
        messages_.plain(text);
    else
        messages_.error(text);
}

}  // namespace telvanor
