#include "update/run_and_wait.h"

#include <vector>

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include "update/updater_process.h"
#include "widgets/message_boxes.h"

namespace telvanor {

namespace {

// For as long as it lives: every window of the program is disabled (which also stops the
// actions of assistive technologies), input and close requests that reach a window anyway
// are dropped, not kept for later, and the cursor shows that the tool is busy. Painting,
// timers and everything else go on. Windows the user had disabled stay so afterwards.
class ProgramDisabled : public QObject {
public:
    ProgramDisabled() {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            if (window->testAttribute(Qt::WA_ForceDisabled)) continue;
            window->setEnabled(false);
            disabled_.emplace_back(window);
        }
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    ~ProgramDisabled() override {
        QApplication::restoreOverrideCursor();
        qApp->removeEventFilter(this);
        for (const QPointer<QWidget>& window : disabled_)
            if (window) window->setEnabled(true);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::NonClientAreaMouseButtonPress:
            case QEvent::NonClientAreaMouseButtonRelease:
            case QEvent::NonClientAreaMouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::ContextMenu:
            case QEvent::TouchBegin:
            case QEvent::TouchUpdate:
            case QEvent::TouchEnd:
            case QEvent::TabletPress:
            case QEvent::TabletRelease:
            case QEvent::Drop:
                return true;
            case QEvent::Close:
                event->ignore();
                return true;
            default:
                return false;
        }
    }

private:
    std::vector<QPointer<QWidget>> disabled_;
};

// One poll interval in which the event loop runs, so the windows repaint.
void pauseOnePoll() {
    QEventLoop loop;
    QTimer::singleShot(kPollInterval, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

QPoint timeOutBoxPosition(int screenWidth) { return QPoint(screenWidth / 2 - 180, 100); }

void showTimeOutBox(MessageBoxes& messages, const std::string& text) {
    QScreen* screen = QGuiApplication::primaryScreen();
    QPoint at = timeOutBoxPosition(screen ? screen->geometry().width() : 0);
    messages.errorAt(text, at.x(), at.y());
}

RunOutcome RunAndWait(const UpdaterProcess& process, const RunProgress& progress, std::chrono::milliseconds timeout) {
    ProgramDisabled disabled;
    WaitEnd end = WaitForProcessEnd({[&] { return process.isRunning(); }, [&] { return process.elapsed(); },
                                     [&] {
                                         if (progress) progress(process.elapsed());
                                         pauseOnePoll();
                                     }},
                                    timeout);
    return end == WaitEnd::Ended ? RunOutcome::Ended : RunOutcome::TimedOut;
}

}  // namespace telvanor
