#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "editors/register_map/register_map.h"
#include "editors/register_map/register_map_exchange.h"
#include "project/workspace.h"
#include "widgets/exchange_button_bar.h"
#include "widgets/project_window.h"

class QButtonGroup;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLayout;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTabWidget;
class QVBoxLayout;

namespace telvanor {

class MessageBoxes;
class OpenExcelDialog;
class TabStopHeading;

// What the two register map windows share: the frame list, the mapping list, the Index edit,
// the two B1 to B8 groups and the buttons, with the handlers that move texts and choices
// between them and the RegisterMap. The receive and transmit windows add their own byte
// lists or "Write NMEA2000 Frame" choice. Every real showing rebuilds the map from the project
// files; OK rewrites the map file and closes, asking first when it would remove mappings the
// file held or the file changed on disk; Cancel and Escape close without writing, asking first
// when the map was changed. Enter in "Index MODBUS" presses New. The copy buffer lives as long
// as the window, which is the whole program run.
// "Export" writes the map as it stands, as CSV or as an .xlsx workbook, into the project
// folder; "Import" replaces it by the rows of a workbook or CSV file chosen in the main
// window's workbook dialog and says what it did. Neither touches the map file: OK writes it,
// Cancel still abandons an import (asking first, as for any change).
class RegisterMapWindow : public ProjectWindow {
    Q_OBJECT
public:
    // A text shown beside a frame's line (for instance the PGN's name), and beside a byte
    // choice of the selected frame (what that byte holds); empty for none.
    using FrameNote = std::function<std::string(const TClPdo& frame)>;
    using ByteNote = std::function<std::string(const TClPdo& frame, int position)>;
    void setFrameNote(FrameNote note) { frameNote_ = std::move(note); }
    void setByteNote(ByteNote note) { byteNote_ = std::move(note); }

    const RegisterMap& registerMap() const { return map_; }
    const MapCopyBuffer& copyBuffer() const { return copyBuffer_; }
    MapKind kind() const { return kind_; }

    // "Register Overview" opens the overview of the project over this window; the button is
    // shown once an opener is given.
    using OverviewOpener = std::function<void(RegisterMapWindow& from)>;
    void setOverviewOpener(OverviewOpener opener);
    // Off while the overview is open beneath this window, which cannot open it twice.
    void setOverviewEnabled(bool enabled);

    // Selects the frame entry and the mapping at `mapping`, as choosing their lines does: the
    // mapping's texts fill the edit fields.
    void selectMapping(MappingRef mapping);
    // Shows the window modally with `mapping` selected once the show has read the files.
    int execOn(MappingRef mapping);
    // The selected mapping line's mapping, if a frame and a mapping line are selected.
    std::optional<MappingRef> selectedMapping() const;

    // What sets the two windows apart on the screen.
    struct Layout {
        const char* title;
        const char* frameHeading;  // the frame list's heading, its words at the tab stops
        int tabStopDialogUnits;
        int headingColumns;  // how many texts a frame line holds
    };

protected:
    RegisterMapWindow(MapKind kind, const Layout& layout, WorkspaceState& workspace, MessageBoxes& messages,
                      OpenExcelDialog& openExcel, QWidget* parent);

    // Lays the window out; each selector stands in the place of its B1 to B8 row (the row
    // itself, or a stack of the row and a byte list), `extra` (if any) below them. The tab
    // order follows the layout.
    void layOut(QWidget* highSelector, QWidget* lowSelector, QWidget* extra);

    // The byte selectors: the B1 to B8 groups here; the receive window's lists while a
    // multi-frame message is selected.
    virtual BytePair chosenBytes() const { return radioBytes(); }
    // Sets the selectors up for the frame just selected.
    virtual void setUpByteSelectors(const TClPdo&) {}
    // Shows the byte positions of a selected mapping's PosComp, or of the copy buffer's.
    virtual void showMappingBytes(const TClPdo& frame, std::string_view posComp);
    virtual void showPastedBytes(std::string_view posComp);
    // The "Write NMEA2000 Frame" choice (transmit only).
    virtual int writeChoice() const { return kWriteFalse; }
    virtual void showWriteChoice(std::string_view) {}
    // Runs at every show before anything else.
    virtual void beforeShow() {}

