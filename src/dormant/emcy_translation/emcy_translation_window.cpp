#include "dormant/emcy_translation/emcy_translation_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "dormant/emcy_translation/emcy_translation_exchange.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/list_editor_window.h"
#include "widgets/message_boxes.h"
#include "widgets/open_excel.h"
#include "widgets/page_captions.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

constexpr const char* kTitle = "Set Translate EMCY";

// The edits from top to bottom: the field, its label and the range the label shows (nothing
// checks it).
struct EditRow {
    std::string_view field;
    const char* label;
    const char* range;
};
constexpr std::array<EditRow, 11> kEditRows{{
    {"id_dev", "ID_EMCY", "(1..127)"},
    {"mask_eq_ec", "Mask_error_code", "(0..65535)"},
    {"enmask_eq_ec", "Enabled_mask_error_code", "(0..65535)"},
    {"mask_eq_er", "MAsk_error_Reg", "(0..255)"},
    {"enmask_eq_er", "Enabled_mask_error_Reg", "(0..255)"},
    {"mask_eq_m1", "Mask_Manu1", "(0..65535)"},
    {"enmask_eq_m1", "Enabled_Mask_Manu1", "(0..65535)"},
    {"mask_eq_m2", "Mask_Manu2", "(0..65535)"},
    {"enmask_eq_m2", "Enabled_Mask_Manu2", "(0..65535)"},
    {"mask_eq_m3", "Mask_Manu3", "(0..255)"},
    {"enmask_eq_m3", "Enabled_Mask_Manu3", "(0..255)"},
}};

std::size_t fieldPosition(std::string_view field) {
    for (std::size_t position = 0; position < kEmcyFields.size(); ++position)
        if (kEmcyFields[position].name == field) return position;
    return 0;
}

}  // namespace

TFemcyMB::TFemcyMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent)
    : ListEditorWindow("FemcyMB", kTitle, kCanAPageCaption, {"Delete EMCY", "New EMCY", "Modify EMCY"}, workspace,
                       messages, parent),
      OpenExcel(openExcel) {
    buildControls();
}

void TFemcyMB::buildControls() {
    QWidget* page = this->page();

    LBCanA = new QListWidget(page);
    LBCanA->setObjectName("LBCanA");
    LBCanA->setAccessibleName("ID_EMCY list");
    LBCanA->setSelectionMode(QAbstractItemView::SingleSelection);
    LBCanA->setMinimumWidth(LBCanA->fontMetrics().horizontalAdvance("0000000000") + 40);

    auto* editGrid = new QGridLayout;
    QList<QWidget*> order = {LBCanA};
    for (int row = 0; row < static_cast<int>(kEditRows.size()); ++row) {
        const EditRow& editRow = kEditRows[static_cast<std::size_t>(row)];
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QString("E%1A").arg(toQt(editRow.field)));
        edit->setAccessibleName(editRow.label);
        auto* label = new QLabel(QString("%1 %2").arg(editRow.label, editRow.range), page);
        label->setBuddy(edit);
        editGrid->addWidget(edit, row, 0);
        editGrid->addWidget(label, row, 1);
        edits_[fieldPosition(editRow.field)] = edit;
        order.push_back(edit);
    }

    auto* editColumn = new QVBoxLayout;
    editColumn->addLayout(editGrid);
    editColumn->addStretch(1);
    editColumn->addLayout(editButtonRow());
    layOut(LBCanA, editColumn, order);

    connectGuarded(LBCanA, &QListWidget::currentRowChanged, messages_, this, &TFemcyMB::LBCanAClick);
    connectGuarded(LBCanA, &QListWidget::itemClicked, messages_, this, &TFemcyMB::LBCanAClick);
}

int TFemcyMB::selectedLine() const {
    QListWidgetItem* current = LBCanA->currentItem();
    return current && current->isSelected() ? LBCanA->row(current) : -1;
}

void TFemcyMB::selectLine(int line) {
    LBCanA->setCurrentRow(line);
    LBCanAClick();
}

