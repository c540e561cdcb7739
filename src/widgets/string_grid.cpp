#include "widgets/string_grid.h"

#include <algorithm>

#include <QAbstractButton>
#include <QAbstractTableModel>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSet>
#include <QStyledItemDelegate>
#include <QTimer>

namespace telvanor {

// The texts of the grid, one per editable cell; model rows and columns count from 0, so
// model column c is grid column c + 1 and model row r is grid row r + 1.
class StringGridModel : public QAbstractTableModel {
public:
    using Column = StringGrid::Column;
    using ColumnKind = StringGrid::ColumnKind;

    explicit StringGridModel(QObject* parent) : QAbstractTableModel(parent) {}

    void setLayout(std::vector<Column> columns, int rows, int firstLabel) {
        beginResetModel();
        columns_ = std::move(columns);
        rows_ = std::max(rows, 0);
        firstLabel_ = firstLabel;
        tints_.resize(columns_.size());
        cells_.assign(static_cast<std::size_t>(rows_) * columns_.size(), QString());
        endResetModel();
    }

    void clear() {
        beginResetModel();
        std::fill(cells_.begin(), cells_.end(), QString());
        endResetModel();
    }

    int rows() const { return rows_; }
    int columns() const { return static_cast<int>(columns_.size()); }
    int firstLabel() const { return firstLabel_; }
    ColumnKind kind(int column) const { return columns_[static_cast<std::size_t>(column)].kind; }
    const Column& column(int column) const { return columns_[static_cast<std::size_t>(column)]; }

    const QString& text(int row, int column) const { return cells_[offset(row, column)]; }

    void setText(int row, int column, const QString& text) {
        QString& cell = cells_[offset(row, column)];
        if (cell == text) return;
        cell = text;
        QModelIndex changed = index(row, column);
        emit dataChanged(changed, changed);
    }

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : rows_; }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : columns(); }

    QVariant data(const QModelIndex& index, int role) const override {
        if (!index.isValid()) return {};
        const QString& cell = text(index.row(), index.column());
        bool checkBox = kind(index.column()) == ColumnKind::CheckBox;
        switch (role) {
            case Qt::DisplayRole:
                return checkBox ? QVariant() : QVariant(cell);
            case Qt::EditRole:
                return cell;
            case Qt::CheckStateRole:
                if (!checkBox) return {};
                return cell == StringGrid::kTicked ? Qt::Checked : Qt::Unchecked;
            case Qt::AccessibleTextRole:
                if (!checkBox) return {};
                return cell == StringGrid::kTicked ? QStringLiteral("ticked") : QStringLiteral("not ticked");
            case Qt::BackgroundRole:
                return tint(index.column()).isValid() ? QVariant(tint(index.column())) : QVariant();
            case Qt::ForegroundRole:
                // Tinted cells stay readable under a dark palette.
                return tint(index.column()).isValid() ? QVariant(QColor(Qt::black)) : QVariant();
            default:
                return {};
        }
    }

    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!index.isValid()) return false;
        if (role == Qt::EditRole) {
            setText(index.row(), index.column(), value.toString());
            return true;
        }
        if (role == Qt::CheckStateRole && kind(index.column()) == ColumnKind::CheckBox) {
            bool ticked = value.value<Qt::CheckState>() == Qt::Checked;
            setText(index.row(), index.column(), ticked ? StringGrid::kTicked : StringGrid::kUnticked);
            return true;
        }
        return false;
    }

    Qt::ItemFlags flags(const QModelIndex& index) const override {
        if (!index.isValid()) return Qt::NoItemFlags;
        Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
        if (kind(index.column()) == ColumnKind::CheckBox) return flags | Qt::ItemIsUserCheckable;
        return flags | Qt::ItemIsEditable;
    }

    void setTint(int column, const QColor& colour) {
        if (column < 0 || column >= columns()) return;
        tints_[static_cast<std::size_t>(column)] = colour;
        if (rows_ > 0) emit dataChanged(index(0, column), index(rows_ - 1, column));
    }

    void setHeaderTextColour(const QColor& colour) {
        headerTextColour_ = colour;
        emit headerDataChanged(Qt::Horizontal, 0, std::max(columns() - 1, 0));
    }

    const QColor& headerTextColour() const { return headerTextColour_; }

    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (role == Qt::ForegroundRole && orientation == Qt::Horizontal && headerTextColour_.isValid())
            return headerTextColour_;
        if (role != Qt::DisplayRole) return {};
        if (orientation == Qt::Horizontal) return section < columns() ? column(section).header : QString();
        return QString::number(firstLabel_ + section);
    }

