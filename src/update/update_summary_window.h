#pragma once

#include <QDialog>

#include "update/update_summary.h"

class QPushButton;
class QShowEvent;

namespace telvanor {

// What Update Device built and what check says of the project, shown before the serial
// update window. "Go on" (the default button) accepts, "Back" (also Escape) rejects; while
// the summary holds errors, only "Back" can be pressed.
class UpdateSummaryWindow : public QDialog {
    Q_OBJECT
public:
    explicit UpdateSummaryWindow(const UpdateSummary& summary, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

}  // namespace telvanor