TClEmcy TFemcyMB::typedEntry() const {
    TClEmcy entry;
    for (std::size_t field = 0; field < kEmcyFields.size(); ++field)
        entry.*kEmcyFields[field].text = fromQt(edits_[field]->text());
    return entry;
}

void TFemcyMB::clearTable() {
    {
        QSignalBlocker lines(LBCanA);
        LBCanA->clear();
    }
    entries_.clear();
    for (QLineEdit* edit : edits_) edit->clear();
}

void TFemcyMB::appendEntry(TClEmcy entry) {
    QSignalBlocker lines(LBCanA);
    LBCanA->addItem(toQt(entry.id_dev));
    entries_.push_back(std::move(entry));
}

void TFemcyMB::FormShow() {
    clearTable();
    used_ = {};
    shownEntries_.clear();
    editGuard_.beginShow(workspace_.EmcyDefPath);
    EmcyDefLoad load = LoadEmcyDef(workspace_.EmcyDefPath);
    for (TClEmcy& entry : load.entries) appendEntry(std::move(entry));
    shownEntries_ = entries_;
    reportLoad(load.outcome, load.loss);
    if (!entries_.empty()) selectLine(0);
    bitbtn1->setFocus();
    used_ = LoadUsedEmcyIds(workspace_.EmcyWordPath);
    if (used_.failure) messages_.error(*used_.failure);
}

void TFemcyMB::LBCanAClick() {
    int line = selectedLine();
    if (line < 0) return;
    const TClEmcy& entry = entries_.at(static_cast<std::size_t>(line));
    for (std::size_t field = 0; field < kEmcyFields.size(); ++field)
        edits_[field]->setText(toQt(entry.*kEmcyFields[field].text));
}

// Nothing is validated: the new entry takes the next ID and the other edits as they stand.
void TFemcyMB::NewAClick() {
    edits_[0]->setText(toQt(NextEmcyId(entries_)));
    appendEntry(typedEntry());
    selectLine(LBCanA->count() - 1);
}

void TFemcyMB::ModifyAClick() {
    int line = selectedLine();
    if (line < 0) return;
    TClEmcy typed = typedEntry();
    if (std::optional<std::string> refusal =
            CheckEmcyIdChange(entries_, static_cast<std::size_t>(line), typed.id_dev)) {
        messages_.error(*refusal);
        return;
    }
    LBCanA->item(line)->setText(toQt(typed.id_dev));
    entries_[static_cast<std::size_t>(line)] = std::move(typed);
}

void TFemcyMB::DeleteAClick() {
    int line = selectedLine();
    if (line < 0) return;
    if (std::optional<std::string> refusal = CheckEmcyDelete(entries_[static_cast<std::size_t>(line)], used_)) {
        messages_.error(*refusal);
        return;
    }
    entries_.erase(entries_.begin() + line);
    QSignalBlocker lines(LBCanA);
    delete LBCanA->takeItem(line);
    LBCanA->clearSelection();
    LBCanA->setCurrentRow(-1);
}

void TFemcyMB::BitBtn1Click() {
    // An ID that is no integer is refused before anything is asked.
    EmcyDefSaveOrder(entries_);
    if (!editGuard_.confirmSave()) return;
    SaveEmcyDef(workspace_.EmcyDefPath, entries_);
    accept();
}

// Writes the entries as they stand; the window and the entries stay as they are.
void TFemcyMB::Button1Click() { ExportEmcyDef(workspace_.ProjectDir, entries_); }

// The entries are replaced only by a worksheet that was read; the message says what was imported.
void TFemcyMB::BitBtn4Click() {
    std::vector<TClEmcy> imported;
    if (!OpenExcel.importInto(this, messages_, [&imported](const std::filesystem::path& workbook) {
            return ImportEmcyDef(workbook, imported);
        }))
        return;
    clearTable();
    entries_ = std::move(imported);
    QSignalBlocker lines(LBCanA);
    for (const TClEmcy& entry : entries_) LBCanA->addItem(toQt(entry.id_dev));
    lines.unblock();
    if (!entries_.empty()) selectLine(0);
}

}  // namespace telvanor
