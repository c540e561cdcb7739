#include "app/about_window.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/recording_url_handler.h"
#include "widgets/window_checks.h"

namespace telvanor {
namespace {

using testing::RecordingUrlHandler;

TEST(AboutWindow, NamesTheToolItsCodesAndVersion) {
    TFAbout about;
    EXPECT_EQ(about.windowTitle(), "About...");
    const std::pair<const char*, const char*> texts[] = {
        {"Label1", "Software Telvanor "}, {"Label2", "Gateway Modbus RTU Slave To NMEA2000"},
        {"Label6", "Software Code : "},   {"Label9", "TQ40915"},
        {"Label3", "Version :"},          {"Label10", "1.000"},
        {"Label8", "Document Code :"},    {"Label12", "NX40915"},
    };
    for (const auto& [name, text] : texts) {
        auto* label = about.findChild<QLabel*>(name);
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text().toStdString(), text) << name;
    }
    EXPECT_TRUE(about.findChild<QLabel*>("Label1")->font().bold());
    EXPECT_THAT(about.findChild<QLabel*>("Label4")->text().toStdString(),
                ::testing::HasSubstr("www.quenzar-telvanor.example"));
}

TEST(AboutWindow, LogoIsTheEmbeddedPicture) {
    TFAbout about;
    auto* logo = about.findChild<QToolButton*>("Image2");
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(logo->iconSize(), QSize(81, 81));
    QPixmap picture = logo->icon().pixmap(81, 81);
    ASSERT_FALSE(picture.isNull()) << "the logo resource is missing";
    EXPECT_EQ(picture.width(), 81);
    EXPECT_EQ(picture.height(), 81);
}

TEST(AboutWindow, LogoAndAddressOpenTheSameMakerPage) {
    RecordingUrlHandler urls;
    TFAbout about;
    about.findChild<QToolButton*>("Image2")->click();
    QTest::mouseClick(about.findChild<QLabel*>("Label4"), Qt::LeftButton);
    EXPECT_EQ(urls.opened, QStringList({"https://www.quenzar-telvanor.example/HOME/default.asp?frompg=TQ40905",
                                        "https://www.quenzar-telvanor.example/HOME/default.asp?frompg=TQ40905"}));
}

TEST(AboutWindow, OkClosesItAndTheKeyboardReachesEverything) {
    TFAbout about;
    testing::expectUsableByKeyboard(about, "LbButton1");
    about.findChild<QPushButton*>("LbButton1")->click();
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.result(), QDialog::Accepted);
    testing::expectEscapeCloses(about);
}

TEST(AboutWindow, TheWebAddressIsOneTabStopThatReturnOpens) {
    RecordingUrlHandler urls;
    TFAbout about;
    testing::expectWebAddressByKeyboard(about, "Image2", "Label4", "LbButton1");
    EXPECT_EQ(urls.opened.size(), 2);
}

}  // namespace
}  // namespace telvanor
