#include "dormant/emcy_word/emcy_word_window.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dormant/emcy_word/emcy_word_exchange.h"
#include "dormant/emcy_word/emcy_word_file.h"
#include "dormant/emcy_word/emcy_word_icons.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/list_editor_window.h"
#include "widgets/message_boxes.h"
#include "widgets/open_excel.h"
#include "widgets/page_captions.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

constexpr const char* kTitle = "EWMCY";
constexpr const char* kWordGroupCaption = "Word n° Emcy define";
constexpr const char* kBitGroupCaption = "Mask BIT n°  Define";
// The marker that tells a word node from a bit node.
constexpr int kWordNodeRole = Qt::UserRole;

}  // namespace

TFWemcyMB::TFWemcyMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent)
    : ListEditorWindow("FWemcyMB", kTitle, kCanAPageCaption, {"Delete", "New", "Modify"}, workspace, messages, parent),
      OpenExcel(openExcel) {
    FormCreate();
    buildControls();
}

void TFWemcyMB::FormCreate() {
    Large = emcyWordImages();
    // A selected node shows the image after its own.
    wordIcon_.addPixmap(Large[0], QIcon::Normal);
    wordIcon_.addPixmap(Large[1], QIcon::Selected);
    bitIcon_.addPixmap(Large[2], QIcon::Normal);
    bitIcon_.addPixmap(Large[3], QIcon::Selected);
}

void TFWemcyMB::buildControls() {
    QWidget* page = this->page();

    TWCanA = new QTreeWidget(page);
    TWCanA->setObjectName("TWCanA");
    TWCanA->setAccessibleName("EMCY words");
    TWCanA->setHeaderHidden(true);
    TWCanA->setColumnCount(1);
    TWCanA->setSelectionMode(QAbstractItemView::SingleSelection);
    TWCanA->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TWCanA->setMinimumSize(TWCanA->fontMetrics().horizontalAdvance("W0000000") + 60, 320);

    IDEmcy = namedEdit("IDEmcy", "Id Emcy", page);
    IDEmcy->installEventFilter(this);
    auto* idRow = new QHBoxLayout;
    idRow->addWidget(buddyLabel("Id Emcy", IDEmcy, page));
    idRow->addWidget(IDEmcy);
    idRow->addStretch(1);

    GBword_emcy_bitmapA = new QGroupBox(kWordGroupCaption, page);
    GBword_emcy_bitmapA->setObjectName("GBword_emcy_bitmapA");
    Eindex_addrmA = namedEdit("Eindex_addrmA", "index_addrm", GBword_emcy_bitmapA);
    GbebmA = new QGroupBox(kBitGroupCaption, GBword_emcy_bitmapA);
    GbebmA->setObjectName("GbebmA");
    Eb0A = namedEdit("Eb0A", "Mask Byte 1", GbebmA);
    EposcompA = namedEdit("EposcompA", "Emcy byte 1", GbebmA);
    Eb1A = namedEdit("Eb1A", "Mask byte 2", GbebmA);
    EposcompA2 = namedEdit("EposcompA2", "Emcy Byte 2", GbebmA);
    auto* bitGrid = new QGridLayout(GbebmA);
    addLabelled(bitGrid, 0, 0, "Mask Byte 1", Eb0A);
    addLabelled(bitGrid, 0, 2, "Emcy byte 1", EposcompA);
    addLabelled(bitGrid, 1, 0, "Mask byte 2", Eb1A);
    addLabelled(bitGrid, 1, 2, "Emcy Byte 2", EposcompA2);

    auto* indexRow = new QHBoxLayout;
    indexRow->addWidget(buddyLabel("index_addrm", Eindex_addrmA, GBword_emcy_bitmapA));
    indexRow->addWidget(Eindex_addrmA);
    indexRow->addStretch(1);
    auto* wordLayout = new QVBoxLayout(GBword_emcy_bitmapA);
    wordLayout->addLayout(indexRow);
    wordLayout->addWidget(GbebmA);

    auto* editColumn = new QVBoxLayout;
    editColumn->addLayout(idRow);
    editColumn->addWidget(GBword_emcy_bitmapA);
    editColumn->addLayout(editButtonRow());
    editColumn->addStretch(1);
    layOut(TWCanA, editColumn, {TWCanA, IDEmcy, Eindex_addrmA, Eb0A, EposcompA, Eb1A, EposcompA2});

    connectGuarded(TWCanA, &QTreeWidget::itemSelectionChanged, messages_, this, &TFWemcyMB::TWCanAChange);
}

