#pragma once

#include <array>
#include <vector>

#include "dormant/emcy_translation/emcy_translation.h"
#include "dormant/emcy_translation/emcy_translation_file.h"
#include "project/workspace.h"
#include "widgets/list_editor_window.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace telvanor {

class MessageBoxes;
class OpenExcelDialog;

// "Set Translate EMCY": the EMCY translation table of the current project (emcydef.xml), one
// line per entry in the list, its eleven texts in the edits beside it. Every showing reads the
// file afresh, and the EMCY IDs that the words of emcyword.xml use, which Delete refuses to
// remove. OK writes the file ordered by ID and closes; Cancel and Escape close without writing,
// asking first when the table was changed.
// Export writes emcydef.csv; Import replaces the table by the "emcydef" worksheet of a workbook.
// Created at start-up like every window; nothing in the program opens it yet.
class TFemcyMB : public ListEditorWindow {
    Q_OBJECT
public:
    TFemcyMB(WorkspaceState& workspace, MessageBoxes& messages, OpenExcelDialog& openExcel, QWidget* parent = nullptr);

    const std::vector<TClEmcy>& entries() const { return entries_; }

protected:
    void FormShow() override;
    bool hasChanges() const override { return entries_ != shownEntries_; }
    void NewAClick() override;
    void ModifyAClick() override;
    void DeleteAClick() override;
    void BitBtn1Click() override;
    void Button1Click() override;
    void BitBtn4Click() override;

private:
    void LBCanAClick();

    void buildControls();
    void clearTable();
    void appendEntry(TClEmcy entry);
    void selectLine(int line);
    int selectedLine() const;
    TClEmcy typedEntry() const;

    OpenExcelDialog& OpenExcel;
    std::vector<TClEmcy> entries_;
    std::vector<TClEmcy> shownEntries_;  // as shown, to tell whether the user changed them
    UsedEmcyIds used_;

    QListWidget* LBCanA;
    // The edits in the order of kEmcyFields (Eid_devA, Emask_eq_ecA, ...), whatever their
    // order on the screen.
    std::array<QLineEdit*, 11> edits_{};
};

}  // namespace telvanor
