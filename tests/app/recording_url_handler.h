#pragma once

#include <QDesktopServices>
#include <QObject>
#include <QStringList>
#include <QUrl>

namespace telvanor::testing {

// Takes the web addresses the program asks the desktop to open, so no browser starts.
class RecordingUrlHandler : public QObject {
    Q_OBJECT
public:
    RecordingUrlHandler() {
        for (const char* scheme : {"http", "https"}) QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~RecordingUrlHandler() override {
        for (const char* scheme : {"http", "https"}) QDesktopServices::unsetUrlHandler(scheme);
    }

    QStringList opened;

public slots:
    void open(const QUrl& url) { opened.push_back(url.toString()); }
};

}  // namespace telvanor::testing
