#include "overview/overview_table_model.h"

#include <algorithm>
#include <numeric>
#include <vector>

#include <QBrush>
#include <QColor>

#include "widgets/qt_text.h"

namespace telvanor {

void OverviewTableModel::setOverview(RegisterOverview overview) {
    beginResetModel();
    overview_ = std::move(overview);
    if (sorted_) {
        sortedOrder_ = sortedRows(overview_, sortColumn_, ascending_);
    } else {
        sortedOrder_.resize(overview_.rows.size());
        std::iota(sortedOrder_.begin(), sortedOrder_.end(), std::size_t{0});
    }
    shown_ = filteredRows(overview_, sortedOrder_, filter_);
    endResetModel();
}

void OverviewTableModel::setFilter(const QString& filter) {
    std::string text = fromQt(filter.trimmed());
    if (text == filter_) return;
    filter_ = std::move(text);
    reorder();
}

void OverviewTableModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= static_cast<int>(kOverviewColumns)) return;
    sortColumn_ = static_cast<OverviewColumn>(column);
    ascending_ = order == Qt::AscendingOrder;
    sorted_ = true;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    const QModelIndexList before = persistentIndexList();
    std::vector<std::size_t> held;
    held.reserve(static_cast<std::size_t>(before.size()));
    for (const QModelIndex& index : before) held.push_back(overviewIndex(index.row()));
    sortedOrder_ = sortedRows(overview_, sortColumn_, ascending_);
    shown_ = filteredRows(overview_, sortedOrder_, filter_);
    // The selection and the current row stay on their mappings, wherever these now stand.
    std::vector<int> newRow(overview_.rows.size(), -1);
    for (std::size_t viewRow = 0; viewRow < shown_.size(); ++viewRow)
        newRow[shown_[viewRow]] = static_cast<int>(viewRow);
    QModelIndexList after;
    after.reserve(before.size());
    for (qsizetype i = 0; i < before.size(); ++i)
        after.push_back(index(newRow[held[static_cast<std::size_t>(i)]], before[i].column()));
    changePersistentIndexList(before, after);
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
}

void OverviewTableModel::reorder() {
    beginResetModel();
    shown_ = filteredRows(overview_, sortedOrder_, filter_);
    endResetModel();
}

std::optional<int> OverviewTableModel::viewRowOf(std::size_t overviewIndex) const {
    auto found = std::find(shown_.begin(), shown_.end(), overviewIndex);
    if (found == shown_.end()) return std::nullopt;
    return static_cast<int>(found - shown_.begin());
}

int OverviewTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int OverviewTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kOverviewColumns);
}

QVariant OverviewTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const OverviewRow& row = rowAt(index.row());
    switch (role) {
        case Qt::DisplayRole:
            return toQt(row.cell(static_cast<OverviewColumn>(index.column())));
        case Qt::ToolTipRole:
            // A marked row says what is wrong wherever the pointer rests on it.
            if (row.findings) return toQt(row.cell(OverviewColumn::Findings));
            return {};
        case Qt::BackgroundRole:
            if (row.findings) return QBrush(QColor(255, 226, 204));
            return {};
        case Qt::ForegroundRole:
            if (row.findings) return QBrush(QColor(Qt::black));
            return {};
        default:
            return {};
    }
}

QVariant OverviewTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= static_cast<int>(kOverviewColumns)) return {};
    return toQt(overviewColumnTitle(static_cast<OverviewColumn>(section)));
}

}  // namespace telvanor
