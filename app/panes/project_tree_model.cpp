#include "app/panes/project_tree_model.h"

#include "app/panes/tree_pictures.h"
#include "project_tree/tree_item.h"
#include "project_tree/varnholt_view.h"

ProjectTreeModel::ProjectTreeModel(CVarnholtView& view, QObject* parent) : QAbstractItemModel(parent), view_(view)
{
    view_.AddObserver(this);
}

ProjectTreeModel::~ProjectTreeModel()
{
    view_.RemoveObserver(this);
}

QModelIndex ProjectTreeModel::IndexOf(const TreeItem* item) const
{
    if (!item) return {};
    return createIndex(item->Row(), 0, const_cast<TreeItem*>(item));
}

TreeItem* ProjectTreeModel::ItemAt(const QModelIndex& index)
{
    return index.isValid() ? static_cast<TreeItem*>(index.internalPointer()) : nullptr;
}

QModelIndex ProjectTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || row >= rowCount(parent)) return {};
    const TreeItem* holder = ItemAt(parent);
    return IndexOf(holder ? holder->Child(row) : view_.RootItem(row));
}

QModelIndex ProjectTreeModel::parent(const QModelIndex& child) const
{
    const TreeItem* item = ItemAt(child);
    return item ? IndexOf(item->Parent()) : QModelIndex();
}

int ProjectTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0) return 0;
    const TreeItem* item = ItemAt(parent);
    return item ? item->ChildCount() : view_.RootItemCount();
}

int ProjectTreeModel::columnCount(const QModelIndex&) const
{
    return 1;
}

bool ProjectTreeModel::hasChildren(const QModelIndex& parent) const
{
    return rowCount(parent) > 0;
}

QVariant ProjectTreeModel::data(const QModelIndex& index, int role) const
{
    const TreeItem* item = ItemAt(index);
    if (!item) return {};
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole: return QString::fromStdString(view_.Label(item));
    case Qt::DecorationRole: return TreeKindIcon(item->Image());
    default: return {};
    }
}

Qt::ItemFlags ProjectTreeModel::flags(const QModelIndex& index) const
{
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}

void ProjectTreeModel::OnBeginReset()
{
    emit ResetStarted();
    beginResetModel();
}

void ProjectTreeModel::OnEndReset()
{
    endResetModel();
    emit ResetFinished();
}

void ProjectTreeModel::OnBeginInsert(TreeItem* parent, int row)
{
    beginInsertRows(IndexOf(parent), row, row);
}

void ProjectTreeModel::OnEndInsert(TreeItem*)
{
    endInsertRows();
}

void ProjectTreeModel::OnBeginRemove(TreeItem* parent, int row)
{
    beginRemoveRows(IndexOf(parent), row, row);
}

void ProjectTreeModel::OnEndRemove(TreeItem*, int)
{
    endRemoveRows();
}

void ProjectTreeModel::OnRelabelled(TreeItem* item)
{
    QModelIndex changed = IndexOf(item);
    emit dataChanged(changed, changed, {Qt::DisplayRole, Qt::ToolTipRole});
}
