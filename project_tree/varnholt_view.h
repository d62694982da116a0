#pragma once
#include "document/change_channel.h"
#include "document/document_view.h"
#include "document/tree_item_record.h"
#include "document/type_index.h"
#include "project_tree/tree_item.h"
#include "project_tree/tree_observer.h"

#include <libxml/tree.h>

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class CVarnholtDoc;
class TreeLookupIndex;

// Bounds of the expansion through the data type templates. Templates that fan out
// exponentially (each structure holding several members of the next) are cut there.
// Besides the bound per logical node, one build (of the tree, or of the part of it that
// an edit adds) stops expanding types at `itemsPerElement` items for each element of the
// part of the document it shows, or at `minimumItems` if that is more, so that the tree
// of a small file stays small whatever its templates. Real files stay far below: their
// largest logical nodes have some 15000 items, and whole files about 12 items per element.
struct ExpansionLimits {
    size_t typeItemsPerLogicalNode = 500000;
    size_t itemsPerElement = 128;
    size_t minimumItems = 1000000;
};

// Why the items below one item stop short of what the document holds.
enum class ExpansionCut : uint8_t {
    None,
    LogicalNodeLimit,  // the data of the logical node reached typeItemsPerLogicalNode
    TreeLimit,         // the build reached its bound of items for the part it shows
    TypeDepth,         // a chain of types nests deeper than the expansion follows
    ElementDepth,      // elements nest deeper than the build follows
};

// The project tree: one item per shown SCL element, in document order, with the data
// objects of every logical node expanded through the data type templates, plus the
// selected item. Registers with the document for the lifetime of the view.
class CVarnholtView : public DocumentView {
public:
    explicit CVarnholtView(CVarnholtDoc& doc);
    ~CVarnholtView() override;
    CVarnholtView(const CVarnholtView&) = delete;
    CVarnholtView& operator=(const CVarnholtView&) = delete;

    CVarnholtDoc& Document() const { return doc_; }

    void AddObserver(TreeObserver* observer);
    void RemoveObserver(TreeObserver* observer);

    // --- DocumentView ---
    void OnInitialUpdate() override { BuildTree(); }
    // Builds again the items of what the step touched (or the whole tree) and keeps the
    // selected item, or selects the nearest of its ancestors that is still there.
    void OnHistoryMoving() override;
    void OnHistoryMoved() override;
    // The same for changes a command made to the document without the items, given by
    // what its step touched.
    void FollowChanges(const ChangeChannel::Touched& touched);
    // Answers the document's purge before a save: every type that any item reaches,
    // time servers included. False (keep every type) when the items were not built
    // from the document's current tree or a hostile template was cut short.
    bool CollectUsedTypeIds(UsedTypeIds& ids) override;

    // --- building ---
    // Discards all items, builds them from the document and selects the first root item.
    void BuildTree();
    // Items for the sibling list from `first` below `parent` (null: root level);
    // returns the union of the MarkerFlags found.
    uint8_t BuildChildItems(xmlNode* first, TreeItem* parent);
    // The items below a logical node: the data of its type, then its own children.
    uint8_t BuildLogicalNodeItems(xmlNode* ln, TreeItem* item);
    // DO/SDO/DA/BDA items for the children of a type template, recursively.
    void AddTypeItems(xmlNode* first, TreeItem* parent);
    // Shows the Val elements of an instance (DOI, SDI, DAI) below the matching type items.
    void MergeInstanceValues(xmlNode* instance, TreeItem* parent);

    // --- incremental changes; each returns the new item or null ---
    // After the `position`-th IED item (-1: after the last one); selects the new item.
    TreeItem* InsertIEDItem(xmlNode* ied, int position);
    // Below the SubNetwork item named `subNetwork`, after its `position`-th ConnectedAP
    // item (0: at the end, -1: after the last one).
    TreeItem* InsertConnectedAPItem(xmlNode* connectedAP, const std::string& subNetwork, int position);
    TreeItem* InsertSubNetworkItem(xmlNode* subNetwork);
    // The item of `element`, a child of the element of `parent` (null: of the root),
    // among the items of its siblings where the element stands in the document, after
    // the items of a logical node's type data. Adds the markers it brings to a logical
    // node `parent`.
    TreeItem* InsertElementItem(TreeItem* parent, xmlNode* element);
    // `oldIed` is only compared, never read: the caller may have freed it.
    TreeItem* ReplaceIEDItem(xmlNode* newIed, const xmlNode* oldIed);
    TreeItem* ReplaceConnectedAPItem(const std::string& subNetwork, xmlNode* newAP, const xmlNode* oldAP);
    // Destroys the records of `item` and its descendants, children first.
    void ReleaseItemRecords(TreeItem* item);
    // Removes `item` with its descendants; a selection inside it is cleared first.
    void DeleteItem(TreeItem* item);

    // --- access ---
    int RootItemCount() const { return levelHolder_.ChildCount(); }
    TreeItem* RootItem(int row) const { return levelHolder_.Child(row); }
    TreeItem* FirstRootItem() const { return levelHolder_.FirstChild(); }
    // Null when released, or when the document discarded the records since the build.
    TreeItemRecord* Record(const TreeItem* item) const;
    // The label given by SetLabel, else the label of the element with the markers of
    // its record; "" once the record is gone.
    std::string Label(const TreeItem* item) const;
    void SetLabel(TreeItem* item, std::string label);

