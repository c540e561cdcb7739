#include "app/ping_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace telvanor {

namespace {

constexpr int kPictureSize = 48;

QLabel* picture(const char* name, QStyle::StandardPixmap kind, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAccessibleName(name);
    label->setPixmap(parent->style()->standardIcon(kind, nullptr, parent).pixmap(kPictureSize, kPictureSize));
    label->setFixedSize(kPictureSize, kPictureSize);
    return label;
}

}  // namespace

TFPing::TFPing(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName("FPing");
    setWindowTitle("Ping!");

    QLabel* I_P_E = picture("I_P_E", QStyle::SP_MessageBoxQuestion, this);
    QLabel* I_P_F = picture("I_P_F", QStyle::SP_DialogApplyButton, this);
    QLabel* I_P_NF = picture("I_P_NF", QStyle::SP_MessageBoxCritical, this);
    I_P_F->hide();
    I_P_NF->hide();

    auto* Label1 = new QLabel(this);
    Label1->setObjectName("Label1");
    Label1->setAccessibleName("Label1");
    Label1->setMinimumWidth(120);

    auto* bitbtn1 = new QPushButton("OK", this);
    bitbtn1->setObjectName("bitbtn1");
    bitbtn1->setDefault(true);
    connect(bitbtn1, &QPushButton::clicked, this, &QDialog::accept);

    // The three pictures share one cell, so whichever is shown stands at the same spot.
    auto* spot = new QGridLayout;
    for (QLabel* each : {I_P_E, I_P_F, I_P_NF}) spot->addWidget(each, 0, 0, Qt::AlignCenter);

    auto* row = new QHBoxLayout;
    row->addLayout(spot);
    row->addSpacing(12);
    row->addWidget(Label1, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bitbtn1);
    buttons->addStretch(1);

    auto* outer = new QVBoxLayout(this);
    outer->addLayout(row);
    outer->addSpacing(8);
    outer->addLayout(buttons);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

}  // namespace telvanor
