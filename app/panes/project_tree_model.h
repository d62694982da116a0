#pragma once
#include "project_tree/tree_observer.h"

#include <QAbstractItemModel>

class CVarnholtView;
class TreeItem;

// The project tree as a Qt item model. It holds no copy of the items: an index points
// at its TreeItem, and every change of the view arrives as the matching incremental
// notification (an insert, a removal, a relabel; a reset only when the view rebuilds).
class ProjectTreeModel : public QAbstractItemModel, private TreeObserver {
    Q_OBJECT
public:
    explicit ProjectTreeModel(CVarnholtView& view, QObject* parent = nullptr);
    ~ProjectTreeModel() override;

    QModelIndex IndexOf(const TreeItem* item) const;
    static TreeItem* ItemAt(const QModelIndex& index);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // The view discards and rebuilds all items: a long step.
    void ResetStarted();
    void ResetFinished();

private:
    void OnBeginReset() override;
    void OnEndReset() override;
    void OnBeginInsert(TreeItem* parent, int row) override;
    void OnEndInsert(TreeItem* item) override;
    void OnBeginRemove(TreeItem* parent, int row) override;
    void OnEndRemove(TreeItem* parent, int row) override;
    void OnRelabelled(TreeItem* item) override;

    CVarnholtView& view_;
};
