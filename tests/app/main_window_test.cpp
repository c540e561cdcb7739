#include "app/main_window.h"

#include <QApplication>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/recording_url_handler.h"
#include "project/settings_file.h"
#include "support/temp_dir.h"
#include "update/update_summary.h"
#include "widgets/recording_message_boxes.h"
#include "widgets/return_presses_button.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using testing::readFile;
using testing::RecordingMessageBoxes;
using testing::TempDir;
using testing::writeFile;
namespace fs = std::filesystem;

class MainWindow : public ::testing::Test {
protected:
    std::unique_ptr<TFTelvanoreFirmWare> start() {
        auto window = std::make_unique<TFTelvanoreFirmWare>(workspace.path(), messages);
        window->setFolderChooser([this](const QString& caption, const fs::path& root, fs::path& folder) {
            chooserCaption = caption;
            chooserRoot = root;
            if (!chosen) return false;
            folder = *chosen;
            return true;
        });
        window->setUpdateConfirmation([this](const UpdateSummary& shown) {
            summary = shown;
            return goOn;
        });
        return window;
    }

    void click(TFTelvanoreFirmWare& window, const char* button) {
        auto* found = window.findChild<QPushButton*>(button);
        ASSERT_NE(found, nullptr) << button;
        found->click();
    }

