#include "app/new_project_window.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "project/new_project.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

constexpr int kClientWidth = 319;
constexpr int kClientHeight = 91;
constexpr const char* kCaption = "New project";

}  // namespace

TFsaveproj::TFsaveproj(WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
      workspace_(workspace),
      messages_(messages) {
    setObjectName("Fsaveproj");
    setWindowTitle(kCaption);

    Label1_ = new QLabel("Project name", this);
    Label1_->setObjectName("Label1");
    Edit1_ = new QLineEdit(this);
    Edit1_->setObjectName("Edit1");
    Edit1_->setFrame(false);
    Edit1_->setAccessibleName(Label1_->text());
    Label1_->setBuddy(Edit1_);

    bitbtn1_ = new QPushButton("OK", this);
    bitbtn1_->setObjectName("bitbtn1");
    bitbtn1_->setDefault(true);
    bitbtn2_ = new QPushButton("Cancel", this);
    bitbtn2_->setObjectName("bitbtn2");
    bitbtn2_->setAutoDefault(false);
    connect(bitbtn1_, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(bitbtn2_, &QPushButton::clicked, this, [this] { BitBtn2Click(); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bitbtn1_);
    buttons->addWidget(bitbtn2_);

    auto* layout = new QGridLayout(this);
    layout->addWidget(Label1_, 0, 0);
    layout->addWidget(Edit1_, 1, 0);
    layout->addLayout(buttons, 2, 0);
    layout->setRowStretch(3, 1);

    setTabOrder(Edit1_, bitbtn1_);
    setTabOrder(bitbtn1_, bitbtn2_);

    setFixedSize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
}

void TFsaveproj::showEvent(QShowEvent* event) {
    FormShow();
    QDialog::showEvent(event);
    if (QScreen* display = screen()) move(display->availableGeometry().center() - rect().center());
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
