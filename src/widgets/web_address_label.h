#pragma once

#include <QLabel>

namespace telvanor {

// A web address shown as a link: one Tab stop that shows when it has the focus, opened by a
// click, by Return, keypad Enter or Space. Screen readers meet it as a link that can be
// pressed.
class WebAddressLabel : public QLabel {
    Q_OBJECT
public:
    explicit WebAddressLabel(const QString& address, QWidget* parent = nullptr);

    // Opens the page, as a click does.
    void activate() { emit activated(); }

signals:
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    bool pressed_ = false;
};

}  // namespace telvanor
