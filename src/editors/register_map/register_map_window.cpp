#include "editors/register_map/register_map_window.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include <stdexcept>
#include <utility>

#include "editors/register_map/frame_list_columns.h"
#include "editors/register_map/mapping_line.h"
#include "editors/register_map/register_map_catalogue.h"
#include "editors/register_map/register_map_file.h"
#include "project/formats/register_map_format.h"
#include "widgets/error_boundary.h"
#include "widgets/exchange_button_bar.h"
#include "widgets/message_boxes.h"
#include "widgets/page_captions.h"
#include "widgets/project_window.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

// Between a mapping line's own text and its register, and between the register and its bytes.
constexpr const char* kLineGap = "   ";
// How many lines the two lists show without scrolling, and the list of frame bytes (B1 to B8).
constexpr int kVisibleLines = 14;
constexpr int kVisibleByteLines = 8;

QListWidget* lineList(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* list = named(new QListWidget(parent), name);
    list->setAccessibleName(accessibleName);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setUniformItemSizes(true);
    list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return list;
}

// The size a list needs to show `lines` lines of `text` width without cutting them.
void fitList(QListWidget* list, int textWidth, int lines) {
    int margins = 2 * list->frameWidth() + 2 * (list->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 4;
    int scrollBar = list->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int lineHeight = list->fontMetrics().height() + 2;
    list->setFixedSize(textWidth + margins + scrollBar, lines * lineHeight + 2 * list->frameWidth());
}

// Chosen lines: a line selected by mouse or keyboard, or clicked again while selected.
class LineClickWatcher : public QObject {
public:
    LineClickWatcher(QListWidget* list, std::function<void()> chosen)
        : QObject(list), list_(list), chosen_(std::move(chosen)) {
        list->viewport()->installEventFilter(this);
        QObject::connect(list, &QListWidget::itemSelectionChanged, this, [this] { chosen_(); });
        QObject::connect(list, &QListWidget::clicked, this, [this](const QModelIndex& index) {
            if (index.isValid() && index == pressed_ && pressedWasSelected_) chosen_();
        });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress) {
            pressed_ = list_->indexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            pressedWasSelected_ = pressed_.isValid() && list_->selectionModel()->isSelected(pressed_);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QListWidget* list_;
    std::function<void()> chosen_;
    QPersistentModelIndex pressed_;
    bool pressedWasSelected_ = false;
};

// Shows a line's whole text as its tooltip, for the lines cut short by the list's width.
class WholeLineTips : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool helpEvent(QHelpEvent* event, QAbstractItemView* view, const QStyleOptionViewItem& option,
                   const QModelIndex& index) override {
        if (event->type() != QEvent::ToolTip || !index.isValid())
            return QStyledItemDelegate::helpEvent(event, view, option, index);
        QToolTip::showText(event->globalPos(), index.data().toString(), view);
        return true;
    }
};

// The selected line of a single-selection list, or -1.
int selectedRow(const QListWidget* list) {
    QListWidgetItem* current = list->currentItem();
    return current && current->isSelected() ? list->row(current) : -1;
}

// Every control of `widget` that Tab reaches, in the order they were made; the inner parts of
// a control (a combo box's list) are left to it.
QList<QWidget*> tabStops(QWidget* widget) {
    QList<QWidget*> stops;
    if (!widget) return stops;
    auto isInside = [&stops](const QWidget* child) {
        for (const QWidget* stop : stops)
            if (stop->isAncestorOf(child)) return true;
        return false;
    };
    if (widget->focusPolicy() & Qt::TabFocus) stops.push_back(widget);
    for (QWidget* child : widget->findChildren<QWidget*>())
        if (child->focusPolicy() & Qt::TabFocus && child->window() == widget->window() && !isInside(child))
            stops.push_back(child);
    return stops;
}

}  // namespace

RegisterMapWindow::RegisterMapWindow(MapKind kind, const Layout& layout, WorkspaceState& workspace,
                                     MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent)
    : ProjectWindow("", layout.title, workspace, messages, parent),
      kind_(kind),
      title_(layout.title),
      OpenExcel(openExcel) {
    map_.kind = kind;
    // The PGN catalogue names the frames and their bytes unless a caller says otherwise.
    frameNote_ = [](const TClPdo& frame) { return frameCatalogueName(frame); };
    byteNote_ = [](const TClPdo& frame, int position) { return frameByteField(frame, position); };
    buildControls(layout);
    connectExchange();
}

