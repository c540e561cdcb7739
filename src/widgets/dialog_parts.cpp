#include "widgets/dialog_parts.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>

namespace telvanor {

QPushButton* plainButton(const char* name, const QString& caption, QWidget* parent) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
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