    // Lays out a byte selector's row: the selector, and beside it `translate` above the bold
    // `halfName` ("High MODBUS Byte"), which it gives.
    static QLabel* layOutByteRow(QWidget* row, QLayout* selector, const QString& translate, const QString& halfName);

    BytePair radioBytes() const;
    void chooseRadioBytes(BytePair bytes);
    void showRadioBytes(std::string_view posComp);
    // The byte note of the frame's position, for the selector of that byte.
    QString byteNote(const TClPdo& frame, int position) const;
    // The selected frame entry, or nothing.
    const TClPdo* selectedFrame() const;
    WorkspaceState& workspace() { return workspace_; }
    bool hasChanges() const override { return map_ != shownMap_; }
    bool eventFilter(QObject* watched, QEvent* event) override;
    // What choosing the selected frame does: clears the mapping list, the Index edit and the
    // byte selectors, then lists that frame's mappings; with no frame selected the list
    // stays empty. The next free register is looked up again, for a map that changed whole.
    void showSelectedFrame() {
        LPdoCanAClick();
        showNextFreeRegister();
    }

    QGroupBox* PoscompMsbA;
    QGroupBox* PoscompLsbA;
    // Each group with its "Tanslate in" and "High MODBUS Byte" (or "Low MODBUS Byte") labels.
    QWidget* highRow_;
    QWidget* lowRow_;
    QPushButton* button1;  // "Export", with its menu of the two formats
    QPushButton* bitbtn4;  // "Import"

private:
    void FormShow() override;
    void LPdoCanAClick();
    void LIndMbCanAClick();
    void NewAClick();
    void ModifyAClick();
    void DeleteAClick();
    void CopyAClick();
    void PasteAClick();
    void BitBtn1Click();
    // Export and Import (register_map_window_exchange.cpp).
    void connectExchange();
    void exportAs(ExchangeFormat format);
    void BitBtn4Click();

    void buildControls(const Layout& layout);
    QWidget* byteRow(const char* name, const QString& halfName, QGroupBox*& group, QButtonGroup*& choices);
    int selectedFrameRow() const;
    int selectedMappingRow() const;
    MapEdit typedEdit() const;
    void showByteNotes(const TClPdo& frame);
    // The line of the mapping at `position` of `frame`: `described` (such as "Ind MB 0")
    // followed by its register and byte choices.
    QString mappingLine(const QString& described, const TClPdo& frame, std::size_t position) const;
    void showNextFreeRegister();
    // Runs `handler` when a line of `list` is chosen: selected by mouse or keyboard, or
    // clicked again while selected.
    void onLineChosen(QListWidget* list, void (RegisterMapWindow::*handler)());

    MapKind kind_;
    QString title_;
    OpenExcelDialog& OpenExcel;
    RegisterMap map_;
    RegisterMap shownMap_;  // the map as shown, to tell whether the user changed it
    MapCopyBuffer copyBuffer_;
    FrameNote frameNote_;
    ByteNote byteNote_;
    OverviewOpener openOverview_;
    std::optional<MappingRef> selectAfterShow_;

    QTabWidget* tabs_;
    QWidget* page_;
    ExchangeButtonBar bottomBar_;
    TabStopHeading* frameHeading_;
    QListWidget* LIndMbCanA;
    QListWidget* LPdoCanA;
    // What each byte of the selected frame holds, by the PGN catalogue.
    QListWidget* frameBytes_;
    QLineEdit* EindexA;
    QButtonGroup* msbChoices_;
    QButtonGroup* lsbChoices_;
    QPushButton* DELETEa;
    QPushButton* NewA;
    QPushButton* ModifyA;
    QPushButton* copyA;
    QPushButton* PasteA;
    QPushButton* bitbtn1;
    QPushButton* bitbtn2;
    QPushButton* overviewButton_;
};

}  // namespace telvanor
