#include "update/update_summary_window.h"

#include <QFontMetrics>
#include <QGridLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "widgets/dialog_parts.h"
#include "widgets/project_window.h"
#include "widgets/qt_text.h"

namespace telvanor {

namespace {

constexpr int kWidthInCharacters = 90;
constexpr int kFindingLines = 12;

QLabel* wrappedLabel(const char* name, const QString& text, QWidget* parent) {
    QLabel* label = namedLabel(name, text, parent);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

}  // namespace

UpdateSummaryWindow::UpdateSummaryWindow(const UpdateSummary& summary, QWidget* parent)
    : QDialog(parent, kModalWindowFlags) {
    setObjectName("UpdateSummary");
    setWindowTitle("Update Device");
    int characterWidth = QFontMetrics(font()).averageCharWidth();

    QLabel* headline = wrappedLabel("Headline", toQt(summaryHeadline(summary)), this);
    headline->setAccessibleName("Whether the update may go on");
    QFont bold = headline->font();
    bold.setBold(true);
    headline->setFont(bold);

    auto* facts = new QGridLayout;
    facts->setHorizontalSpacing(12);
    int row = 0;
    for (const SummaryFact& fact : summaryFacts(summary)) {
        QLabel* value = wrappedLabel("Fact", toQt(fact.text), this);
        value->setAccessibleName(toQt(fact.label));
        facts->addWidget(new QLabel(toQt(fact.label) + ":", this), row, 0, Qt::AlignTop);
        facts->addWidget(value, row++, 1);
    }
    facts->setColumnStretch(1, 1);

    auto* findings = named(new QPlainTextEdit(this), "Findings");
    findings->setReadOnly(true);
    findings->setTabChangesFocus(true);
    findings->setAccessibleName("Errors and warnings of check");
    QString lines;
    for (const std::string& line : summaryFindingLines(summary)) lines += toQt(line) + "\n";
    findings->setPlainText(lines.isEmpty() ? "Check found nothing to say." : lines.trimmed());
    findings->setFixedHeight(QFontMetrics(findings->font()).lineSpacing() * kFindingLines + 12);
    QLabel* findingsLabel = buddyLabel("&Errors and warnings of check:", findings, this);

    QPushButton* goOn = named(new QPushButton("&Go on", this), "GoOn");
    QPushButton* back = named(new QPushButton("&Back", this), "Back");
    goOn->setAccessibleName("Go on to the update");
    back->setAccessibleName("Back, to mend the project");
    goOn->setEnabled(summary.mayGoOn());
    QPushButton* answer = summary.mayGoOn() ? goOn : back;
    answer->setDefault(true);
    answer->setFocus();
    connect(goOn, &QPushButton::clicked, this, &QDialog::accept);
    connect(back, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(goOn);
    buttons->addWidget(back);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(headline);
    outer->addLayout(facts);
    outer->addWidget(findingsLabel);
    outer->addWidget(findings);
    outer->addLayout(buttons);
    setFixedWidth(characterWidth * kWidthInCharacters);
    chainTabOrder({findings, goOn, back});
}

void UpdateSummaryWindow::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen(*this);
}

}  // namespace telvanor