    void storeProject(const std::string& name) {
        writeIniValue(workspace / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname", name);
    }

    std::string storedProject() {
        return readIniValue(workspace / "Telvanor_NMEA20002MRTUs.ini", "lastproj", "projectname").value_or("<none>");
    }

    fs::path projects() { return workspace / "PROJECTS"; }

    void copyExample(const std::string& name) {
        fs::create_directories(projects());
        fs::copy(testing::examplesDir() / "Boat1", projects() / name, fs::copy_options::recursive);
    }

    TempDir workspace;
    RecordingMessageBoxes messages;
    std::optional<fs::path> chosen;
    QString chooserCaption;
    fs::path chooserRoot;
    std::optional<UpdateSummary> summary;  // what Update Device showed before the update
    bool goOn = true;                      // the answer to it
};

TEST_F(MainWindow, FirstStartShowsTheStoredCaption) {
    auto window = start();
    EXPECT_EQ(window->windowTitle(), "Quenzar Telvanor TQ40905 MODBUS RTU Slave TO J1939");
    EXPECT_TRUE(fs::is_directory(workspace / "MASTER"));
    EXPECT_TRUE(fs::is_directory(projects()));
    EXPECT_EQ(window->workspace().ProjectDir, projects());
    EXPECT_GE(window->width(), 564);
    EXPECT_GE(window->height(), 259);
}

TEST_F(MainWindow, RestoredProjectNamesItselfInTheTitle) {
    fs::create_directories(projects() / "Boat1");
    storeProject("\\Boat1");
    auto window = start();
    EXPECT_EQ(window->windowTitle(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :\\Boat1");
    EXPECT_EQ(window->workspace().ProjectDir, projects() / "Boat1");
}

TEST_F(MainWindow, OpenProjectThenCloseRestoresItAtTheNextStart) {
    fs::create_directories(projects() / "Boat1");
    {
        auto window = start();
        chosen = projects() / "Boat1";
        click(*window, "open");
        EXPECT_EQ(chooserCaption, "Select directory of project");
        EXPECT_EQ(chooserRoot, projects());
        EXPECT_EQ(window->windowTitle().toStdString(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :/Boat1");
        click(*window, "LbButton1");
        EXPECT_FALSE(window->isVisible());
    }
    EXPECT_EQ(storedProject(), "/Boat1");
    auto again = start();
    EXPECT_EQ(again->windowTitle().toStdString(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :/Boat1");
}

// telvanor PROJECT_DIR, and a chooser answer from outside PROJECTS: only folders under
// PROJECTS become the project; anything else is told and the project stays.
TEST_F(MainWindow, OnlyAFolderUnderProjectsIsOpened) {
    fs::create_directories(projects() / "Boat1");
    fs::create_directories(workspace / "Elsewhere");
    auto window = start();
    window->openProjectFolder(projects() / "Boat1" / ".");
    EXPECT_EQ(window->windowTitle().toStdString(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :/Boat1");
    EXPECT_EQ(window->openExcel().initialFolder(), projects() / "Boat1");
    EXPECT_TRUE(messages.messages.empty());

    window->openProjectFolder(workspace / "Elsewhere");
    chosen = workspace / "Elsewhere";
    click(*window, "open");
    ASSERT_EQ(messages.messages.size(), 2u);
    for (const auto& message : messages.messages) {
        EXPECT_EQ(message.kind, "error");
        EXPECT_THAT(message.text, HasSubstr("does not lie under " + projects().string()));
    }
    EXPECT_EQ(window->workspace().ProjectDir, projects() / "Boat1");
    EXPECT_EQ(window->windowTitle().toStdString(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :/Boat1");
}

TEST_F(MainWindow, WorkbookDialogStartsInTheCurrentProjectFolder) {
    fs::create_directories(projects() / "Boat1");
    fs::create_directories(projects() / "Boat2");
    storeProject("Boat1");
    auto window = start();
    EXPECT_EQ(window->openExcel().initialFolder(), projects() / "Boat1");
    chosen = projects() / "Boat2";
    click(*window, "open");
    EXPECT_EQ(window->openExcel().initialFolder(), projects() / "Boat2");
}

TEST_F(MainWindow, CancelledChooserRederivesTheNameFromTheFolder) {
    fs::create_directories(projects() / "Boat1");
    storeProject("Boat1");
    auto window = start();
    click(*window, "open");
    EXPECT_EQ(window->workspace().ProjectName, "/Boat1");
    EXPECT_EQ(window->workspace().ProjectDir, projects() / "Boat1");
}

TEST_F(MainWindow, DeletedProjectFolderLeavesNoValidProject) {
    fs::create_directories(projects() / "Boat1");
    storeProject("Boat1");
    auto window = start();
    fs::remove_all(projects() / "Boat1");
    chosen.reset();
    // The real chooser empties a folder that no longer exists before browsing.
    window->setFolderChooser([](const QString&, const fs::path&, fs::path& folder) {
        if (!fs::is_directory(folder)) folder.clear();
        return false;
    });
    click(*window, "open");
    EXPECT_TRUE(window->workspace().ProjectDir.empty());
    EXPECT_EQ(window->windowTitle(), "Quenzar Telvanor TQ40915 MODBUS RTU Slave TO NMEA2000 :");
    click(*window, "btn_Prm_Gen");
    click(*window, "btn_RCOB");
    click(*window, "CreateBin");
    EXPECT_THAT(messages.texts(), ElementsAre("Project not valid", "Project not valid", "Project not valid"));
}

TEST_F(MainWindow, UpdateDeviceWritesTheImageAndSummarisesItBeforeTheUpdate) {
    copyExample("Boat1");
    storeProject("Boat1");
    auto window = start();
    click(*window, "CreateBin");
    fs::path image = projects() / "Boat1" / "bin" / "bank.bin";
    ASSERT_TRUE(fs::exists(image));
    EXPECT_EQ(readFile(image).size(), 164u);
    ASSERT_TRUE(summary);
    EXPECT_EQ(summary->imageFile, image);
    EXPECT_EQ(summary->imageSize, 164u);
    EXPECT_TRUE(summary->mayGoOn());
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "information");
    EXPECT_THAT(messages.messages[0].text, HasSubstr(image.string()));

    // Back: the image stays written, the update is not started.
    messages.messages.clear();
    goOn = false;
    click(*window, "CreateBin");
    EXPECT_TRUE(messages.messages.empty());
}

TEST_F(MainWindow, RefusedProjectStopsAtTheSummaryAndWritesNothing) {
    copyExample("Boat1");
    writeFile(projects() / "Boat1" / "bin" / "bank.bin", "previous");
    writeFile(projects() / "Boat1" / "RInfoCob.xml",
              "<RInfoCob><row Index=\"1\" NrPdo=\"9\" PosComp=\"1\"/></RInfoCob>");
    storeProject("Boat1");
    auto window = start();
    click(*window, "CreateBin");
    ASSERT_TRUE(summary);
    EXPECT_FALSE(summary->mayGoOn());
    ASSERT_EQ(summary->errors.size(), 1u);
    EXPECT_THAT(summary->errors[0].message, HasSubstr("Define NMEA (receive), Correlated frame 9 does not exist"));
    EXPECT_THAT(summary->errors[0].message, HasSubstr("(RInfoCob.xml row 1, NrPdo)"));
    EXPECT_TRUE(messages.messages.empty()) << "Go on is no way past an error";
    EXPECT_EQ(readFile(projects() / "Boat1" / "bin" / "bank.bin"), "previous");
}

TEST_F(MainWindow, MissingBinFolderIsMade) {
    auto window = start();  // PROJECTS itself is the project folder and has no bin folder
    click(*window, "CreateBin");
    ASSERT_TRUE(summary);
    EXPECT_TRUE(summary->binFolderCreated);
    EXPECT_EQ(readFile(projects() / "bin" / "bank.bin").size(), 60u);
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].kind, "information");
}

TEST_F(MainWindow, EveryButtonIsNamedAndTheHiddenOnesStayHidden) {
    auto window = start();
    window->show();
    for (const char* name : {"New", "open", "btn_Prm_Gen", "btn_RCOB", "btn_Info_RCOB", "btn_TCOB", "btn_Info_TCOB",
                             "CreateBin", "btn_Reg_Overview", "btn_Monitor", "about", "LbButton1"}) {
        auto* button = window->findChild<QPushButton*>(name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(button->isVisible()) << name;
        EXPECT_TRUE(button->isEnabled()) << name;
        EXPECT_FALSE(button->text().isEmpty() && button->accessibleName().isEmpty()) << name;
    }
    for (const char* name : {"btn_Sdo", "btn_transmit_PDO", "btn_Emcy_Wd", "btn_Emcy"})
        EXPECT_FALSE(window->findChild<QPushButton*>(name)->isVisible()) << name;
}

// Alt and a button's underlined letter press it, each button having a letter of its own;
// Return and keypad Enter press the button that has the focus.
TEST_F(MainWindow, EveryButtonHasItsOwnMnemonicAndReturnPressesTheFocusedOne) {
    installReturnPressesFocusedButton();
    goOn = false;
    auto window = start();
    window->show();
    QApplication::setActiveWindow(window.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QList<QKeySequence> mnemonics;
    for (QPushButton* button : window->findChildren<QPushButton*>()) {
        if (!button->isVisible()) continue;
        const QKeySequence mnemonic = QKeySequence::mnemonic(button->text());
        EXPECT_FALSE(mnemonic.isEmpty()) << button->objectName().toStdString();
        EXPECT_FALSE(mnemonics.contains(mnemonic)) << mnemonic.toString().toStdString() << " twice";
        mnemonics << mnemonic;
        if (button->objectName() == "LbButton1") continue;  // it ends the program
        QSignalSpy pressed(button, &QPushButton::clicked);
        QTest::keySequence(window.get(), mnemonic);
        // A mnemonic shows the button pressed for a moment before it clicks it.
        EXPECT_TRUE(pressed.count() == 1 || pressed.wait(1000)) << mnemonic.toString().toStdString();
    }
    EXPECT_EQ(mnemonics.size(), 12);

    for (auto [key, modifiers] : {std::pair{Qt::Key_Return, Qt::NoModifier}, {Qt::Key_Enter, Qt::KeypadModifier}}) {
        chooserCaption.clear();
        auto* open = window->findChild<QPushButton*>("open");
        open->setFocus();
        QTest::keyClick(open, key, modifiers);
        EXPECT_EQ(chooserCaption, "Select directory of project") << key;
    }
}

TEST_F(MainWindow, TheWebAddressIsOneTabStopThatReturnOpens) {
    testing::RecordingUrlHandler urls;
    auto window = start();
    testing::expectWebAddressByKeyboard(*window, "LbButton1", "Label6", "New");
    EXPECT_EQ(urls.opened, QStringList(2, "https://www.quenzar-telvanor.example/HOME/default.asp?frompg=TQ40915"));
}

}  // namespace
}  // namespace telvanor
