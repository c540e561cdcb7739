#include "widgets/accessible_interfaces.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QTextDocumentFragment>

#include "widgets/web_address_label.h"

namespace telvanor {

namespace {

// A combo box named by its accessible name or its label; its entry is its value. Children and
// actions as Qt's own: the list of entries, and the typed text's edit when it takes typing.
class LabelledComboBox : public QAccessibleWidget {
public:
    explicit LabelledComboBox(QComboBox* box) : QAccessibleWidget(box, QAccessible::ComboBox) {}

    QString text(QAccessible::Text kind) const override {
        if (kind != QAccessible::Value) return QAccessibleWidget::text(kind);
        return box()->isEditable() ? box()->lineEdit()->text() : box()->currentText();
    }

    int childCount() const override { return box()->isEditable() ? 2 : 1; }
    QAccessibleInterface* child(int index) const override {
        if (index == 0) return QAccessible::queryAccessibleInterface(box()->view());
        if (index == 1 && box()->isEditable()) return QAccessible::queryAccessibleInterface(box()->lineEdit());
        return nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        if (!child) return -1;
        if (child->object() == box()->view()) return 0;
        if (box()->isEditable() && child->object() == box()->lineEdit()) return 1;
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        if (!box()->isEditable()) return nullptr;
        const QLineEdit* edit = box()->lineEdit();
        return QRect(edit->mapToGlobal(QPoint(0, 0)), edit->size()).contains(x, y) ? child(1) : nullptr;
    }
    // The typed text's edit takes the keys of a combo box that takes typing.
    QAccessibleInterface* focusChild() const override { return box()->isEditable() ? child(1) : nullptr; }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }
    void doAction(const QString& action) override {
        if (action != showMenuAction() && action != pressAction()) return;
        if (box()->view()->isVisible())
            box()->hidePopup();
        else
            box()->showPopup();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QComboBox* box() const { return static_cast<QComboBox*>(object()); }
};

// The text without its mnemonic marks ("&Port" is read "Port").
QString withoutMnemonic(QString text) {
    for (qsizetype at = text.indexOf('&'); at >= 0 && at < text.size(); at = text.indexOf('&', at + 1))
        text.remove(at, 1);
    return text;
}

// A label as Qt gives it (named by its text or its accessible name, a picture a graphic, the
// label of its buddy), whose text can also be read whole: a label with a name of its own
// ("Status", "PGN catalogue") would otherwise hide what it shows behind that name.
class ReadableLabel : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ReadableLabel(QLabel* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::Role role() const override {
        if (label()->windowType() == Qt::ToolTip) return QAccessible::ToolTip;
        if (!label()->pixmap().isNull() || !label()->picture().isNull()) return QAccessible::Graphic;
        if (label()->movie()) return QAccessible::Animation;
        return QAccessible::StaticText;
    }

    QString text(QAccessible::Text kind) const override {
        QString text;
        if (kind == QAccessible::Name) text = label()->accessibleName().isEmpty() ? shownText() : QString();
        if (kind == QAccessible::Description && label()->accessibleDescription().isEmpty() &&
            !label()->accessibleName().isEmpty())
            text = shownText();
        return text.isEmpty() ? QAccessibleWidget::text(kind) : text;
    }

    QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(QAccessible::Relation match) const override {
        auto related = QAccessibleWidget::relations(match);
        if (match & QAccessible::Labelled)
            if (QAccessibleInterface* buddy = QAccessible::queryAccessibleInterface(label()->buddy()))
                related.append({buddy, QAccessible::Labelled});
        return related;
    }

    QString text(int start, int end) const override { return shownText().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(shownText().size()); }
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }
    // Read only, without a caret or a selection of its own to report.
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}

private:
    QLabel* label() const { return static_cast<QLabel*>(object()); }

    QString shownText() const {
        QString text = label()->text();
        const Qt::TextFormat format = label()->textFormat();
        if (format == Qt::RichText || (format == Qt::AutoText && Qt::mightBeRichText(text)))
            text = QTextDocumentFragment::fromHtml(text).toPlainText();
        return label()->buddy() ? withoutMnemonic(text) : text;
    }
};

// A web address: a link, pressed as a click on it.
class WebAddressLink : public QAccessibleWidget {
public:
    explicit WebAddressLink(WebAddressLabel* label) : QAccessibleWidget(label, QAccessible::Link) {}

    QStringList actionNames() const override { return {pressAction(), setFocusAction()}; }
    void doAction(const QString& action) override {
        if (action == pressAction())
            static_cast<WebAddressLabel*>(object())->activate();
        else
            QAccessibleWidget::doAction(action);
    }
};

// A window that is no dialog: a frame, where Qt's plain widget interface says "filler".
bool isPlainTopLevelWindow(const QWidget& widget) {
    return widget.isWindow() && widget.windowType() == Qt::Window && !qobject_cast<const QDialog*>(&widget) &&
           !qobject_cast<const QMainWindow*>(&widget);
}

QAccessibleInterface* telvanorInterface(const QString&, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (!widget) return nullptr;
    if (auto* box = qobject_cast<QComboBox*>(widget)) return new LabelledComboBox(box);
    if (auto* link = qobject_cast<WebAddressLabel*>(widget)) return new WebAddressLink(link);
    // Chosen by the class alone: a label's interface is made as soon as its text is set, which
    // may come before its accessible name.
    if (auto* label = qobject_cast<QLabel*>(widget)) return new ReadableLabel(label);
    if (isPlainTopLevelWindow(*widget)) return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

}  // namespace

void installAccessibleInterfaces() {
    // Asked before Qt's own interfaces, for every class of an object from its own upwards.
    static const bool installed = [] {
        QAccessible::installFactory(telvanorInterface);
        return true;
    }();
    (void)installed;
}

}  // namespace telvanor
