#pragma once

#include <chrono>
#include <vector>

#include <QAbstractTableModel>

#include "monitor/live_readings.h"
#include "overview/overview_table.h"
#include "overview/register_overview.h"

namespace telvanor {

// The register overview's table with the monitor's live columns after the register's: the
// value in decimal and hexadecimal, the time of the last good read, the error count and the
// latest error. Rows whose latest read failed are marked. A filter keeps the rows of the
// overview's filter; the reads go on for every row.
class MonitorTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Takes the overview to read; the live columns start empty, the filter stays.
    void setOverview(RegisterOverview overview);
    const RegisterOverview& overview() const { return overview_; }
    void setFilter(const QString& filter);
    // The overview's row shown at `viewRow`.
    std::size_t overviewIndex(int viewRow) const { return shown_[static_cast<std::size_t>(viewRow)]; }
    // Empties the live columns.
    void clearReadings();
    // Takes a round into the live columns.
    void applyRound(const RoundReadings& round, std::chrono::system_clock::time_point time);
    // The table column of a live column.
    static int sectionOf(LiveColumn column);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    OverviewOrder allRows() const;

    RegisterOverview overview_;
    std::vector<LiveReading> live_;  // one per overview row
    std::string filter_;
    OverviewOrder shown_;
};

}  // namespace telvanor
