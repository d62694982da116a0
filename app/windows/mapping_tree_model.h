#pragma once
#include "goose/mapping_dialog.h"

#include <QAbstractItemModel>
#include <QIcon>

#include <array>

class QMimeData;

// One tree of the GOOSE mapping dialog as a Qt item model. An index points at its
// MappingNode; nothing is copied, so every change of the tree's shape must lie between
// BeginChange() and EndChange() (a reset: the dialog re-sorts after every gesture).
class MappingTreeModel : public QAbstractItemModel {
public:
    MappingTreeModel(CMappingDialog& dialog, MappingTree tree, QObject* parent = nullptr);

    MappingTree Tree() const { return tree_; }
    CMappingDialog& Dialog() const { return dialog_; }
    QModelIndex IndexOf(const MappingNode* node) const;
    static MappingNode* NodeAt(const QModelIndex& index);

    void BeginChange() { beginResetModel(); }
    void EndChange() { endResetModel(); }

    // The node drawn as the target of the drag in progress; null for none.
    void SetHighlighted(const MappingNode* node);
    const MappingNode* Highlighted() const { return highlighted_; }

    // The node a drag of this dialog carries; null for data from anywhere else.
    MappingNode* DraggedNode(const QMimeData* data) const;

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QStringList mimeTypes() const override;
    QMimeData* mimeData(const QModelIndexList& indexes) const override;
    Qt::DropActions supportedDragActions() const override;
    Qt::DropActions supportedDropActions() const override;

private:
    const std::vector<std::unique_ptr<MappingNode>>& Siblings(const MappingNode* parent) const;
    const QIcon& Icon(const MappingNode& node) const;

    CMappingDialog& dialog_;
    MappingTree tree_;
    const MappingNode* highlighted_ = nullptr;
    std::array<QIcon, 5> icons_;
};
