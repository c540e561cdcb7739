#include "update/run_and_wait.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include "update/detached_process.h"
#include "widgets/message_boxes.h"

namespace telvanor {

namespace {

constexpr const char* kTimeOutError = "Time Out Error";

// For as long as it lives: every window drops the user's input and close requests, and the
// cursor shows that the tool is busy. Painting, timers and everything else go on.
class InputBlock : public QObject {
public:
    InputBlock() {
        qApp->installEventFilter(this);
        QApplication::setOverrideCursor(Qt::BusyCursor);
    }
    ~InputBlock() override {
        QApplication::restoreOverrideCursor();
        qApp->removeEventFilter(this);
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
};

// One poll interval in which the event loop runs, so the windows repaint.
void pauseOnePoll() {
    QEventLoop loop;
    QTimer::singleShot(kPollInterval, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

QPoint timeOutBoxPosition(int screenWidth) { return QPoint(screenWidth / 2 - 180, 100); }

RunOutcome RunAndWait(const std::filesystem::path& program, const std::string& parameters, bool hidden,
                      MessageBoxes& messages, const RunProgress& progress, std::chrono::milliseconds timeout) {
    std::unique_ptr<DetachedProcess> process = DetachedProcess::start(program, parameters, hidden);
    if (!process) return RunOutcome::NotStarted;

    QElapsedTimer clock;
    clock.start();
    auto elapsed = [&] { return std::chrono::milliseconds(clock.elapsed()); };
    WaitEnd end;
    {
        InputBlock block;
        end = WaitForProcessEnd({[&] { return process->stillRunning(); }, elapsed,
                                 [&] {
                                     if (progress) progress(elapsed());
                                     pauseOnePoll();
                                 }},
                                timeout);
    }
    if (end == WaitEnd::Ended) return RunOutcome::Ended;

    QScreen* screen = QGuiApplication::primaryScreen();
    QPoint at = timeOutBoxPosition(screen ? screen->geometry().width() : 0);
    messages.errorAt(kTimeOutError, at.x(), at.y());
    return RunOutcome::TimedOut;
}

}  // namespace telvanor
