#pragma once

#include <optional>
#include <string>

#include <QAbstractTableModel>

#include "overview/overview_table.h"
#include "overview/register_overview.h"

namespace telvanor {

// The register overview as a table for a view: the rows the filter keeps, in the order of
// the column last sorted by. Sorting and filtering are the overview's own; this class only
// hands the texts over.
class OverviewTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    // Takes a new overview; the sort and the filter stay as they were.
    void setOverview(RegisterOverview overview);
    const RegisterOverview& overview() const { return overview_; }

    void setFilter(const QString& filter);
    const std::string& filter() const { return filter_; }

    // The overview's row shown at `viewRow`, and the view row of an overview row (or nothing
    // when the filter hides it).
    const OverviewRow& rowAt(int viewRow) const { return overview_.rows[shown_[static_cast<std::size_t>(viewRow)]]; }
    std::size_t overviewIndex(int viewRow) const { return shown_[static_cast<std::size_t>(viewRow)]; }
    std::optional<int> viewRowOf(std::size_t overviewIndex) const;
    const OverviewOrder& shownRows() const { return shown_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

private:
    void reorder();

    RegisterOverview overview_;
    std::string filter_;
    OverviewColumn sortColumn_ = OverviewColumn::Register;
    bool ascending_ = true;
    bool sorted_ = false;  // until the first sort the overview's own order is shown
    OverviewOrder sortedOrder_;
    OverviewOrder shown_;
};

}  // namespace telvanor