QWidget* RegisterMapWindow::byteRow(const char* name, const QString& halfName, QGroupBox*& group,
                                    QButtonGroup*& choices) {
    auto* row = new QWidget(page_);
    group = named(new QGroupBox("Selected Frame Byte", row), name);
    group->setAccessibleName("Selected Frame Byte, " + halfName);
    choices = new QButtonGroup(group);
    auto* grid = new QGridLayout(group);
    for (int position = 0; position <= kOrdinaryFrameBytes; ++position) {
        auto* choice = new QRadioButton(position == 0 ? QString("none") : QString("B%1").arg(position), group);
        choice->setObjectName(QString("%1_%2").arg(name).arg(position));
        choices->addButton(choice, position);
        grid->addWidget(choice, position / 3, position % 3);
    }
    choices->button(0)->setChecked(true);
    auto* selector = new QVBoxLayout;
    selector->addWidget(group);
    layOutByteRow(row, selector, "Tanslate in", halfName);
    return row;
}

QLabel* RegisterMapWindow::layOutByteRow(QWidget* row, QLayout* selector, const QString& translate,
                                         const QString& halfName) {
    // The two labels stand one above the other beside the selector, which keeps the window
    // narrow enough for a small screen.
    auto* half = new QLabel(halfName, row);
    QFont bold = half->font();
    bold.setBold(true);
    half->setFont(bold);
    auto* labels = new QVBoxLayout;
    labels->addStretch(1);
    labels->addWidget(new QLabel(translate, row));
    labels->addWidget(half);
    labels->addStretch(1);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(selector);
    layout->addLayout(labels);
    layout->addStretch(1);
    return half;
}