    // --- selection ---
    TreeItem* Selected() const { return selected_; }
    TreeItemRecord* SelectedRecord() const { return Record(selected_); }
    // Raises the selection change (observers, then the document's other views) when
    // the selected item changes; null clears the selection.
    void Select(TreeItem* item);
    const TreeCaption& Caption() const { return caption_; }
    TreeCaption ComputeCaption(const TreeItem* selected) const;

    bool IsCommandEnabled(int commandId) const;

    // The name index behind the lookups of project_tree/scl_lookups.h; it follows every change
    // of the items by itself.
    TreeLookupIndex& LookupIndex() const { return *lookupIndex_; }

    // The template ids reached below the IED items (time servers only when asked),
    // or below `start` alone; each id once, in order of first use, children first.
    void CollectUsedTypeIds(UsedTypeIds& ids, const TreeItem* start, bool includeTimeServers = false) const;

    // False once a hostile template was cut short (a cycle is not a cut: the type
    // on the cycle is already listed).
    bool IsExpansionComplete() const { return expansionComplete_; }
    void SetExpansionLimits(const ExpansionLimits& limits) { limits_ = limits; }
    // Why the children of `item` were cut short; None when they were not.
    ExpansionCut CutBelow(const TreeItem* item) const;
    // The cause in words, with the bound that was reached.
    std::string CutReason(ExpansionCut cut) const;
    // The items looked at so far to place instance values below their type items.
    size_t InstanceMatchSteps() const { return matchSteps_; }

private:
    struct TypePath;
    class BuildScope;
    class TypeMembers;
    class ChildNames;

    bool RecordsCurrent() const;
    // The items of the root's children that the played step touched, built again; false
    // when the whole tree must be (a step that renamed a template, a tree cut short).
    bool FollowHistory(const ChangeChannel::Touched& touched);
    // Selects the item the path of labels noted before a change leads to, unless the
    // selected item is still there.
    void KeepSelection();
    bool IsInView(const TreeItem* item) const;
    TreeItem& Holder(TreeItem* parent) { return parent ? *parent : levelHolder_; }
    TreeItem* Visible(TreeItem* item) { return item == &levelHolder_ ? nullptr : item; }
    TreeItem* NewItem(xmlNode* node, int32_t kind);
    // The first cause found for `item` stands.
    void MarkCut(TreeItem& item, ExpansionCut cut);
    TreeItem* Attach(TreeItem& parent, size_t row, TreeItem* item, bool notify);
    TreeItem* Attach(TreeItem& parent, TreeItem* item, bool notify) { return Attach(parent, parent.count_, item, notify); }
    TreeItem* BuildElementItem(xmlNode* element, uint8_t& flags, int depth);
    TreeItem* BuildLogicalNodeChild(xmlNode* element, uint8_t& flags, int depth);
    TreeItem* BuildIEDItem(xmlNode* ied);
    uint8_t BuildSiblings(xmlNode* first, TreeItem& parent, bool notify, int depth);
    uint8_t BuildLogicalNodeChildren(xmlNode* ln, TreeItem& item, bool notify, int depth);
    void AddTypes(xmlNode* first, TreeItem& parent, bool notify, TypePath& path);
    void MergeValues(xmlNode* instance, TreeItem& parent, bool notify, int depth, ChildNames& names);
    void ReleaseSubtree(TreeItem& item, bool current);
    // Frees `item` and its descendants; their records must be released or discarded.
    void DestroySubtree(TreeItem* item);
    void DiscardSubtree(TreeItem* item, bool current);
    void ClearItems();
    void CollectFrom(const TreeItem& item, UsedTypeIds& ids) const;
    template <typename Event>
    void Notify(Event event)
    {
        // A copy: an observer may unregister while it is told.
        for (TreeObserver* observer : std::vector<TreeObserver*>(observers_)) event(*observer);
    }

    CVarnholtDoc& doc_;
    TreeItemPool pool_;
    TreeLevelHolder levelHolder_{this};
    std::unordered_map<const TreeItem*, std::string> ownLabels_;  // items flagged kOwnLabel
    TreeItem* selected_ = nullptr;
    TreeCaption caption_;
    std::vector<TreeObserver*> observers_;
    uint64_t builtGeneration_ = UINT64_MAX;  // the document's records when the items were built
    size_t recordsHeld_ = 0;            // records created by this view and not released
    ExpansionLimits limits_;
    size_t typeItemBudget_ = 0;
    size_t recordLimit_ = 0;            // recordsHeld_ at which this build stops expanding types
    BuildScope* buildScope_ = nullptr;  // of the build in progress
    size_t matchSteps_ = 0;
    bool expansionComplete_ = true;
    std::unique_ptr<TreeLookupIndex> lookupIndex_;
    std::vector<std::string> selectedPath_;  // labels from the selected item up, kept over an undo
};
