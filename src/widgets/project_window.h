#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include "widgets/edit_guard.h"

class QShowEvent;

namespace telvanor {

class MessageBoxes;
struct WorkspaceState;

// The window flags of the program's modal windows: a title bar without close, help or
// system menu buttons (Escape still cancels).
inline constexpr Qt::WindowFlags kModalWindowFlags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// Puts a window in the middle of the available area of its screen; a window larger than that
// area is put at its top-left corner, so that its title bar stays within reach.
void centreOnScreen(QWidget& window);

// Chains the tab order through the controls in the order given.
void chainTabOrder(const QList<QWidget*>& controls);

// A modal window that works on the current project: it knows the workspace and the message
// boxes, and each real showing (not a restore from the task bar, which keeps what the user
// typed) runs FormShow through the error boundary and places the window on the screen.
// A window that edits a file says when it holds changes: Cancel, Escape and the close box
// then ask before they drop them; its edit guard keeps the rest of its saves safe.
class ProjectWindow : public QDialog {
    Q_OBJECT
public:
    // Cancel, Escape and the close box: asks "Discard your changes to FILE?" first when the
    // window holds changes.
    void reject() override;

protected:
    ProjectWindow(const char* objectName, const QString& title, WorkspaceState& workspace, MessageBoxes& messages,
                  QWidget* parent, Qt::WindowFlags flags = kModalWindowFlags);

    // Fills the controls from the project's files; a fault is shown and ends it there.
    virtual void FormShow() = 0;
    // Where the window stands once shown: in the middle of the screen unless overridden.
    virtual void placeOnScreen() { centreOnScreen(*this); }

    void showEvent(QShowEvent* event) override;

    // Whether the window holds changes to its file since it was shown.
    virtual bool hasChanges() const { return false; }

    WorkspaceState& workspace_;
    MessageBoxes& messages_;
    EditGuard editGuard_;
};

}  // namespace telvanor
