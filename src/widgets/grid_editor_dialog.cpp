#include "widgets/grid_editor_dialog.h"

#include <algorithm>

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "widgets/string_grid.h"

namespace telvanor {

GridEditorDialog::GridEditorDialog(const QString& pageCaption, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint) {
    pages_ = new QTabWidget(this);
    pages_->setObjectName("pages");
    pages_->setAccessibleName(pageCaption);
    auto* page = new QWidget;
    page_ = page;
    page->setObjectName("page");
    page->setAccessibleName(pageCaption);
    sgA_ = new StringGrid(page);
    lastBeforeOk_ = sgA_;
    sgA_->setObjectName("sgA");
    sgA_->setAccessibleName("sgA");
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->setContentsMargins(4, 4, 4, 4);
    pageLayout->addWidget(sgA_);
    pages_->addTab(page, pageCaption);
    // The only page needs no stop of its own in the tab order.
    pages_->tabBar()->setFocusPolicy(Qt::NoFocus);

    bitbtn1_ = new QPushButton("OK", this);
    bitbtn1_->setObjectName("bitbtn1");
    bitbtn1_->setDefault(true);
    bitbtn2_ = new QPushButton("Cancel", this);
    bitbtn2_->setObjectName("bitbtn2");
    bitbtn2_->setAutoDefault(false);
    for (QPushButton* button : {bitbtn1_, bitbtn2_}) button->setMinimumWidth(90);
    connect(bitbtn1_, &QPushButton::clicked, this, [this] { BitBtn1Click(); });
    connect(bitbtn2_, &QPushButton::clicked, this, &QDialog::reject);

    buttons_ = new QHBoxLayout;
    buttons_->addStretch(1);
    buttons_->addWidget(bitbtn1_);
    buttons_->addWidget(bitbtn2_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons_);

    setTabOrder(sgA_, bitbtn1_);
    setTabOrder(bitbtn1_, bitbtn2_);
}

void GridEditorDialog::addBelowGrid(QWidget* widget) {
    page_->layout()->addWidget(widget);
    // Each focusable control of the widget, in its own order, between the grid and OK.
    QList<QWidget*> stops = widget->findChildren<QWidget*>();
    stops.prepend(widget);
    for (QWidget* stop : stops)
        if (stop->focusPolicy() & Qt::TabFocus) appendTabStop(stop);
}

void GridEditorDialog::addBarButton(QPushButton* button) {
    button->setParent(this);
    button->setAutoDefault(false);
    button->setMinimumWidth(90);
    buttons_->insertWidget(barButtons_++, button);
    appendTabStop(button);
}

void GridEditorDialog::appendTabStop(QWidget* stop) {
    setTabOrder(lastBeforeOk_, stop);
    lastBeforeOk_ = stop;
    setTabOrder(lastBeforeOk_, bitbtn1_);
    setTabOrder(bitbtn1_, bitbtn2_);
}

void GridEditorDialog::fitToGrid(int visibleRows) {
    // Room for the grid's frame, its scroll bar and the tab page around it.
    int gridWidth = sgA_->naturalWidth() + sgA_->verticalScrollBar()->sizeHint().width() + 4;
    int gridHeight = sgA_->horizontalHeader()->sizeHint().height() +
                     visibleRows * sgA_->verticalHeader()->defaultSectionSize() + 2 * sgA_->frameWidth() + 2;
    sgA_->setMinimumSize(gridWidth, gridHeight);
    adjustSize();
    QSize fitted = size();
    if (QScreen* display = screen()) {
        QRect available = display->availableGeometry();
        // A small screen gets a grid that scrolls instead of a window that does not fit.
        sgA_->setMinimumSize(std::min(gridWidth, available.width() * 9 / 10 - (fitted.width() - gridWidth)),
                             std::min(gridHeight, available.height() * 8 / 10 - (fitted.height() - gridHeight)));
        adjustSize();
        move(available.center() - rect().center());
    }
}

void GridEditorDialog::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

}  // namespace telvanor
