#include "app/new_project_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "project/new_project.h"
#include "widgets/dialog_parts.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

constexpr int kClientWidth = 319;
constexpr int kClientHeight = 91;
constexpr const char* kCaption = "New project";

}  // namespace

TFsaveproj::TFsaveproj(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : ProjectWindow("Fsaveproj", kCaption, workspace, messages, parent) {
    Label1_ = new QLabel("Project name", this);
    Label1_->setObjectName("Label1");
    Edit1_ = new QLineEdit(this);
    Edit1_->setObjectName("Edit1");
    Edit1_->setFrame(false);
    Edit1_->setAccessibleName(Label1_->text());
    Label1_->setBuddy(Edit1_);

    OkCancelButtons buttons = makeOkCancelButtons(this);
    bitbtn1_ = buttons.ok;
    bitbtn2_ = buttons.cancel;
    connectGuarded(bitbtn1_, &QPushButton::clicked, messages_, this, &TFsaveproj::BitBtn1Click);
    connectGuarded(bitbtn2_, &QPushButton::clicked, messages_, this, &TFsaveproj::BitBtn2Click);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1_, 0, 0);
    layout->addWidget(Edit1_, 1, 0);
    layout->addLayout(buttons.layout, 2, 0);
    layout->setRowStretch(3, 1);

    setTabOrder(Edit1_, bitbtn1_);
    setTabOrder(bitbtn1_, bitbtn2_);

    setFixedSize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
}

void TFsaveproj::FormShow() {
    setWindowTitle(kCaption);
    Edit1_->clear();
    projectName_.clear();
    Label1_->show();
    Edit1_->setFocus();
}

void TFsaveproj::BitBtn1Click() {
    closePermission_ = true;
    projectName_ = fromQt(Edit1_->text());
    NewProjectResult result = CreateProject(destination_, projectName_, workspace_);
    for (const std::string& message : result.messages) messages_.plain(message);
    closePermission_ = result.created;
    if (closePermission_) accept();
}

void TFsaveproj::BitBtn2Click() {
    closePermission_ = true;
    QDialog::reject();
}

void TFsaveproj::reject() { BitBtn2Click(); }

void TFsaveproj::closeEvent(QCloseEvent* event) {
    // Closing in any other way than OK or Cancel is refused until one of them allowed it.
    if (!closePermission_) {
        event->ignore();
        return;
    }
    QDialog::closeEvent(event);
}

}  // namespace telvanor
