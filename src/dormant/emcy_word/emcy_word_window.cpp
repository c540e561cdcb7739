#include "dormant/emcy_word/emcy_word_window.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dormant/emcy_word/emcy_word_exchange.h"
#include "dormant/emcy_word/emcy_word_file.h"
#include "dormant/emcy_word/emcy_word_icons.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/exchange_button_bar.h"
#include "widgets/message_boxes.h"
#include "widgets/open_excel.h"
#include "widgets/project_window.h"
#include "widgets/qt_text.h"
#include "widgets/wait_cursor.h"

namespace telvanor {

namespace {

constexpr const char* kTitle = "EWMCY";
constexpr const char* kPageCaption = "CanA-ModBus";
constexpr const char* kWordGroupCaption = "Word n° Emcy define";
constexpr const char* kBitGroupCaption = "Mask BIT n°  Define";
// The marker that tells a word node from a bit node.
constexpr int kWordNodeRole = Qt::UserRole;

QLineEdit* edit(const char* name, const char* accessibleName, QWidget* parent) {
    auto* lineEdit = new QLineEdit(parent);
    lineEdit->setObjectName(name);
    lineEdit->setAccessibleName(accessibleName);
    return lineEdit;
}

QLabel* label(const char* text, QWidget* buddy, QWidget* parent) {
    auto* caption = new QLabel(text, parent);
    caption->setBuddy(buddy);
    return caption;
}

}  // namespace

TFWemcyMB::TFWemcyMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent)
    : ProjectWindow("FWemcyMB", kTitle, workspace, messages, parent), OpenExcel(openExcel) {
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
    PageControl1 = new QTabWidget(this);
    QWidget* page = makeSinglePage(PageControl1, "PageControl1", "TabSheet1", kPageCaption);

    TWCanA = new QTreeWidget(page);
    TWCanA->setObjectName("TWCanA");
    TWCanA->setAccessibleName("EMCY words");
    TWCanA->setHeaderHidden(true);
    TWCanA->setColumnCount(1);
    TWCanA->setSelectionMode(QAbstractItemView::SingleSelection);
    TWCanA->setEditTriggers(QAbstractItemView::NoEditTriggers);
    TWCanA->setMinimumSize(TWCanA->fontMetrics().horizontalAdvance("W0000000") + 60, 320);

    IDEmcy = edit("IDEmcy", "Id Emcy", page);
    IDEmcy->installEventFilter(this);
    auto* idRow = new QHBoxLayout;
    idRow->addWidget(label("Id Emcy", IDEmcy, page));
    idRow->addWidget(IDEmcy);
    idRow->addStretch(1);

    GBword_emcy_bitmapA = new QGroupBox(kWordGroupCaption, page);
    GBword_emcy_bitmapA->setObjectName("GBword_emcy_bitmapA");
    Eindex_addrmA = edit("Eindex_addrmA", "index_addrm", GBword_emcy_bitmapA);
    GbebmA = new QGroupBox(kBitGroupCaption, GBword_emcy_bitmapA);
    GbebmA->setObjectName("GbebmA");
    Eb0A = edit("Eb0A", "Mask Byte 1", GbebmA);
    EposcompA = edit("EposcompA", "Emcy byte 1", GbebmA);
    Eb1A = edit("Eb1A", "Mask byte 2", GbebmA);
    EposcompA2 = edit("EposcompA2", "Emcy Byte 2", GbebmA);
    auto* bitGrid = new QGridLayout(GbebmA);
    bitGrid->addWidget(label("Mask Byte 1", Eb0A, GbebmA), 0, 0);
    bitGrid->addWidget(Eb0A, 0, 1);
    bitGrid->addWidget(label("Emcy byte 1", EposcompA, GbebmA), 0, 2);
    bitGrid->addWidget(EposcompA, 0, 3);
    bitGrid->addWidget(label("Mask byte 2", Eb1A, GbebmA), 1, 0);
    bitGrid->addWidget(Eb1A, 1, 1);
    bitGrid->addWidget(label("Emcy Byte 2", EposcompA2, GbebmA), 1, 2);
    bitGrid->addWidget(EposcompA2, 1, 3);

    auto* indexRow = new QHBoxLayout;
    indexRow->addWidget(label("index_addrm", Eindex_addrmA, GBword_emcy_bitmapA));
    indexRow->addWidget(Eindex_addrmA);
    indexRow->addStretch(1);
    auto* wordLayout = new QVBoxLayout(GBword_emcy_bitmapA);
    wordLayout->addLayout(indexRow);
    wordLayout->addWidget(GbebmA);

    DeleteA = plainButton("DeleteA", "Delete", page);
    NewA = plainButton("NewA", "New", page);
    ModifyA = plainButton("ModifyA", "Modify", page);
    auto* editButtons = new QHBoxLayout;
    for (QPushButton* pushButton : {DeleteA, NewA, ModifyA}) editButtons->addWidget(pushButton);
    editButtons->addStretch(1);

    auto* editColumn = new QVBoxLayout;
    editColumn->addLayout(idRow);
    editColumn->addWidget(GBword_emcy_bitmapA);
    editColumn->addLayout(editButtons);
    editColumn->addStretch(1);
    auto* pageLayout = new QHBoxLayout(page);
    pageLayout->addWidget(TWCanA);
    pageLayout->addLayout(editColumn, 1);

    ExchangeButtonBar bar = makeExchangeButtonBar(this);
    button1 = bar.exportButton;
    bitbtn4 = bar.importButton;
    bitbtn1 = bar.ok;
    bitbtn2 = bar.cancel;

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(PageControl1);
    outer->addLayout(bar.layout);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    QList<QWidget*> order = {TWCanA,  IDEmcy, Eindex_addrmA, Eb0A,    EposcompA, Eb1A,    EposcompA2,
                             DeleteA, NewA,   ModifyA,       button1, bitbtn4,   bitbtn1, bitbtn2};
    chainTabOrder(order);

    connectGuarded(TWCanA, &QTreeWidget::itemSelectionChanged, messages_, this, &TFWemcyMB::TWCanAChange);
    connectGuarded(NewA, &QPushButton::clicked, messages_, this, &TFWemcyMB::NewAClick);
    connectGuarded(ModifyA, &QPushButton::clicked, messages_, this, &TFWemcyMB::ModifyAClick);
    connectGuarded(DeleteA, &QPushButton::clicked, messages_, this, &TFWemcyMB::DeleteAClick);
    connectGuarded(bitbtn1, &QPushButton::clicked, messages_, this, &TFWemcyMB::BitBtn1Click);
    connect(bitbtn2, &QPushButton::clicked, this, &QDialog::reject);
    connectGuarded(button1, &QPushButton::clicked, messages_, this, &TFWemcyMB::Button1Click);
    connectGuarded(bitbtn4, &QPushButton::clicked, messages_, this, &TFWemcyMB::BitBtn4Click);
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
    EmcyWordLoad load = LoadEmcyWords(workspace_.EmcyWordPath);
    table_ = std::move(load.table);
    for (int number : table_.numbers) addWordNode(number);
    if (load.outcome == EmcyFileOutcome::NoFile) messages_.plain(std::string(kEmcyFileNotFound));
    if (load.outcome == EmcyFileOutcome::Failed) messages_.plain(std::string(kEmcyFileReadError));
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
    SaveEmcyWords(workspace_.EmcyWordPath, table_.words);
    accept();
}

// Writes the table as it stands; the window and the table stay as they are.
void TFWemcyMB::Button1Click() { ExportEmcyWords(workspace_.ProjectDir, table_.words); }

void TFWemcyMB::BitBtn4Click() {
    std::optional<std::filesystem::path> workbook = OpenExcel.execute(this);
    if (!workbook) return;
    clearTable();
    {
        WaitCursor busy;
        // Every way the import ends is silent; the table keeps what it took so far.
        ImportEmcyWords(*workbook, table_);
    }
    for (int number : table_.numbers) addWordNode(number);
}

}  // namespace telvanor
