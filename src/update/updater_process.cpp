#include "update/updater_process.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include "widgets/qt_text.h"

namespace telvanor {

UpdaterProcess::UpdaterProcess(QObject* parent) : QObject(parent) {}

UpdaterProcess::~UpdaterProcess() {
    if (!process_) return;
    process_->disconnect(this);
    // Deleting a QProcess ends its program: one still running is left to finish on its own.
    if (!running_) delete process_;
}

std::optional<std::string> UpdaterProcess::start(const ProcessStart& start) {
    if (running_) return "another updater is still running";
    delete process_;
    process_ = new QProcess;
    process_->setProgram(toQtPath(start.program));
#ifdef Q_OS_WIN
    // The command-line text goes to the program exactly as composed, without Qt's quoting.
    process_->setNativeArguments(toQt(start.commandLine));
#else
    QStringList arguments;
    for (const std::string& argument : start.arguments) arguments << toQt(argument);
    process_->setArguments(arguments);
#endif
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : start.environmentDefaults)
        if (!environment.contains(toQt(name))) environment.insert(toQt(name), toQt(value));
    process_->setProcessEnvironment(environment);
    process_->setStandardInputFile(QProcess::nullDevice());
    process_->setProcessChannelMode(QProcess::MergedChannels);
    process_->setStandardOutputFile(toQtPath(start.outputFile), QIODevice::Append);
    connect(process_, &QProcess::finished, this, &UpdaterProcess::finished);

    process_->start();
    if (!process_->waitForStarted()) return fromQt(process_->errorString());
    clock_.start();
    running_ = true;
    end_ = UpdaterEnd{};
    return std::nullopt;
}

std::chrono::milliseconds UpdaterProcess::elapsed() const {
    return running_ ? std::chrono::milliseconds(clock_.elapsed()) : end_.duration;
}

void UpdaterProcess::finished() {
    end_.duration = std::chrono::milliseconds(clock_.elapsed());
    end_.crashed = process_->exitStatus() == QProcess::CrashExit;
    end_.exitCode = process_->exitCode();
    running_ = false;
    emit ended();
}

}  // namespace telvanor