void RegisterMapWindow::buildControls(const Layout& layout) {
    tabs_ = named(new QTabWidget(this), "PageControl1");
    page_ = named(new QWidget(tabs_), "TabSheet1");
    tabs_->addTab(page_, kCan0PageCaption);
    tabs_->setAccessibleName(kCan0PageCaption);
    // One page only: its tab is no stop on the way through the controls.
    tabs_->findChild<QTabBar*>()->setFocusPolicy(Qt::NoFocus);

    LIndMbCanA = lineList("LIndMbCanA", "MODBUS", page_);
    // Room for the line of a mapping with a wide register on an ordinary frame; a longer line
    // (byte list entries) is cut short and shown whole as its tooltip.
    fitList(LIndMbCanA,
            LIndMbCanA->fontMetrics().horizontalAdvance(QString("Ind MB 00") + kLineGap + "65535 (0xFFFF)" + kLineGap +
                                                        "B8 / B8"),
            kVisibleLines);
    LIndMbCanA->setItemDelegate(new WholeLineTips(LIndMbCanA));

    LPdoCanA = lineList("LPdoCanA", toQt(infocob_xml::kFrameListCaption), page_);
    int tabStop = dialogUnitsToPixels(LPdoCanA->fontMetrics(), layout.tabStopDialogUnits);
    LPdoCanA->setItemDelegate(new TabStopDelegate(tabStop, LPdoCanA));
    frameHeading_ = new TabStopHeading(layout.frameHeading, tabStop, page_);
    frameHeading_->setObjectName("LPdoCanAHeading");
    frameHeading_->alignWith(LPdoCanA);
    // Room for every column, a text of ten average characters in the last one, and the start
    // of the frame's name after them (the whole name is its tooltip).
    int lastColumn = LPdoCanA->fontMetrics().horizontalAdvance("0x00000000");
    int nameRoom = LPdoCanA->fontMetrics().horizontalAdvance("Engine Param");
    fitList(LPdoCanA,
            std::max((layout.headingColumns - 1) * tabStop + lastColumn, frameHeading_->sizeHint().width()) + nameRoom,
            kVisibleLines);

    frameBytes_ = named(new QListWidget(page_), "frameBytes");
    frameBytes_->setAccessibleName("Frame bytes");
    frameBytes_->setToolTip(
        "What each byte of the selected frame holds, from the canboat project's community PGN "
        "database (not the official NMEA list)");
    frameBytes_->setSelectionMode(QAbstractItemView::NoSelection);
    frameBytes_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fitList(frameBytes_, frameBytes_->fontMetrics().horizontalAdvance(QString(31, QChar('n'))), kVisibleByteLines);
    // It lies under both lists and takes their width.
    frameBytes_->setMinimumWidth(0);
    frameBytes_->setMaximumWidth(QWIDGETSIZE_MAX);

    EindexA = named(new QLineEdit(page_), "EindexA");
    EindexA->setAccessibleName(toQt(infocob_xml::kIndexCaption));

    highRow_ = byteRow("PoscompMsbA", toQt(infocob_xml::kHighByteCaption), PoscompMsbA, msbChoices_);
    lowRow_ = byteRow("PoscompLsbA", toQt(infocob_xml::kLowByteCaption), PoscompLsbA, lsbChoices_);

    NewA = plainButton("NewA", "New", page_);
    ModifyA = plainButton("ModifyA", "Modify", page_);
    DELETEa = plainButton("DELETEa", "Delete", page_);
    copyA = plainButton("copyA", "Copy", page_);
    PasteA = plainButton("PasteA", "Paste", page_);

    bottomBar_ = makeExchangeButtonBar(this);
    button1 = bottomBar_.exportButton;
    bitbtn4 = bottomBar_.importButton;
    bitbtn1 = bottomBar_.ok;
    bitbtn2 = bottomBar_.cancel;
    overviewButton_ = plainButton("btnOverview", "Register Overview", this);
    overviewButton_->setToolTip("Every register of both maps in one table, with what is wrong with them");
    overviewButton_->hide();
    bottomBar_.layout->insertWidget(2, overviewButton_);

    connectGuarded(NewA, &QPushButton::clicked, messages_, this, &RegisterMapWindow::NewAClick);
    connectGuarded(ModifyA, &QPushButton::clicked, messages_, this, &RegisterMapWindow::ModifyAClick);
    connectGuarded(DELETEa, &QPushButton::clicked, messages_, this, &RegisterMapWindow::DeleteAClick);
    connectGuarded(copyA, &QPushButton::clicked, messages_, this, &RegisterMapWindow::CopyAClick);
    connectGuarded(PasteA, &QPushButton::clicked, messages_, this, &RegisterMapWindow::PasteAClick);
    connectGuarded(bitbtn1, &QPushButton::clicked, messages_, this, &RegisterMapWindow::BitBtn1Click);
    connect(bitbtn2, &QPushButton::clicked, this, &QDialog::reject);
    connectGuarded(overviewButton_, &QPushButton::clicked, messages_, this, [this] {
        if (openOverview_) openOverview_(*this);
    });
    onLineChosen(LPdoCanA, &RegisterMapWindow::LPdoCanAClick);
    onLineChosen(LIndMbCanA, &RegisterMapWindow::LIndMbCanAClick);
    // Enter in "Index MODBUS" adds the mapping typed there; elsewhere it stays OK.
    EindexA->installEventFilter(this);
}

bool RegisterMapWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == EindexA && event->type() == QEvent::KeyPress) {
        int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            runGuarded(messages_, [this] { NewAClick(); });
            return true;
        }
    }
    return ProjectWindow::eventFilter(watched, event);
}

void RegisterMapWindow::onLineChosen(QListWidget* list, void (RegisterMapWindow::*handler)()) {
    new LineClickWatcher(list, guardedSlot(messages_, this, handler));
}

