#include "tree/varnholt_view.h"

#include "core/varnholt_doc.h"
#include "tree/lookup_index.h"

#include <algorithm>

CVarnholtView::CVarnholtView(CVarnholtDoc& doc)
    : doc_(doc), lookupIndex_(std::make_unique<TreeLookupIndex>(*this))
{
    AddObserver(lookupIndex_.get());
    doc_.AddView(this);
}

CVarnholtView::~CVarnholtView()
{
    ClearItems();
    doc_.RemoveView(this);
}

void CVarnholtView::AddObserver(TreeObserver* observer)
{
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void CVarnholtView::RemoveObserver(TreeObserver* observer)
{
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

// The document discards every record when it gets a new tree (New, Open, Close).
// Until the items are built again their record pointers dangle.
bool CVarnholtView::RecordsCurrent() const
{
    return builtGeneration_ == doc_.RecordsGeneration();
}

TreeItemRecord* CVarnholtView::Record(const TreeItem* item) const
{
    return item && RecordsCurrent() ? item->record_ : nullptr;
}

bool CVarnholtView::IsInView(const TreeItem* item) const
{
    if (!item) return true;
    while (item->parent_) item = item->parent_;
    return item == &levelHolder_;
}

void CVarnholtView::SetLabel(TreeItem* item, std::string label)
{
    if (!item) return;
    item->label_ = std::move(label);
    if (IsInView(item)) Notify([&](TreeObserver& o) { o.OnRelabelled(item); });
}

void CVarnholtView::Select(TreeItem* item)
{
    if (item == selected_) return;
    selected_ = item;
    caption_ = ComputeCaption(item);
    TreeItemRecord* record = Record(item);
    Notify([&](TreeObserver& o) { o.OnSelectionChanged(item, record, caption_); });
    doc_.UpdateAllViews(this);
}

void CVarnholtView::BuildTree()
{
    Select(nullptr);
    Notify([](TreeObserver& o) { o.OnBeginReset(); });
    ClearItems();
    builtGeneration_ = doc_.RecordsGeneration();
    expansionComplete_ = true;
    if (xmlNode* root = doc_.Root()) BuildSiblings(root->children, levelHolder_, false, 1);
    Notify([](TreeObserver& o) { o.OnEndReset(); });
    Select(FirstRootItem());
}

// Records still held are given back, so that building twice for one document does
// not leave the first build's records in the document's list.
void CVarnholtView::ClearItems()
{
    bool current = RecordsCurrent();
    for (auto& item : levelHolder_.children_) ReleaseSubtree(*item, current);
    levelHolder_.children_.clear();
    recordsHeld_ = 0;
    selected_ = nullptr;
}
