#include "widgets/screen_fit.h"

#include <algorithm>

#include <QScreen>
#include <QWidget>

namespace telvanor {

QMargins windowFrame(const QWidget& window) {
    const QRect frame = window.frameGeometry();
    const QRect client = window.geometry();
    return QMargins(std::max(client.left() - frame.left(), kAssumedWindowFrame.left()),
                    std::max(client.top() - frame.top(), kAssumedWindowFrame.top()),
                    std::max(frame.right() - client.right(), kAssumedWindowFrame.right()),
                    std::max(frame.bottom() - client.bottom(), kAssumedWindowFrame.bottom()));
}

QRect outerGeometry(const QWidget& window) { return QRect(window.pos(), window.size().grownBy(windowFrame(window))); }

QSize roomOnScreen(const QWidget& window) {
    const QScreen* display = window.screen();
    if (!display) return {};
    return display->availableGeometry().size().shrunkBy(windowFrame(window));
}

void centreOnScreen(QWidget& window) {
    const QScreen* display = window.screen();
    if (!display) return;
    const QRect available = display->availableGeometry();
    const QSize size = window.size().boundedTo(roomOnScreen(window)).expandedTo(window.minimumSize());
    if (size != window.size()) window.resize(size);
    // A top-level window is moved by its frame's corner.
    QRect outer(QPoint(), size.grownBy(windowFrame(window)));
    outer.moveCenter(available.center());
    window.move(std::max(outer.left(), available.left()), std::max(outer.top(), available.top()));
}

}  // namespace telvanor
