#include "shell/NameFilterProxy.h"

#include <QFileSystemModel>

namespace tess {

NameFilterProxy::NameFilterProxy(std::vector<NameFilter> filters, QObject* parent)
    : QSortFilterProxyModel(parent), filters_(std::move(filters))
{
}

void NameFilterProxy::select(int index)
{
    if (index < 0 || static_cast<std::size_t>(index) >= filters_.size() || index == selected_)
        return;
    selected_ = index;
    invalidateRowsFilter();
}

void NameFilterProxy::sort(int column, Qt::SortOrder order)
{
    if (sourceModel() != nullptr)
        sourceModel()->sort(column, order);
}

bool NameFilterProxy::filterAcceptsRow(int sourceRow, const QModelIndex& sourceParent) const
{
    const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
    if (files == nullptr)
        return true;
    const QModelIndex entry = files->index(sourceRow, 0, sourceParent);
    return files->isDir(entry) || filters_[static_cast<std::size_t>(selected_)].shows(files->fileName(entry));
}

}  // namespace tess
