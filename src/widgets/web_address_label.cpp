#include "widgets/web_address_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleOptionFocusRect>
#include <QStylePainter>

namespace telvanor {

namespace {

// Room around the text for the focus frame, so that it never touches the letters.
constexpr int kFocusMargin = 2;

}  // namespace

WebAddressLabel::WebAddressLabel(const QString& address, QWidget* parent) : QLabel(parent) {
    // Plain text: a rich-text link would make the label one Tab stop and the link a second.
    setTextFormat(Qt::PlainText);
    setText(address);
    setAccessibleName(address);
    setForegroundRole(QPalette::Link);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setMargin(kFocusMargin);
}

void WebAddressLabel::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            if (!event->isAutoRepeat()) activate();
            event->accept();
            return;
        default:
            QLabel::keyPressEvent(event);
    }
}

void WebAddressLabel::mousePressEvent(QMouseEvent* event) {
    pressed_ = event->button() == Qt::LeftButton;
    QLabel::mousePressEvent(event);
}

void WebAddressLabel::mouseReleaseEvent(QMouseEvent* event) {
    // A press dragged off the address and let go elsewhere opens nothing, as with buttons.
    const bool click = pressed_ && event->button() == Qt::LeftButton && rect().contains(event->position().toPoint());
    pressed_ = false;
    QLabel::mouseReleaseEvent(event);
    if (click) activate();
}

void WebAddressLabel::paintEvent(QPaintEvent* event) {
    QLabel::paintEvent(event);
    if (!hasFocus()) return;
    QStylePainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    frame.backgroundColor = palette().color(backgroundRole());
    painter.drawPrimitive(QStyle::PE_FrameFocusRect, frame);
}

}  // namespace telvanor