private:
    std::size_t offset(int row, int column) const {
        return static_cast<std::size_t>(row) * columns_.size() + static_cast<std::size_t>(column);
    }

    const QColor& tint(int column) const { return tints_[static_cast<std::size_t>(column)]; }

    std::vector<Column> columns_;
    int rows_ = 0;
    int firstLabel_ = 1;
    std::vector<QString> cells_;
    std::vector<QColor> tints_;  // one per column
    QColor headerTextColour_;
};

// Draws the centred check boxes, gives the pick-list columns their list, and ends edits the
// way a spreadsheet does.
class StringGridDelegate : public QStyledItemDelegate {
public:
    StringGridDelegate(StringGrid* grid, StringGridModel* model)
        : QStyledItemDelegate(grid), grid_(grid), model_(model) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        switch (model_->kind(index.column())) {
            case StringGrid::ColumnKind::CheckBox:
                return nullptr;
            case StringGrid::ColumnKind::PickList: {
                auto* list = new QComboBox(parent);
                list->addItems(model_->column(index.column()).choices);
                list->setAccessibleName(model_->column(index.column()).header);
                // A choice made in the open list is taken at once.
                connect(list, &QComboBox::activated, this, [this, list] {
                    auto* self = const_cast<StringGridDelegate*>(this);
                    emit self->commitData(list);
                    emit self->closeEditor(list, NoHint);
                });
                QTimer::singleShot(0, list, &QComboBox::showPopup);
                return list;
            }
            case StringGrid::ColumnKind::Text:
                break;
        }
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        editor->setAccessibleName(model_->column(index.column()).header);
        return editor;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override {
        if (auto* list = qobject_cast<QComboBox*>(editor)) {
            list->setCurrentIndex(list->findText(model_->text(index.row(), index.column())));
            return;
        }
        QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override {
        if (auto* list = qobject_cast<QComboBox*>(editor)) {
            // Closing the list without a choice keeps the cell as it was.
            if (list->currentIndex() >= 0) model->setData(index, list->currentText(), Qt::EditRole);
            return;
        }
        QStyledItemDelegate::setModelData(editor, model, index);
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
        if (model_->kind(index.column()) != StringGrid::ColumnKind::CheckBox) {
            QStyledItemDelegate::paint(painter, option, index);
            return;
        }
        QStyleOptionViewItem cell = option;
        initStyleOption(&cell, index);
        QStyle* style = cell.widget ? cell.widget->style() : QApplication::style();
        // The cell's background, selection and focus, without the check box at its left.
        QStyleOptionViewItem panel = cell;
        panel.features &= ~QStyleOptionViewItem::HasCheckIndicator;
        panel.text.clear();
        style->drawControl(QStyle::CE_ItemViewItem, &panel, painter, cell.widget);

        QStyleOptionViewItem box = cell;
        box.rect = checkBoxRect(cell);
        box.state &= ~(QStyle::State_On | QStyle::State_Off | QStyle::State_NoChange | QStyle::State_HasFocus);
        box.state |= cell.checkState == Qt::Checked ? QStyle::State_On : QStyle::State_Off;
        style->drawPrimitive(QStyle::PE_IndicatorItemViewItemCheck, &box, painter, cell.widget);
    }

    bool editorEvent(QEvent* event, QAbstractItemModel* model, const QStyleOptionViewItem& option,
                     const QModelIndex& index) override {
        if (model_->kind(index.column()) != StringGrid::ColumnKind::CheckBox)
            return QStyledItemDelegate::editorEvent(event, model, option, index);
        auto type = event->type();
        if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease &&
            type != QEvent::MouseButtonDblClick)
            return false;
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !checkBoxRect(option).contains(mouse->position().toPoint()))
            return false;
        // The box's cell becomes the current one, as a click beside the box makes it.
        if (type == QEvent::MouseButtonPress) grid_->setCurrentIndex(index);
        if (type == QEvent::MouseButtonRelease) grid_->toggleCheckBox(index);
        return true;
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override {
        auto* editor = qobject_cast<QWidget*>(object);
        if (editor && event->type() == QEvent::KeyPress) {
            auto* key = static_cast<QKeyEvent*>(event);
            StringGrid::CursorAction move = StringGrid::MoveDown;
            bool ends = true;
            switch (key->key()) {
                case Qt::Key_Return:
                case Qt::Key_Enter:
                    move = StringGrid::MoveDown;
                    break;
                case Qt::Key_Tab:
                    move = StringGrid::MoveNext;
                    break;
                case Qt::Key_Backtab:
                    move = StringGrid::MovePrevious;
                    break;
                default:
                    ends = false;
            }
            // An open list takes its own Enter; a closed one ends the edit like a text cell.
            auto* list = qobject_cast<QComboBox*>(editor);
            if (ends && !(list && list->view()->isVisible())) {
                emit commitData(editor);
                emit closeEditor(editor, NoHint);
                grid_->moveAfterEdit(move);
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    static QRect checkBoxRect(const QStyleOptionViewItem& option) {
        QStyle* style = option.widget ? option.widget->style() : QApplication::style();
        QRect box(0, 0, style->pixelMetric(QStyle::PM_IndicatorWidth, &option, option.widget),
                  style->pixelMetric(QStyle::PM_IndicatorHeight, &option, option.widget));
        box.moveCenter(option.rect.center());
        return box;
    }

    StringGrid* grid_;
    StringGridModel* model_;
};

StringGrid::StringGrid(QWidget* parent) : QTableView(parent), model_(new StringGridModel(this)) {
    setModel(model_);
    setItemDelegate(new StringGridDelegate(this, model_));
    setSelectionMode(ExtendedSelection);
    setSelectionBehavior(SelectItems);
    setEditTriggers(DoubleClicked | EditKeyPressed | AnyKeyPressed);
    setTabKeyNavigation(true);
    setWordWrap(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 10);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    verticalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionsClickable(false);
    // The corner above the row labels carries the label column's header.
    corner_ = findChild<QAbstractButton*>();
    if (corner_) corner_->installEventFilter(this);
}

StringGrid::~StringGrid() = default;

void StringGrid::setColumns(const QString& labelHeader, const std::vector<Column>& columns) {
    labelHeader_ = labelHeader;
    columns_ = columns;
    model_->setLayout(columns_, model_->rows(), model_->firstLabel());
    QFontMetrics metrics(font());
    for (int column = 0; column < static_cast<int>(columns_.size()); ++column) {
        int wanted = metrics.averageCharWidth() * columns_[static_cast<std::size_t>(column)].widthInCharacters + 12;
        setColumnWidth(column, std::max(wanted, horizontalHeader()->sectionSizeHint(column)));
    }
}

void StringGrid::setColumnTint(int column, const QColor& colour) { model_->setTint(column - 1, colour); }

void StringGrid::setHeaderTextColour(const QColor& colour) { model_->setHeaderTextColour(colour); }

void StringGrid::setRows(int count, int firstLabel) {
    model_->setLayout(columns_, count, firstLabel);
    // Wide enough for the longest label and the label column's header.
    QFontMetrics metrics(verticalHeader()->font());
    QString longest = QString::number(firstLabel + std::max(count - 1, 0));
    int width = std::max(metrics.horizontalAdvance(longest), metrics.horizontalAdvance(labelHeader_)) + 16;
    verticalHeader()->setFixedWidth(width);
}

int StringGrid::rowCount() const { return model_->rows(); }

int StringGrid::columnCount() const { return model_->columns() + 1; }

StringGrid::ColumnKind StringGrid::columnKind(int column) const {
    if (column < 1 || column > model_->columns()) return ColumnKind::Text;
    return model_->kind(column - 1);
}

QString StringGrid::cell(int row, int column) const {
    if (row < 1 || row > model_->rows()) return {};
    if (column == 0) return QString::number(model_->firstLabel() + row - 1);
    if (column < 1 || column > model_->columns()) return {};
    return model_->text(row - 1, column - 1);
}

void StringGrid::setCell(int row, int column, const QString& text) {
    if (row < 1 || row > model_->rows() || column < 1 || column > model_->columns()) return;
    model_->setText(row - 1, column - 1, text);
}

void StringGrid::clearCells() { model_->clear(); }

void StringGrid::setCurrentCell(int row, int column) {
    QModelIndex index = model_->index(row - 1, column - 1);
    if (!index.isValid()) return;
    setCurrentIndex(index);
    scrollTo(index);
}

int StringGrid::currentRow() const { return currentIndex().isValid() ? currentIndex().row() + 1 : 0; }

int StringGrid::currentColumn() const { return currentIndex().isValid() ? currentIndex().column() + 1 : 0; }

int StringGrid::naturalWidth() const {
    int width = verticalHeader()->width() + 2 * frameWidth();
    for (int column = 0; column < model_->columns(); ++column) width += columnWidth(column);
    return width;
}

void StringGrid::keyPressEvent(QKeyEvent* event) {
    const Qt::KeyboardModifiers modifiers = event->modifiers();
    const int key = event->key();
    if ((key == Qt::Key_Tab || key == Qt::Key_Backtab) && (modifiers & Qt::ControlModifier)) {
        // Tab moves between cells, so Ctrl+Tab is the way out of the grid.
        bool forward = key == Qt::Key_Tab && !(modifiers & Qt::ShiftModifier);
        QWidget::focusNextPrevChild(forward);
        return;
    }
    QModelIndex current = currentIndex();
    if (current.isValid() && state() != EditingState) {
        if (event->matches(QKeySequence::Copy) || event->matches(QKeySequence::Cut)) {
            copySelectedCells();
            if (event->matches(QKeySequence::Cut)) emptySelectedCells();
            return;
        }
        if (event->matches(QKeySequence::Paste)) {
            pasteCells();
            return;
        }
        if (key == Qt::Key_Delete || key == Qt::Key_Backspace) {
            emptySelectedCells();
            return;
        }
        ColumnKind kind = model_->kind(current.column());
        // A character typed into the cell, as opposed to Escape, Enter and other keys.
        QString typed = event->text();
        if (typed.isEmpty() || !typed.at(0).isPrint() || typed.at(0).isSpace()) typed.clear();
        bool plain = !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (kind == ColumnKind::CheckBox && plain) {
            if (key == Qt::Key_Space) {
                toggleCheckBox(current);
                return;
            }
            if (typed.compare(kTicked, Qt::CaseInsensitive) == 0 ||
                typed.compare(kUnticked, Qt::CaseInsensitive) == 0) {
                model_->setText(current.row(), current.column(), typed.toUpper());
                return;
            }
            if (!typed.isEmpty()) return;  // a check box takes no other text
        }
        if (kind == ColumnKind::PickList) {
            if ((key == Qt::Key_Down && (modifiers & Qt::AltModifier)) || key == Qt::Key_F4) {
                edit(current, EditKeyPressed, event);
                return;
            }
            if (plain && !typed.isEmpty()) {
                pickChoice(current, typed);
                return;  // no free typing in a pick list
            }
        }
    }
    QTableView::keyPressEvent(event);
}

bool StringGrid::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Paint && corner_ && watched == corner_) {
        paintCorner(corner_);
        return true;
    }
    return QTableView::eventFilter(watched, event);
}

void StringGrid::paintCorner(QWidget* corner) {
    QStyleOptionHeader option;
    option.initFrom(corner);
    option.rect = corner->rect();
    option.text = labelHeader_;
    option.textAlignment = Qt::AlignCenter;
    option.position = QStyleOptionHeader::OnlyOneSection;
    option.orientation = Qt::Horizontal;
    if (model_->headerTextColour().isValid()) option.palette.setColor(QPalette::ButtonText, model_->headerTextColour());
    QPainter painter(corner);
    corner->style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
}

void StringGrid::emptySelectedCells() {
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid()) cells.append(currentIndex());
    for (const QModelIndex& index : cells) model_->setText(index.row(), index.column(), QString());
}

