#include "monitor/monitor_table_model.h"

#include <array>
#include <numeric>
#include <variant>

#include <QBrush>
#include <QColor>

#include "widgets/qt_text.h"

namespace telvanor {

namespace {

// The columns in the order shown: the overview's, the live ones after the register's.
using MonitorColumn = std::variant<OverviewColumn, LiveColumn>;
const std::array<MonitorColumn, kOverviewColumns + kLiveColumns> kColumns = {
    OverviewColumn::Direction,     OverviewColumn::Register, OverviewColumn::Hex,     LiveColumn::Value,
    LiveColumn::ValueHex,          LiveColumn::LastGoodRead, LiveColumn::Errors,      LiveColumn::LastError,
    OverviewColumn::TypedAs,       OverviewColumn::Frame,    OverviewColumn::Pgn,     OverviewColumn::Name,
    OverviewColumn::SourceAddress, OverviewColumn::HighByte, OverviewColumn::LowByte, OverviewColumn::Write,
    OverviewColumn::Mnemonic,      OverviewColumn::Findings,
};

constexpr int kFirstLiveColumn = 3;

}  // namespace

void MonitorTableModel::setOverview(RegisterOverview overview) {
    beginResetModel();
    overview_ = std::move(overview);
    live_.assign(overview_.rows.size(), {});
    shown_ = filteredRows(overview_, allRows(), filter_);
    endResetModel();
}

void MonitorTableModel::setFilter(const QString& filter) {
    std::string text = fromQt(filter.trimmed());
    if (text == filter_) return;
    beginResetModel();
    filter_ = std::move(text);
    shown_ = filteredRows(overview_, allRows(), filter_);
    endResetModel();
}

OverviewOrder MonitorTableModel::allRows() const {
    OverviewOrder all(overview_.rows.size());
    std::iota(all.begin(), all.end(), std::size_t{0});
    return all;
}

void MonitorTableModel::clearReadings() {
    live_.assign(overview_.rows.size(), {});
    if (rowCount() > 0)
        emit dataChanged(index(0, kFirstLiveColumn), index(rowCount() - 1, kFirstLiveColumn + kLiveColumns - 1));
}

void MonitorTableModel::applyRound(const RoundReadings& round, std::chrono::system_clock::time_point time) {
    telvanor::applyRound(overview_, round, time, live_);
    if (rowCount() > 0)
        emit dataChanged(index(0, kFirstLiveColumn), index(rowCount() - 1, kFirstLiveColumn + kLiveColumns - 1));
}

int MonitorTableModel::sectionOf(LiveColumn column) { return kFirstLiveColumn + static_cast<int>(column); }

int MonitorTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int MonitorTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kColumns.size());
}

QVariant MonitorTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) return {};
    const MonitorColumn& column = kColumns[static_cast<std::size_t>(index.column())];
    std::size_t row = overviewIndex(index.row());
    const LiveReading& reading = live_[row];
    bool failing = !reading.lastError.empty();
    switch (role) {
        case Qt::DisplayRole:
            if (const auto* live = std::get_if<LiveColumn>(&column)) return toQt(liveCell(reading, *live));
            return toQt(overview_.rows[row].cell(std::get<OverviewColumn>(column)));
        case Qt::ToolTipRole:
            return failing ? toQt("The latest read failed: " + reading.lastError) : QVariant();
        case Qt::BackgroundRole:
            return failing && std::holds_alternative<LiveColumn>(column) ? QBrush(QColor(255, 214, 214)) : QVariant();
        case Qt::ForegroundRole:
            return failing && std::holds_alternative<LiveColumn>(column) ? QBrush(QColor(Qt::black)) : QVariant();
        default:
            return {};
    }
}

QVariant MonitorTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    if (section < 0 || section >= columnCount()) return {};
    const MonitorColumn& column = kColumns[static_cast<std::size_t>(section)];
    if (const auto* live = std::get_if<LiveColumn>(&column)) return toQt(liveColumnTitle(*live));
    return toQt(overviewColumnTitle(std::get<OverviewColumn>(column)));
}

}  // namespace telvanor
