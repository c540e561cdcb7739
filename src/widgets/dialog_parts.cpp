#include "widgets/dialog_parts.h"

#include <QDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace telvanor {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
    return named(new QLabel(text, parent), name);
}

QLabel* buddyLabel(const QString& text, QWidget* buddy, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setBuddy(buddy);
    return label;
}

void addLabelled(QGridLayout* grid, int row, int column, const QString& text, QWidget* control) {
    grid->addWidget(buddyLabel(text, control, control->parentWidget()), row, column);
    grid->addWidget(control, row, column + 1);
}

QLineEdit* namedEdit(const char* name, const QString& accessibleName, QWidget* parent) {
    auto* edit = named(new QLineEdit(parent), name);
    edit->setAccessibleName(accessibleName);
    return edit;
}

QHBoxLayout* buttonRow(const QList<QPushButton*>& buttons) {
    auto* row = new QHBoxLayout;
    for (QPushButton* button : buttons) row->addWidget(button);
    row->addStretch(1);
    return row;
}

void stackPagesAboveBar(QDialog* window, QWidget* pages, QLayout* bar) {
    auto* outer = new QVBoxLayout(window);
    outer->addWidget(pages);
    outer->addLayout(bar);
    outer->setSizeConstraint(QLayout::SetFixedSize);
}

QPushButton* plainButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = named(new QPushButton(caption, parent), name);
    button->setAutoDefault(false);
    return button;
}

OkCancelButtons makeOkCancelButtons(QWidget* window) {
    OkCancelButtons buttons{new QPushButton("OK", window), plainButton("bitbtn2", "Cancel", window), new QHBoxLayout};
    buttons.ok->setObjectName("bitbtn1");
    buttons.ok->setDefault(true);
    buttons.layout->addStretch(1);
    buttons.layout->addWidget(buttons.ok);
    buttons.layout->addWidget(buttons.cancel);
    return buttons;
}

QWidget* makeSinglePage(QTabWidget* pages, const char* pagesName, const char* pageName, const QString& caption) {
    pages->setObjectName(pagesName);
    pages->setAccessibleName(caption);
    auto* page = new QWidget(pages);
    page->setObjectName(pageName);
    page->setAccessibleName(caption);
    pages->addTab(page, caption);
    pages->tabBar()->setFocusPolicy(Qt::NoFocus);
    return page;
}

}  // namespace telvanor
