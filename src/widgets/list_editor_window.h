#pragma once

#include <QList>
#include <QString>

#include "project/table_file.h"
#include "widgets/project_window.h"

class QHBoxLayout;
class QLayout;
class QPushButton;
class QTabWidget;

namespace telvanor {

// A window that lists a table on the left of its one page and edits the selected entry beside
// it, with "Delete", "New" and "Modify" among the edits and the bar of "Export", "Import", "OK"
// and "Cancel" under the page. The six buttons run the subclass's handlers through the error
// boundary; Cancel and Escape close the window without a handler, asking first when the table
// was changed.
class ListEditorWindow : public ProjectWindow {
    Q_OBJECT
protected:
    // The captions of the Delete, New and Modify buttons (`DeleteA`, `NewA`, `ModifyA`).
    struct EditCaptions {
        const char* deleteCaption;
        const char* newCaption;
        const char* modifyCaption;
    };

    ListEditorWindow(const char* objectName, const QString& title, const QString& pageCaption, EditCaptions captions,
                     WorkspaceState& workspace, MessageBoxes& messages, QWidget* parent);

    // The page (`TabSheet1` of `PageControl1`) that the subclass fills.
    QWidget* page() const { return page_; }
    // Delete, New and Modify side by side, for the subclass to put among its edits.
    QHBoxLayout* editButtonRow();
    // Puts `list` at the left of the page and `edits` beside it, and the bar under the page.
    // The tab order runs through `editStops` (the list and the edits), the edit buttons, Export,
    // Import, OK and Cancel.
    void layOut(QWidget* list, QLayout* edits, QList<QWidget*> editStops);

    // At show: what the load found, said in a plain box (kXmlFileNotFound, or
    // kXmlFileReadError and what the load left out) and kept for OK's question.
    void reportLoad(TableFileOutcome outcome, const LoadLoss& loss);

    virtual void NewAClick() = 0;
    virtual void ModifyAClick() = 0;
    virtual void DeleteAClick() = 0;
    virtual void BitBtn1Click() = 0;
    virtual void Button1Click() = 0;
    virtual void BitBtn4Click() = 0;

    QPushButton* DeleteA;
    QPushButton* NewA;
    QPushButton* ModifyA;
    QPushButton* button1;
    QPushButton* bitbtn4;
    QPushButton* bitbtn1;
    QPushButton* bitbtn2;

private:
    QTabWidget* PageControl1;
    QWidget* page_;
    QLayout* bar_;
};

}  // namespace telvanor
