#pragma once

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <functional>
#include <memory>

#include "update/update_summary_window.h"

namespace telvanor::testing {

// Waits for Update Device's summary, keeps its headline and presses "Go on"; then hands the
// next modal window (the serial update window) to `next`, which must close it.
inline void goOnFromSummaryThen(std::function<void(QDialog&)> next, QString* headline = nullptr) {
    auto step = std::make_shared<std::function<void()>>();
    auto summaryDone = std::make_shared<bool>(false);
    *step = [step, summaryDone, next, headline] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* summary = qobject_cast<UpdateSummaryWindow*>(modal); summary && !*summaryDone) {
            *summaryDone = true;
            if (headline) *headline = summary->findChild<QLabel*>("Headline")->text();
            summary->findChild<QPushButton*>("GoOn")->click();
        } else if (auto* window = qobject_cast<QDialog*>(modal); window && *summaryDone && window->isVisible()) {
            next(*window);
            return;
        }
        QTimer::singleShot(10, *step);
    };
    QTimer::singleShot(0, *step);
}

}  // namespace telvanor::testing
