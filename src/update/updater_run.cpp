#include "update/updater_run.h"

#include <cstdlib>

#include <QByteArray>
#include <QCryptographicHash>
#include <QDateTime>
#include <QFile>

#include "image/config_image.h"
#include "platform/path_text.h"
#include "project/atomic_file.h"
#include "update/port_registry.h"
#include "update/run_and_wait.h"
#include "update/update_log.h"
#include "update/updater_program.h"
#include "update/wine_ports.h"
#include "widgets/error_boundary.h"
#include "widgets/message_boxes.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace fs = std::filesystem;

namespace {

// A watched updater's status line counts in whole seconds.
constexpr std::chrono::seconds kWatchInterval{1};

std::string now() { return fromQt(QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm:ss")); }

QString runningText(std::chrono::milliseconds elapsed, std::chrono::milliseconds timeout) {
    using std::chrono::duration_cast;
    using std::chrono::seconds;
    return QString("%1 is running: %2 s of at most %3 s")
        .arg(toQt(kUpdaterProgram))
        .arg(duration_cast<seconds>(elapsed).count())
        .arg(duration_cast<seconds>(timeout).count());
}

std::string noComName(const std::string& device) {
    return "it is a Windows program run through wine, and wine gives the port " + device +
           " no COM name; give it one in wine's registry under HKLM\\Software\\Wine\\Ports, such as \"COM5\"=\"" +
           device + "\"";
}

}  // namespace

UpdaterRun::UpdaterRun(MessageBoxes& messages, QObject* parent) : QObject(parent), messages_(messages) {
    watch_.setInterval(kWatchInterval);
    connect(&watch_, &QTimer::timeout, this,
            [this] { emit statusChanged(toQt(stillRunningText(process_.elapsed()))); });
    // During the wait its end is found by the wait itself; after a time-out by this.
    connect(&process_, &UpdaterProcess::ended, this, [this] {
        if (!waiting_) runGuarded(messages_, [this] { finish(); });
    });
}

UpdaterRun::~UpdaterRun() {
    if (!process_.isRunning()) return;
    PortRegistry::program().release(request_.device, kPortUser);
    try {
        appendToFile(logFile_, updateLogEvent(now(), "The program ended while the updater was still running (" +
                                                         durationText(process_.elapsed()) +
                                                         "); it goes on on its own, its exit is not recorded"));
    } catch (const std::exception&) {
        // Nobody is left to tell.
    }
}

std::optional<std::chrono::milliseconds> UpdaterRun::runningFor() const {
    if (!process_.isRunning()) return std::nullopt;
    return process_.elapsed();
}

void UpdaterRun::execute(const UpdateRequest& request) {
    if (std::optional<std::chrono::milliseconds> running = runningFor()) {
        messages_.error("The updater is still running (" + durationText(*running) +
                        "): another update can start once it has ended.");
        return;
    }
    request_ = request;
    logFile_ = updateLogPath(request.projectDir);

    UpdaterLaunchPlan plan = planUpdaterLaunch(request.updater, qgetenv("PATH").toStdString());
    fs::path wine = plan.launch && plan.launch->throughWine ? plan.launch->program : fs::path();
    UpdaterArguments arguments =
        updaterArguments(request.device, request.options, request.masterDir, request.projectDir);
    if (!wine.empty()) {
        // A Windows program knows ports by their COM names only.
        fs::path prefix = winePrefix(std::getenv("WINEPREFIX"), std::getenv("HOME"));
        if (std::optional<std::string> comName = wineComName(platform::pathFromUtf8(request.device), prefix))
            arguments = wineUpdaterArguments(*comName, request.options, request.masterDir, request.projectDir);
        else
            plan = {std::nullopt, noComName(request.device)};
    }

    UpdateLogStart start{now(),          request.updater, wine,        arguments.list(), request.port,
                         request.device, request.options, imageFacts()};
    try {
        appendToFile(logFile_, updateLogStart(start));
    } catch (const FileError& fault) {
        throw FileError(std::string(fault.what()) + "; the updater was not started");
    }
    if (!plan.launch) return refuse(plan.reason);

    log(updateLogOutputHeading());
    ProcessStart how{plan.launch->program, {}, arguments.parameterString(), logFile_, {}};
    if (!wine.empty()) {
        how.arguments.push_back(platform::utf8FromPath(request.updater));
        how.environmentDefaults.emplace_back("WINEDEBUG", "-all");  // wine's own chatter stays out of the log
    }
    for (std::string& argument : arguments.list()) how.arguments.push_back(std::move(argument));
    if (std::optional<std::string> failure = process_.start(how)) return refuse(*failure);

    PortRegistry::program().hold(request.device, kPortUser);
    waiting_ = true;
    RunOutcome outcome = RunAndWait(
        process_, [this](std::chrono::milliseconds elapsed) { emit statusChanged(runningText(elapsed, timeout_)); },
        timeout_);
    waiting_ = false;
    if (outcome == RunOutcome::Ended)
        finish();
    else
        timedOut();
}

void UpdaterRun::refuse(const std::string& reason) {
    std::string message = cannotStartMessage(request_.updater, reason);
    log(updateLogEvent(now(), message));
    emit statusChanged(toQt("Updater not started: " + reason));
    messages_.error(message);
}

void UpdaterRun::timedOut() {
    std::string after = durationText(process_.elapsed());
    emit statusChanged(toQt(stillRunningText(process_.elapsed())));
    log(updateLogEvent(now(), "Time Out Error after " + after + ": the updater is still running"));
    watch_.start();
    showTimeOutBox(messages_, "Time Out Error\n\nThe updater is still running after " + after +
                                  ". The update window goes on watching it and says when it ends; no other update "
                                  "can start until then.");
}

void UpdaterRun::finish() {
    watch_.stop();
    PortRegistry::program().release(request_.device, kPortUser);
    const UpdaterEnd& end = process_.end();
    std::string text = updaterEndText(end);
    emit statusChanged(toQt(text));
    log(updateLogEvent(now(), text));
    if (!end.succeeded()) messages_.error(text + "\n\nWhat it wrote is in " + platform::utf8FromPath(logFile_));
}

void UpdaterRun::log(const std::string& text) {
    runGuarded(messages_, [&] { appendToFile(logFile_, text); });
}

std::string UpdaterRun::imageFacts() const {
    fs::path image = configImagePath(request_.projectDir);
    QFile file(toQtPath(image));
    if (!file.open(QIODevice::ReadOnly))
        return "cannot be read (" + platform::utf8FromPath(image) + "): " + fromQt(file.errorString());
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return imageFactsText(static_cast<std::uintmax_t>(file.size()), hash.result().toHex().toStdString());
}

}  // namespace telvanor
