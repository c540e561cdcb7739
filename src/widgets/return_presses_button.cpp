#include "widgets/return_presses_button.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QToolButton>

namespace telvanor {

namespace {

// The button Return is meant for: a push or tool button with the focus that can be pressed.
QAbstractButton* focusedButton(QObject* receiver) {
    QAbstractButton* button = qobject_cast<QPushButton*>(receiver);
    if (!button) button = qobject_cast<QToolButton*>(receiver);
    if (!button || !button->hasFocus() || !button->isEnabled() || !button->isVisible()) return nullptr;
    return button;
}

bool isPlainReturn(const QKeyEvent& key) {
    const bool returnKey = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
    return returnKey && (key.modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

class ReturnPressesFocusedButton : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        const auto& key = static_cast<const QKeyEvent&>(*event);
        QAbstractButton* button = isPlainReturn(key) ? focusedButton(watched) : nullptr;
        if (!button) return false;
        if (!key.isAutoRepeat()) button->click();
        return true;
    }
};

}  // namespace

void installReturnPressesFocusedButton() {
    static const char* const kName = "telvanorReturnPressesFocusedButton";
    QCoreApplication* application = QCoreApplication::instance();
    if (!application || application->findChild<QObject*>(kName, Qt::FindDirectChildrenOnly)) return;
    auto* filter = new ReturnPressesFocusedButton(application);
    filter->setObjectName(kName);
    application->installEventFilter(filter);
}

}  // namespace telvanor
