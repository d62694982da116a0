#pragma once
#include "app/windows/mapping_tree_model.h"

#include <QTimer>
#include <QTreeView>

#include <functional>

// A tree of the GOOSE mapping window. It starts drags of the nodes the dialog lets go,
// highlights where a drag would land, scrolls one line at a time while the cursor
// rests near an edge, and hands drops to the window.
class MappingTreeView : public QTreeView {
public:
    MappingTreeView(CMappingDialog& dialog, MappingTree tree, QWidget* parent = nullptr);

    MappingTreeModel& Model() const { return *model_; }
    MappingNode* CurrentNode() const;

    // Around a change of the dialog's trees: the model is reset, then the view shows
    // the nodes that are expanded and the dialog's selection at the scroll position
    // it had, scrolled only as far as the selection needs to be seen.
    void BeginReload();
    void EndReload();

    // The person selected `node` (null: none).
    std::function<void(MappingNode* node)> onSelect;
    // Drops of nodes of this dialog on this tree, `under` the cursor (null: empty space).
    std::function<void(MappingNode* dragged, MappingNode* under)> onDrop;

protected:
    void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dragLeaveEvent(QDragLeaveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    MappingNode* NodeAt(QPoint position) const;
    void ShowDialogState();
    void ExpandAsTheDialogHas(const QModelIndex& parent, const std::vector<std::unique_ptr<MappingNode>>& nodes);
    // Takes a drag entering or moving over the tree: highlights its target; false when
    // the drag does not carry a node of this dialog.
    bool Follow(QDropEvent* event);
    // Where the drag would land with the cursor at the last position seen.
    void HighlightTarget();
    void EndDragOver();
    // One line towards each edge the cursor is near; false when it is near none.
    bool ScrollTowardsEdge();

    MappingTreeModel* model_;
    QTimer scrollTimer_;
    MappingNode* dragged_ = nullptr;
    QPoint dragPosition_;
    QPoint scrollPosition_;
    bool reloading_ = false;
};