bool TFWemcyMB::eventFilter(QObject* watched, QEvent* event) {
    if (watched == IDEmcy && event->type() == QEvent::FocusOut) {
        // Only a move to another control of the window leaves the edit; the window losing the
        // focus to a message box or another window does not.
        Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason)
            runGuarded(messages_, [this] { IDEmcyExit(); });
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::size_t> TFWemcyMB::selectedNode() const {
    QTreeWidgetItem* current = TWCanA->currentItem();
    if (!current || !current->isSelected()) return std::nullopt;
    QTreeWidgetItem* wordNode = current->parent() ? current->parent() : current;
    EmcyNode node{static_cast<std::size_t>(TWCanA->indexOfTopLevelItem(wordNode)), std::nullopt};
    if (current->parent()) node.bit = static_cast<std::size_t>(wordNode->indexOfChild(current));
    return emcyNodeNumber(node);
}

void TFWemcyMB::addWordNode(int number) {
    auto* wordNode = new QTreeWidgetItem(QStringList{toQt(wordNodeCaption(number))});
    wordNode->setIcon(0, wordIcon_);
    wordNode->setData(0, kWordNodeRole, true);
    for (std::size_t bit = 0; bit < kEmcyWordBits; ++bit) {
        auto* bitNode = new QTreeWidgetItem(wordNode, QStringList{toQt(bitNodeCaption(bit))});
        bitNode->setIcon(0, bitIcon_);
        bitNode->setData(0, kWordNodeRole, false);
    }
    QSignalBlocker nodes(TWCanA);
    TWCanA->addTopLevelItem(wordNode);
}

void TFWemcyMB::clearTable() {
    {
        QSignalBlocker nodes(TWCanA);
        TWCanA->clear();
    }
    table_ = {};
    for (QLineEdit* cleared : {Eindex_addrmA, Eb0A, Eb1A, EposcompA, EposcompA2}) cleared->clear();
}

void TFWemcyMB::FormShow() {
    // The "Id Emcy" edit keeps its text from the last showing.
    clearTable();
    shownWords_.clear();
    editGuard_.beginShow(workspace_.EmcyWordPath);
    EmcyWordLoad load = LoadEmcyWords(workspace_.EmcyWordPath);
    table_ = std::move(load.table);
    for (int number : table_.numbers) addWordNode(number);
    shownWords_ = table_.words;
    reportLoad(load.outcome, load.loss);
    bitbtn1->setFocus();
}

void TFWemcyMB::TWCanAChange() {
    std::optional<std::size_t> number = selectedNode();
    if (!number) return;
    GBword_emcy_bitmapA->setTitle(toQt(wordGroupCaption(*number)));
    GbebmA->setTitle(toQt(bitGroupCaption(*number)));
    EmcyNode node = emcyNodeAt(*number);
    EmcyNodeTexts texts = emcyNodeTexts(table_.words.at(node.word), node.bit);
    Eindex_addrmA->setText(toQt(texts.index_addrm));
    IDEmcy->setText(toQt(texts.devid));
    Eb0A->setText(toQt(texts.b0));
    Eb1A->setText(toQt(texts.b1));
    EposcompA->setText(toQt(texts.emcyByte1));
    EposcompA2->setText(toQt(texts.emcyByte2));
}

// The value is only warned about: it stays, and nothing refuses it later.
void TFWemcyMB::IDEmcyExit() {
    IdEmcyExit exit = CheckIdEmcy(fromQt(IDEmcy->text()));
    IDEmcy->setText(toQt(exit.text));
    if (!exit.message) return;
    messages_.error(*exit.message);
    // The focus is still on its way to the next control; it is taken back once it got there.
    QTimer::singleShot(0, IDEmcy, [this] {
        if (IDEmcy->isVisible() && IDEmcy->isEnabled()) IDEmcy->setFocus();
    });
}

void TFWemcyMB::NewAClick() {
    const TClWEmcy& word = NewEmcyWord(table_);
    Eindex_addrmA->setText(toQt(word.index_addrm));
    IDEmcy->setText(toQt(word.devid));
    addWordNode(table_.numbers.back());
}

// Either one bit, or the word's index and ID, never both.
void TFWemcyMB::ModifyAClick() {
    std::optional<std::size_t> number = selectedNode();
    if (!number) return;
    EmcyNode node = emcyNodeAt(*number);
    if (node.bit) {
        ModifyEmcyBit(
            table_.words.at(node.word), *node.bit,
            {fromQt(Eb0A->text()), fromQt(Eb1A->text()), fromQt(EposcompA->text()), fromQt(EposcompA2->text())});
        return;
    }
    if (std::optional<std::string> refusal =
            ModifyEmcyWord(table_, node.word, fromQt(Eindex_addrmA->text()), fromQt(IDEmcy->text()))) {
        messages_.error(*refusal);
        return;
    }
    IDEmcy->setText(toQt(table_.words[node.word].devid));
}

// Without confirmation; a bit node or no node selected does nothing.
void TFWemcyMB::DeleteAClick() {
    std::optional<std::size_t> number = selectedNode();
    if (!number) return;
    EmcyNode node = emcyNodeAt(*number);
    if (node.bit) return;
    DeleteEmcyWord(table_, node.word);
    QSignalBlocker nodes(TWCanA);
    delete TWCanA->takeTopLevelItem(static_cast<int>(node.word));
    TWCanA->clearSelection();
    TWCanA->setCurrentItem(nullptr);
}

void TFWemcyMB::BitBtn1Click() {
    // An index that is no integer is refused before anything is asked.
    EmcyWordSaveOrder(table_.words);
    if (!editGuard_.confirmSave()) return;
    SaveEmcyWords(workspace_.EmcyWordPath, table_.words);
    accept();
}

// Writes the table as it stands; the window and the table stay as they are.
void TFWemcyMB::Button1Click() { ExportEmcyWords(workspace_.ProjectDir, table_.words); }

// The words are replaced only by a worksheet that was read; the message says what was imported.
void TFWemcyMB::BitBtn4Click() {
    EmcyWordTable imported;
    if (!OpenExcel.importInto(this, messages_, [&imported](const std::filesystem::path& workbook) {
            return ImportEmcyWords(workbook, imported);
        }))
        return;
    clearTable();
    table_ = std::move(imported);
    for (int number : table_.numbers) addWordNode(number);
}

}  // namespace telvanor