void RegisterMapWindow::layOut(QWidget* highSelector, QWidget* lowSelector, QWidget* extra) {
    // The mapping list on the left, the frame list beside it, both under their headings, and
    // what the selected frame's bytes hold below them; the edit fields on the right.
    auto* lists = new QGridLayout;
    auto* mappingHeading = new QLabel("MODBUS", page_);
    mappingHeading->setBuddy(LIndMbCanA);
    auto* correlated = new QLabel(toQt(infocob_xml::kFrameListCaption), page_);
    correlated->setBuddy(LPdoCanA);
    lists->addWidget(mappingHeading, 0, 0);
    lists->addWidget(correlated, 0, 1);
    lists->addWidget(frameHeading_, 1, 1);
    lists->addWidget(LIndMbCanA, 2, 0, Qt::AlignTop);
    lists->addWidget(LPdoCanA, 2, 1, Qt::AlignTop);
    auto* bytesHeading = new QLabel("Frame bytes", page_);
    bytesHeading->setBuddy(frameBytes_);
    lists->addWidget(bytesHeading, 3, 0, 1, 2);
    lists->addWidget(frameBytes_, 4, 0, 1, 2);
    lists->setVerticalSpacing(2);
    lists->setRowMinimumHeight(3, bytesHeading->sizeHint().height() + 8);
    lists->setRowStretch(5, 1);

    auto* indexRow = new QHBoxLayout;
    auto* indexLabel = new QLabel(toQt(infocob_xml::kIndexCaption), page_);
    indexLabel->setBuddy(EindexA);
    indexRow->addWidget(indexLabel);
    indexRow->addWidget(EindexA);
    indexRow->addStretch(1);

    // Two rows, so that the edit column is no wider than its byte rows.
    auto* editButtons = new QGridLayout;
    QPushButton* buttons[] = {NewA, ModifyA, DELETEa, copyA, PasteA};
    for (int i = 0; i < 5; ++i) editButtons->addWidget(buttons[i], i / 3, i % 3);
    editButtons->setColumnStretch(3, 1);

    auto* editColumn = new QVBoxLayout;
    editColumn->addLayout(indexRow);
    editColumn->addWidget(highSelector);
    editColumn->addWidget(lowSelector);
    if (extra) editColumn->addWidget(extra);
    editColumn->addStretch(1);
    editColumn->addLayout(editButtons);

    auto* pageLayout = new QHBoxLayout(page_);
    pageLayout->setContentsMargins(6, 6, 6, 6);
    pageLayout->addLayout(lists);
    pageLayout->addSpacing(8);
    pageLayout->addLayout(editColumn, 1);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(tabs_);
    outer->addLayout(bottomBar_.layout);
    // Fixed size, always the size its content needs.
    outer->setSizeConstraint(QLayout::SetFixedSize);

    QList<QWidget*> order = {LIndMbCanA, LPdoCanA, frameBytes_, EindexA};
    order += tabStops(highSelector);
    order += tabStops(lowSelector);
    order += tabStops(extra);
    order += {NewA, ModifyA, DELETEa, copyA, PasteA, button1, bitbtn4, overviewButton_, bitbtn1, bitbtn2};
    chainTabOrder(order);
}

int RegisterMapWindow::selectedFrameRow() const { return selectedRow(LPdoCanA); }

int RegisterMapWindow::selectedMappingRow() const { return selectedRow(LIndMbCanA); }

const TClPdo* RegisterMapWindow::selectedFrame() const {
    int row = selectedFrameRow();
    return row < 0 ? nullptr : &map_.frames.at(static_cast<std::size_t>(row));
}

BytePair RegisterMapWindow::radioBytes() const { return {msbChoices_->checkedId(), lsbChoices_->checkedId()}; }

void RegisterMapWindow::chooseRadioBytes(BytePair bytes) {
    msbChoices_->button(bytes.high)->setChecked(true);
    lsbChoices_->button(bytes.low)->setChecked(true);
}

void RegisterMapWindow::showRadioBytes(std::string_view posComp) { chooseRadioBytes(radioChoicesFor(kind_, posComp)); }

void RegisterMapWindow::showMappingBytes(const TClPdo&, std::string_view posComp) { showRadioBytes(posComp); }

void RegisterMapWindow::showPastedBytes(std::string_view posComp) { showRadioBytes(posComp); }

QString RegisterMapWindow::byteNote(const TClPdo& frame, int position) const {
    return byteNote_ ? toQt(byteNote_(frame, position)) : QString();
}