void StringGrid::copySelectedCells() {
    QModelIndexList cells = selectionModel()->selectedIndexes();
    if (cells.isEmpty() && currentIndex().isValid()) cells.append(currentIndex());
    if (cells.isEmpty()) return;
    // The rectangle around the selection, as tab-separated lines.
    int top = cells.front().row(), bottom = top, left = cells.front().column(), right = left;
    for (const QModelIndex& index : cells) {
        top = std::min(top, index.row());
        bottom = std::max(bottom, index.row());
        left = std::min(left, index.column());
        right = std::max(right, index.column());
    }
    const QSet<QModelIndex> chosen(cells.begin(), cells.end());
    QStringList lines;
    for (int row = top; row <= bottom; ++row) {
        QStringList line;
        for (int column = left; column <= right; ++column)
            line << (chosen.contains(model_->index(row, column)) ? model_->text(row, column) : QString());
        lines << line.join('\t');
    }
    QApplication::clipboard()->setText(lines.join('\n') + '\n');
}

void StringGrid::pasteCells() {
    QString text = QApplication::clipboard()->text();
    text.remove('\r');
    if (text.endsWith('\n')) text.chop(1);
    if (text.isEmpty() || !currentIndex().isValid()) return;
    const int top = currentIndex().row(), left = currentIndex().column();
    const QStringList lines = text.split('\n');
    QStringList refused;
    int outside = 0;  // texts beyond the grid's last row or column
    for (int line = 0; line < lines.size(); ++line) {
        const QStringList values = lines[line].split('\t');
        for (int value = 0; value < values.size(); ++value) {
            const int row = top + line, column = left + value;
            if (row >= model_->rows() || column >= model_->columns()) {
                if (!values[value].isEmpty()) ++outside;
            } else if (std::optional<QString> reason = pasteCell(row, column, values[value])) {
                refused << QString("row %1, %2: \"%3\" %4")
                               .arg(cell(row + 1, 0), model_->column(column).header, values[value], *reason);
            }
        }
    }
    const qsizetype count = refused.size() + outside;
    if (count == 0) return;
    // The first few by name, the others counted.
    constexpr qsizetype kNamed = 10;
    QStringList parts = refused.mid(0, kNamed);
    if (refused.size() > kNamed) parts << QString("%1 more").arg(refused.size() - kNamed);
    if (outside > 0) parts << QString("%1 beyond the grid's last row or column").arg(outside);
    emit cellsNotPasted(QString("%1 %2 not pasted: ").arg(count).arg(count == 1 ? "cell" : "cells") + parts.join("; "));
}

