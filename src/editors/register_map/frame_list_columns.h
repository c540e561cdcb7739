#pragma once

#include <QLabel>
#include <QStyledItemDelegate>

class QFontMetrics;
class QListWidget;

namespace telvanor {

// Horizontal dialog units, the measure of the frame lists' tab stops: a quarter of the
// font's average character width.
int dialogUnitsToPixels(const QFontMetrics& metrics, int units);

// The item role of a frame line's note, drawn after its columns (see the window's frame notes).
inline constexpr int kFrameNoteRole = Qt::UserRole + 1;

// Draws list lines whose texts are separated by tab characters in columns one tab stop wide,
// so that the texts of every line stand under the list's heading; a text too long for its
// column is elided. A note in kFrameNoteRole follows at the next tab stop, in the
// placeholder colour.
class TabStopDelegate : public QStyledItemDelegate {
public:
    TabStopDelegate(int tabStopPixels, QObject* parent);

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override;

private:
    int tabStop_;
};

// A list heading such as "DP               PGN            SA": its words are drawn at the
// tab stops of the list below it, whatever the font, instead of being spaced by blanks. Its
// text (and accessible name) stays the heading as given.
class TabStopHeading : public QLabel {
public:
    TabStopHeading(const QString& heading, int tabStopPixels, QWidget* parent);

    // Lines the words up with the text of the list's lines.
    void alignWith(const QListWidget* list);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QStringList words() const;

    int tabStop_;
    int indent_ = 0;
};

}  // namespace telvanor