void RegisterMapWindow::showByteNotes(const TClPdo& frame) {
    for (QButtonGroup* choices : {msbChoices_, lsbChoices_})
        for (int position = 1; position <= kOrdinaryFrameBytes; ++position) {
            QString note = byteNote(frame, position);
            choices->button(position)->setToolTip(note);
            choices->button(position)->setAccessibleDescription(note);
        }
    // The same notes as lines, named as the byte choices are: B1..B8, or Byte1..ByteN.
    frameBytes_->clear();
    const bool lists = usesByteLists(kind_, frame);
    const int positions = lists ? static_cast<int>(byteListEntries(frame).size()) - 1 : kOrdinaryFrameBytes;
    const QString prefix = lists ? "Byte" : "B";
    for (int position = 1; position <= positions; ++position) {
        QString note = byteNote(frame, position);
        if (!note.isEmpty()) frameBytes_->addItem(prefix + QString::number(position) + ": " + note);
    }
}

MapEdit RegisterMapWindow::typedEdit() const { return {fromQt(EindexA->text()), chosenBytes(), writeChoice()}; }

void RegisterMapWindow::FormShow() {
    beforeShow();
    map_ = RegisterMap{kind_, false, {}};
    {
        QSignalBlocker frames(LPdoCanA), mappings(LIndMbCanA);
        LPdoCanA->clear();
        LIndMbCanA->clear();
    }
    frameBytes_->clear();
    EindexA->clear();
    chooseRadioBytes({0, 0});
    setWindowTitle(title_);

    shownMap_ = map_;
    editGuard_.beginShow(workspace_.ProjectDir / std::string(mapFileName(kind_)));
    RegisterMapLoad load = LoadRegisterMap(workspace_.ProjectDir, kind_);
    const std::vector<std::string> notices = loadNotices(load);
    map_ = std::move(load.map);
    shownMap_ = map_;
    editGuard_.setLoss(load.loss);
    {
        QSignalBlocker frames(LPdoCanA);
        for (const TClPdo& frame : map_.frames) {
            auto* line = new QListWidgetItem(toQt(displayLine(kind_, frame)));
            if (frameNote_) {
                QString note = toQt(frameNote_(frame));
                line->setData(kFrameNoteRole, note);
                line->setToolTip(note);
            }
            LPdoCanA->addItem(line);
        }
    }
    showNextFreeRegister();
    for (const std::string& notice : notices) messages_.information(notice);
    bitbtn1->setFocus();
    // A window opened on a mapping (from the register overview) selects it once shown.
    if (std::optional<MappingRef> mapping = std::exchange(selectAfterShow_, std::nullopt))
        runGuarded(messages_, [&] { selectMapping(*mapping); });
}

void RegisterMapWindow::LPdoCanAClick() {
    {
        QSignalBlocker mappings(LIndMbCanA);
        LIndMbCanA->clear();
    }
    EindexA->clear();
    chooseRadioBytes({0, 0});
    frameBytes_->clear();
    const TClPdo* frame = selectedFrame();
    if (!frame) return;
    QStringList lines;
    lines.reserve(static_cast<qsizetype>(frame->mappings.size()));
    for (std::size_t position = 0; position < frame->mappings.size(); ++position)
        lines.push_back(mappingLine("Ind MB " + QString::number(position), *frame, position));
    {
        QSignalBlocker mappings(LIndMbCanA);
        LIndMbCanA->addItems(lines);
    }
    showByteNotes(*frame);
    setUpByteSelectors(*frame);
}

void RegisterMapWindow::LIndMbCanAClick() {
    const TClPdo* frame = selectedFrame();
    int line = selectedMappingRow();
    if (!frame || line < 0) return;
    const TClIndMB& mapping = frame->mappings.at(static_cast<std::size_t>(line));
    EindexA->setText(toQt(mapping.Index));
    showMappingBytes(*frame, mapping.PosComp);
    showWriteChoice(mapping.Write_J1939);
}

void RegisterMapWindow::NewAClick() {
    int frame = selectedFrameRow();
    if (frame < 0) return;
    MapChange change = NewMapping(map_, static_cast<std::size_t>(frame), typedEdit());
    if (change.message) messages_.error(*change.message);
    if (!change.done) return;
    const TClPdo& entry = map_.frames[static_cast<std::size_t>(frame)];
    QSignalBlocker mappings(LIndMbCanA);
    LIndMbCanA->addItem(
        mappingLine("Ind Mb " + QString::number(LIndMbCanA->count()), entry, entry.mappings.size() - 1));
    LIndMbCanA->setCurrentRow(LIndMbCanA->count() - 1);
    showNextFreeRegister();
}

