#include "widgets/project_window.h"

#include <algorithm>

#include <QScreen>
#include <QShowEvent>

#include "widgets/error_boundary.h"

namespace telvanor {

void centreOnScreen(QWidget& window) {
    QScreen* display = window.screen();
    if (!display) return;
    QRect available = display->availableGeometry();
    QPoint topLeft = available.center() - window.rect().center();
    window.move(std::max(topLeft.x(), available.left()), std::max(topLeft.y(), available.top()));
}

void chainTabOrder(const QList<QWidget*>& controls) {
    for (qsizetype i = 0; i + 1 < controls.size(); ++i) QWidget::setTabOrder(controls[i], controls[i + 1]);
}

ProjectWindow::ProjectWindow(const char* objectName, const QString& title, WorkspaceState& workspace,
                             MessageBoxes& messages, QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags), workspace_(workspace), messages_(messages), editGuard_(messages) {
    setObjectName(objectName);
    setWindowTitle(title);
}

void ProjectWindow::reject() {
    bool keepOpen = false;
    if (isVisible()) runGuarded(messages_, [&] { keepOpen = hasChanges() && !editGuard_.confirmDiscard(); });
    if (!keepOpen) QDialog::reject();
}

void ProjectWindow::showEvent(QShowEvent* event) {
    const bool shownAnew = !event->spontaneous();
    if (shownAnew) runGuarded(messages_, [this] { FormShow(); });
    QDialog::showEvent(event);
    if (shownAnew) placeOnScreen();
}

}  // namespace telvanor
