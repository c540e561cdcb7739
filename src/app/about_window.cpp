#include "app/about_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/maker_web_page.h"
#include "widgets/dialog_parts.h"
#include "widgets/project_window.h"
#include "widgets/qt_text.h"
#include "widgets/web_address_label.h"

// The resources live in the static gui library, so their registration must be pulled in by
// name; Q_INIT_RESOURCE works only outside a namespace.
static void initTelvanorResources() { Q_INIT_RESOURCE(telvanor); }

namespace telvanor {

namespace {

constexpr const char* kAboutPageProduct = "TQ40905";
constexpr int kLogoSize = 81;

}  // namespace

TFAbout::TFAbout(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    initTelvanorResources();
    setObjectName("FAbout");
    setWindowTitle("About...");

    auto* Image2 = new QToolButton(this);
    Image2->setObjectName("Image2");
    Image2->setIcon(QIcon(":/icons/telvanor.png"));
    Image2->setIconSize(QSize(kLogoSize, kLogoSize));
    Image2->setAutoRaise(true);
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setAccessibleName("Maker's web page");
    Image2->setAccessibleDescription("The maker's logo; opens the maker's web page");
    Image2->setToolTip(toQt(makerPageAddress(kAboutPageProduct)));

    QLabel* Label1 = namedLabel("Label1", "Software Telvanor ", this);
    QFont titleFont = Label1->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.5);
    Label1->setFont(titleFont);
    QLabel* Label2 = namedLabel("Label2", "Gateway Modbus RTU Slave To NMEA2000", this);

    auto* pairs = new QGridLayout;
    pairs->setHorizontalSpacing(8);
    const char* pairNames[][2] = {{"Label6", "Label9"}, {"Label3", "Label10"}, {"Label8", "Label12"}};
    const char* pairTexts[][2] = {
        {"Software Code : ", "TQ40915"}, {"Version :", "1.000"}, {"Document Code :", "NX40915"}};
    for (int row = 0; row < 3; ++row) {
        QLabel* caption = namedLabel(pairNames[row][0], pairTexts[row][0], this);
        QLabel* value = namedLabel(pairNames[row][1], pairTexts[row][1], this);
        pairs->addWidget(caption, row, 0);
        pairs->addWidget(value, row, 1);
    }
    pairs->setColumnStretch(2, 1);

    const QString host = toQt(kMakerHost).section("//", 1);
    auto* Label4 = named(new WebAddressLabel(host, this), "Label4");
    Label4->setToolTip(toQt(makerPageAddress(kAboutPageProduct)));

    auto* LbButton1 = new QPushButton("OK", this);
    LbButton1->setObjectName("LbButton1");
    LbButton1->setDefault(true);

    auto* texts = new QVBoxLayout;
    texts->addWidget(Label1);
    texts->addWidget(Label2);
    texts->addSpacing(8);
    texts->addLayout(pairs);

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(Image2, 0, Qt::AlignTop);
    top->addLayout(texts, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(Label4, 0, Qt::AlignBottom);
    bottom->addSpacing(16);
    bottom->addWidget(LbButton1);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(16, 16, 16, 12);
    outer->addLayout(top);
    outer->addSpacing(12);
    outer->addLayout(bottom);
    outer->setSizeConstraint(QLayout::SetFixedSize);

    connect(Image2, &QToolButton::clicked, this, [this] { Image2Click(); });
    connect(Label4, &WebAddressLabel::activated, this, [this] { Label4Click(); });
    connect(LbButton1, &QPushButton::clicked, this, &QDialog::accept);

    setTabOrder(Image2, Label4);
    setTabOrder(Label4, LbButton1);
}

void TFAbout::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

void TFAbout::Image2Click() { openMakerPage(kAboutPageProduct); }

void TFAbout::Label4Click() { openMakerPage(kAboutPageProduct); }

}  // namespace telvanor
