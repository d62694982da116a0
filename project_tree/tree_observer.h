#pragma once
#include "document/tree_item_record.h"

#include <string>

class TreeItem;

// The three texts of the caption pane for the selected item.
struct TreeCaption {
    std::string substation;
    std::string ied;
    std::string logicalDevice;

    bool operator==(const TreeCaption&) const = default;
};

// Follows the changes of a project tree, e.g. a model adapter of a tree widget.
// A null parent stands for the root level. Every structural change is bracketed:
// a subtree is inserted whole, in one Begin/EndInsert pair, after it was built.
class TreeObserver {
public:
    virtual ~TreeObserver() = default;

    // All items are discarded and built again.
    virtual void OnBeginReset() {}
    virtual void OnEndReset() {}
    // `item` will be inserted at `row` of `parent`.
    virtual void OnBeginInsert(TreeItem* /*parent*/, int /*row*/) {}
    virtual void OnEndInsert(TreeItem* /*item*/) {}
    // The item at `row` of `parent`, with its descendants, goes away.
    virtual void OnBeginRemove(TreeItem* /*parent*/, int /*row*/) {}
    virtual void OnEndRemove(TreeItem* /*parent*/, int /*row*/) {}
    virtual void OnRelabelled(TreeItem* /*item*/) {}
    // `item` and `record` are null when nothing is selected.
    virtual void OnSelectionChanged(TreeItem* /*item*/, TreeItemRecord* /*record*/,
                                    const TreeCaption& /*caption*/)
    {
    }
    // A name the caption shows was edited while the selection stayed.
    virtual void OnCaptionChanged(const TreeCaption& /*caption*/) {}
};
