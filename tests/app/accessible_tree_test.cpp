#include <QAccessible>
#include <QApplication>
#include <QDialog>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/application_windows.h"
#include "app/folder_chooser.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"
#include "update/update_summary.h"
#include "update/update_summary_window.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/string_grid.h"

namespace telvanor {
namespace {

using testing::RecordingMessageBoxes;
using testing::TempDir;
namespace fs = std::filesystem;

// The roles a user acts on, which a screen reader must be able to name.
bool isControl(QAccessible::Role role) {
    switch (role) {
        case QAccessible::PushButton:
        case QAccessible::CheckBox:
        case QAccessible::RadioButton:
        case QAccessible::ComboBox:
        case QAccessible::EditableText:
        case QAccessible::SpinBox:
        case QAccessible::Table:
        case QAccessible::List:
        case QAccessible::Tree:
        case QAccessible::Link:
        case QAccessible::ProgressBar:
        case QAccessible::PageTabList:
        case QAccessible::ButtonMenu:
        case QAccessible::ButtonDropDown:
            return true;
        default:
            return false;
    }
}

// The way to a control in the tree, by object names, for the failure message.
QString pathOf(QAccessibleInterface* control) {
    QStringList names;
    for (QAccessibleInterface* at = control; at; at = at->parent()) {
        QObject* object = at->object();
        names.prepend(object && !object->objectName().isEmpty() ? object->objectName()
                                                                : QString::number(at->role(), 16));
        if (object && object->isWidgetType() && static_cast<QWidget*>(object)->isWindow()) break;
    }
    return names.join('/');
}

// Every shown control of the tree below `node` that has no name. The cells of grids and
// lists are their data, not controls, and are not walked.
void collectUnnamed(QAccessibleInterface* node, QStringList& unnamed) {
    if (!node || node->state().invisible) return;
    if (isControl(node->role()) && node->text(QAccessible::Name).trimmed().isEmpty()) unnamed << pathOf(node);
    if (node->tableInterface() || node->role() == QAccessible::List || node->role() == QAccessible::Tree) return;
    for (int i = 0; i < node->childCount(); ++i) collectUnnamed(node->child(i), unnamed);
}

QAccessibleInterface* accessible(QObject* object) { return QAccessible::queryAccessibleInterface(object); }

// A workspace whose last project is the sample project.
const fs::path& withSampleProject(const fs::path& workspace) {
    fs::create_directories(workspace / "PROJECTS");
    fs::copy(testing::examplesDir() / "Boat1", workspace / "PROJECTS" / "Boat1", fs::copy_options::recursive);
    writeIniValue(workspace / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname", "Boat1");
    return workspace;
}

// Every window of the program, each shown on the sample project in turn.
class AccessibleTree : public ::testing::Test {
protected:
    // The main window, then each window it owns.
    QList<QWidget*> everyWindow() {
        QList<QWidget*> found{&windows.main()};
        for (QDialog* dialog : windows.main().findChildren<QDialog*>())
            if (dialog->isWindow()) found << dialog;
        found << new UpdateSummaryWindow(PrepareUpdate(windows.main().workspace().ProjectDir), &windows.main());
        found << new FolderChooserDialog("Select directory of project", workspace / "PROJECTS", &windows.main());
        return found;
    }

    template <typename Check>
    void forEachShownWindow(Check check) {
        for (QWidget* window : everyWindow()) {
            window->show();
            QApplication::processEvents();
            check(*window);
            window->hide();
        }
    }

    TempDir workspace;
    RecordingMessageBoxes messages;
    ApplicationWindows windows{withSampleProject(workspace.path()), messages};
};

TEST_F(AccessibleTree, EveryControlOfEveryWindowHasAName) {
    forEachShownWindow([](QWidget& window) {
        QStringList unnamed;
        collectUnnamed(accessible(&window), unnamed);
        EXPECT_TRUE(unnamed.isEmpty()) << window.objectName().toStdString() << ": " << unnamed.join(", ").toStdString();
    });
}

TEST_F(AccessibleTree, TheMainWindowIsAFrameAndTheOthersDialogs) {
    forEachShownWindow([&](QWidget& window) {
        const QAccessible::Role expected = &window == &windows.main() ? QAccessible::Window : QAccessible::Dialog;
        EXPECT_EQ(accessible(&window)->role(), expected) << window.objectName().toStdString();
    });
}

// Controls are named by their labels, grids by what they hold, whatever they show; a combo
// box shows its entry as its value.
TEST_F(AccessibleTree, ControlsAreNamedByTheirLabels) {
    struct Expected {
        const char* window;
        const char* control;
        const char* name;
        const char* value;
    };
    const Expected expected[] = {
        {"Fpargen", "CB_BR_CAN", "Baud rate (NMEA2000)", "250"},
        {"Fpargen", "CB_BR_RTU", "Baud rate (Serial)", "9600"},
        {"Fpargen", "CB_PAR_RTU", "Parity", "NONE"},
        {"Fpargen", "E_ID_RTU", "Dev ID", "1"},
        {"FInfopdoMB", "EindexA", "Index MODBUS", nullptr},
        {"FInfoTpdoMB", "CB_Send_J1939", "Write NMEA2000 Frame", nullptr},
        {"FBootSer", "CB_Com", "COM port", nullptr},
        {"FModifyFileSx", "cbport", "Port", "COM1"},
        {"Monitor", "monitorParity", "Parity", nullptr},
        {"FpdoMB", "sgA", "Receive frames", nullptr},
        {"FTpdo2MB", "sgA", "Transmit frames", nullptr},
        {"FAbout", "Image2", "Maker's web page", nullptr},
        {"FAbout", "Label4", "www.quenzar-telvanor.example", nullptr},
    };
    for (const Expected& control : expected) {
        auto* window = windows.main().findChild<QWidget*>(control.window);
        ASSERT_NE(window, nullptr) << control.window;
        window->show();
        auto* widget = window->findChild<QWidget*>(control.control);
        ASSERT_NE(widget, nullptr) << control.control;
        EXPECT_EQ(accessible(widget)->text(QAccessible::Name), control.name) << control.control;
        if (control.value) {
            EXPECT_EQ(accessible(widget)->text(QAccessible::Value), control.value) << control.control;
        }
        window->hide();
    }
}

TEST_F(AccessibleTree, ThePgnLineGivesItsTextToRead) {
    for (const char* name : {"FpdoMB", "FTpdo2MB"}) {
        auto* window = windows.main().findChild<QDialog*>(name);
        window->show();
        window->findChild<StringGrid*>("sgA")->setCurrentCell(1, 1);
        QAccessibleInterface* line = accessible(window->findChild<QWidget*>("pgnCatalogueLine"));
        ASSERT_NE(line->textInterface(), nullptr) << name;
        const QString text = line->textInterface()->text(0, line->textInterface()->characterCount());
        EXPECT_THAT(text.toStdString(), ::testing::HasSubstr("Rapid Update")) << name;
        EXPECT_EQ(line->text(QAccessible::Name), "PGN catalogue") << name;
        EXPECT_EQ(line->text(QAccessible::Description), text) << name;
        window->hide();
    }
}

}  // namespace
}  // namespace telvanor