std::optional<QString> StringGrid::pasteCell(int row, int column, const QString& text) {
    // Each kind of column takes only what it could be given by the keyboard.
    switch (model_->kind(column)) {
        case ColumnKind::Text:
            model_->setText(row, column, text);
            return std::nullopt;
        case ColumnKind::PickList: {
            const QStringList& choices = model_->column(column).choices;
            if (!text.isEmpty() && !choices.contains(text)) return "is not " + choices.join(" or ");
            model_->setText(row, column, text);
            return std::nullopt;
        }
        case ColumnKind::CheckBox:
            if (!text.isEmpty() && text.compare(kTicked, Qt::CaseInsensitive) != 0 &&
                text.compare(kUnticked, Qt::CaseInsensitive) != 0)
                return "is not " + kTicked + " or " + kUnticked;
            model_->setText(row, column, text.toUpper());
            return std::nullopt;
    }
    return std::nullopt;
}

void StringGrid::toggleCheckBox(const QModelIndex& index) {
    bool ticked = model_->text(index.row(), index.column()) == kTicked;
    model_->setText(index.row(), index.column(), ticked ? kUnticked : kTicked);
}

bool StringGrid::pickChoice(const QModelIndex& index, const QString& typed) {
    for (const QString& choice : model_->column(index.column()).choices) {
        if (choice.startsWith(typed, Qt::CaseInsensitive)) {
            model_->setText(index.row(), index.column(), choice);
            return true;
        }
    }
    return false;
}

void StringGrid::moveAfterEdit(CursorAction action) {
    QModelIndex next = moveCursor(action, Qt::NoModifier);
    if (next.isValid()) setCurrentCell(next.row() + 1, next.column() + 1);
    setFocus();
}

}  // namespace telvanor
