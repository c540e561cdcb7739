#include "widgets/message_boxes.h"

#include <QApplication>
#include <QMessageBox>
#include <QPoint>
#include <QPushButton>

#include <map>
#include <optional>

#include "widgets/qt_text.h"

namespace telvanor {

namespace {

void show(QMessageBox::Icon icon, const std::string& text, std::optional<QPoint> at = std::nullopt) {
    QMessageBox box(icon, QApplication::applicationName(), toQt(text), QMessageBox::Ok, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.setEscapeButton(QMessageBox::Ok);
    if (at) box.move(*at);  // a moved box is not centred over its parent
    box.exec();
}

}  // namespace

void QtMessageBoxes::plain(const std::string& text) { show(QMessageBox::NoIcon, text); }
void QtMessageBoxes::error(const std::string& text) { show(QMessageBox::Critical, text); }
void QtMessageBoxes::information(const std::string& text) { show(QMessageBox::Information, text); }
std::string QtMessageBoxes::ask(const std::string& text, const std::vector<std::string>& buttons,
                                const std::string& defaultButton) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), toQt(text), QMessageBox::NoButton,
                    QApplication::activeWindow());
    QAbstractButton* fallback = nullptr;
    std::map<QAbstractButton*, std::string> answers;
    for (const std::string& caption : buttons) {
        bool isDefault = caption == defaultButton;
        QPushButton* button =
            box.addButton(toQt(caption), isDefault ? QMessageBox::RejectRole : QMessageBox::AcceptRole);
        answers[button] = caption;
        if (isDefault) {
            box.setDefaultButton(button);
            fallback = button;
        }
    }
    box.setEscapeButton(fallback);
    box.exec();
    auto answer = answers.find(box.clickedButton());
    return answer == answers.end() ? defaultButton : answer->second;
}

bool QtMessageBoxes::confirm(const std::string& text) {
    QMessageBox box(QMessageBox::Question, QApplication::applicationName(), toQt(text),
                    QMessageBox::Yes | QMessageBox::No, QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtMessageBoxes::errorAt(const std::string& text, int x, int y) { show(QMessageBox::Critical, text, QPoint(x, y)); }

}  // namespace telvanor