void RegisterMapWindow::ModifyAClick() {
    int frame = selectedFrameRow();
    int line = selectedMappingRow();
    if (frame < 0 || line < 0) return;
    MapChange change =
        ModifyMapping(map_, {static_cast<std::size_t>(frame), static_cast<std::size_t>(line)}, typedEdit());
    if (change.message) messages_.error(*change.message);
    if (!change.done) return;
    // The line keeps its own text; what follows it shows the changed register and bytes.
    QListWidgetItem* item = LIndMbCanA->item(line);
    item->setText(mappingLine(item->text().section(kLineGap, 0, 0), map_.frames[static_cast<std::size_t>(frame)],
                              static_cast<std::size_t>(line)));
    showNextFreeRegister();
}

void RegisterMapWindow::DeleteAClick() {
    int frame = selectedFrameRow();
    int line = selectedMappingRow();
    if (frame < 0 || line < 0) return;
    DeleteMapping(map_, {static_cast<std::size_t>(frame), static_cast<std::size_t>(line)});
    QSignalBlocker mappings(LIndMbCanA);
    delete LIndMbCanA->takeItem(line);
    LIndMbCanA->clearSelection();
    LIndMbCanA->setCurrentRow(-1);
    showNextFreeRegister();
}

void RegisterMapWindow::CopyAClick() { CopyMapping(copyBuffer_, kind_, typedEdit()); }

void RegisterMapWindow::PasteAClick() {
    EindexA->setText(toQt(copyBuffer_.Index));
    showPastedBytes(copyBuffer_.PosComp);
    showWriteChoice(copyBuffer_.Write_J1939);
}

QString RegisterMapWindow::mappingLine(const QString& described, const TClPdo& frame, std::size_t position) const {
    return described + kLineGap + toQt(mappingDetails(kind_, frame, frame.mappings[position]));
}

void RegisterMapWindow::showNextFreeRegister() {
    std::optional<std::int32_t> next = nextFreeRegister(map_);
    EindexA->setPlaceholderText(next ? QString("%1 (next free)").arg(*next) : QString("no register free"));
}

void RegisterMapWindow::setOverviewOpener(OverviewOpener opener) {
    openOverview_ = std::move(opener);
    overviewButton_->setVisible(static_cast<bool>(openOverview_));
}

void RegisterMapWindow::setOverviewEnabled(bool enabled) { overviewButton_->setEnabled(enabled); }

void RegisterMapWindow::selectMapping(MappingRef mapping) {
    if (mapping.frame >= map_.frames.size() || mapping.position >= map_.frames[mapping.frame].mappings.size())
        throw std::out_of_range("The register map holds no mapping " + std::to_string(mapping.position + 1) +
                                " in frame " + std::to_string(mapping.frame + 1));
    {
        QSignalBlocker frames(LPdoCanA);
        LPdoCanA->setCurrentRow(static_cast<int>(mapping.frame));
    }
    LPdoCanAClick();
    {
        QSignalBlocker mappings(LIndMbCanA);
        LIndMbCanA->setCurrentRow(static_cast<int>(mapping.position));
    }
    LIndMbCanA->scrollToItem(LIndMbCanA->currentItem());
    LPdoCanA->scrollToItem(LPdoCanA->currentItem());
    LIndMbCanAClick();
    LIndMbCanA->setFocus();
}

std::optional<MappingRef> RegisterMapWindow::selectedMapping() const {
    int frame = selectedFrameRow();
    int line = selectedMappingRow();
    if (frame < 0 || line < 0) return std::nullopt;
    return MappingRef{static_cast<std::size_t>(frame), static_cast<std::size_t>(line)};
}

int RegisterMapWindow::execOn(MappingRef mapping) {
    selectAfterShow_ = mapping;
    return exec();
}

void RegisterMapWindow::BitBtn1Click() {
    // An Index that is no integer is refused before anything is asked.
    SaveOrder(map_);
    if (!editGuard_.confirmSave()) return;
    SaveRegisterMap(map_, workspace_.ProjectDir);
    accept();
}

}  // namespace telvanor
