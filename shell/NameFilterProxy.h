#pragma once

#include <vector>

#include <QSortFilterProxyModel>

#include "shell/NameFilters.h"

namespace tess {

// Stands between a file dialog's file system model and its views, and hides the files that the
// selected entry of a filter list does not show; folders are always listed. The dialog itself
// is given entries that let every file through, since its own filter syntax cannot carry every
// name (see NameFilter::shows).
class NameFilterProxy : public QSortFilterProxyModel {
public:
    // `filters` is not empty; the first entry is selected.
    NameFilterProxy(std::vector<NameFilter> filters, QObject* parent);

    // The 0-based entry whose names are listed; an index outside the list is ignored.
    int selected() const { return selected_; }
    void select(int index);
    // Left to the file system model, which sorts as a file dialog should, folders first; the
    // proxy keeps the order it is given.
    void sort(int column, Qt::SortOrder order) override;

protected:
    bool filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const override;

private:
    std::vector<NameFilter> filters_;
    int selected_ = 0;
};

}  // namespace tess
