#include "widgets/list_editor_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>

#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/exchange_button_bar.h"
#include "widgets/message_boxes.h"

namespace telvanor {

ListEditorWindow::ListEditorWindow(const char* objectName, const QString& title, const QString& pageCaption,
                                   EditCaptions captions, WorkspaceState& workspace, MessageBoxes& messages,
                                   QWidget* parent)
    : ProjectWindow(objectName, title, workspace, messages, parent) {
    PageControl1 = new QTabWidget(this);
    page_ = makeSinglePage(PageControl1, "PageControl1", "TabSheet1", pageCaption);
    DeleteA = plainButton("DeleteA", captions.deleteCaption, page_);
    NewA = plainButton("NewA", captions.newCaption, page_);
    ModifyA = plainButton("ModifyA", captions.modifyCaption, page_);

    ExchangeButtonBar bar = makeExchangeButtonBar(this);
    button1 = bar.exportButton;
    bitbtn4 = bar.importButton;
    bitbtn1 = bar.ok;
    bitbtn2 = bar.cancel;
    bar_ = bar.layout;

    connectGuarded(NewA, &QPushButton::clicked, messages_, this, &ListEditorWindow::NewAClick);
    connectGuarded(ModifyA, &QPushButton::clicked, messages_, this, &ListEditorWindow::ModifyAClick);
    connectGuarded(DeleteA, &QPushButton::clicked, messages_, this, &ListEditorWindow::DeleteAClick);
    connectGuarded(bitbtn1, &QPushButton::clicked, messages_, this, &ListEditorWindow::BitBtn1Click);
    connect(bitbtn2, &QPushButton::clicked, this, &QDialog::reject);
    connectGuarded(button1, &QPushButton::clicked, messages_, this, &ListEditorWindow::Button1Click);
    connectGuarded(bitbtn4, &QPushButton::clicked, messages_, this, &ListEditorWindow::BitBtn4Click);
}

void ListEditorWindow::reportLoad(TableFileOutcome outcome, const LoadLoss& loss) {
    editGuard_.setLoss(loss);
    std::vector<std::string> notices;
    if (std::optional<std::string> message = tableFileMessage(outcome)) notices.push_back(*message);
    if (loss.any()) notices.push_back(lossNotice(loss));
    if (!notices.empty()) messages_.plain(joinParagraphs(notices));
}

QHBoxLayout* ListEditorWindow::editButtonRow() { return buttonRow({DeleteA, NewA, ModifyA}); }

void ListEditorWindow::layOut(QWidget* list, QLayout* edits, QList<QWidget*> editStops) {
    auto* pageLayout = new QHBoxLayout(page_);
    pageLayout->addWidget(list);
    pageLayout->addLayout(edits, 1);
    stackPagesAboveBar(this, PageControl1, bar_);
    chainTabOrder(editStops += {DeleteA, NewA, ModifyA, button1, bitbtn4, bitbtn1, bitbtn2});
}

}  // namespace telvanor
