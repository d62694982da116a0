#include "project_tree/varnholt_view.h"

#include "document/varnholt_doc.h"
#include "project_tree/build_scope.h"
#include "project_tree/lookup_index.h"

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

std::string CVarnholtView::Label(const TreeItem* item) const
{
    if (!item) return {};
    if (item->flags_ & TreeItem::kOwnLabel) {
        auto found = ownLabels_.find(item);
        if (found != ownLabels_.end()) return found->second;
    }
    return Record(item) ? item->LabelFromRecord() : std::string();
}

// A label equal to the one the element gives is not kept: it follows the element.
void CVarnholtView::SetLabel(TreeItem* item, std::string label)
{
    if (!item) return;
    if (Record(item) && label == item->LabelFromRecord()) {
        ownLabels_.erase(item);
        item->flags_ &= static_cast<uint8_t>(~TreeItem::kOwnLabel);
    } else {
        ownLabels_[item] = std::move(label);
        item->flags_ |= TreeItem::kOwnLabel;
    }
    if (!IsInView(item)) return;
    Notify([&](TreeObserver& o) { o.OnRelabelled(item); });
    // A relabelled item may be the substation, IED or logical device the caption names.
    TreeCaption caption = ComputeCaption(selected_);
    if (caption == caption_) return;
    caption_ = std::move(caption);
    Notify([&](TreeObserver& o) { o.OnCaptionChanged(caption_); });
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
    if (xmlNode* root = doc_.Root()) {
        BuildScope scope(*this, root);
        BuildSiblings(root->children, levelHolder_, false, 1);
    }
    Notify([](TreeObserver& o) { o.OnEndReset(); });
    Select(FirstRootItem());
}

namespace {

// A label without its markers (" [G]" and the like), which a change may add or take.
std::string WithoutMarkers(std::string label)
{
    while (label.size() > 4 && label.ends_with("]") && label.compare(label.size() - 4, 2, " [") == 0)
        label.resize(label.size() - 4);
    return label;
}

}  // namespace

void CVarnholtView::OnHistoryMoving()
{
    selectedPath_.clear();
    for (const TreeItem* item = selected_; item; item = item->Parent())
        selectedPath_.push_back(WithoutMarkers(item->Label()));
}

void CVarnholtView::OnHistoryMoved()
{
    if (!FollowHistory(doc_.Changes().PlayedTouched())) BuildTree();
    KeepSelection();
}

void CVarnholtView::FollowChanges(const ChangeChannel::Touched& touched)
{
    OnHistoryMoving();
    if (!FollowHistory(touched)) BuildTree();
    KeepSelection();
}

void CVarnholtView::KeepSelection()
{
    if (selected_) {
        selectedPath_.clear();
        return;
    }
    TreeItem* found = nullptr;
    for (auto label = selectedPath_.rbegin(); label != selectedPath_.rend(); ++label) {
        TreeItem* child = found ? found->FirstChild() : FirstRootItem();
        while (child && WithoutMarkers(child->Label()) != *label) child = child->NextSibling();
        if (!child) break;
        found = child;
    }
    selectedPath_.clear();
    Select(found ? found : FirstRootItem());
}

// The pool forgets the items at once; each gives back its list of children here.
void CVarnholtView::DiscardSubtree(TreeItem* item, bool current)
{
    for (uint32_t row = 0; row < item->count_; ++row) DiscardSubtree(item->children_[row], current);
    if (item->record_ && current) doc_.RemoveItemRecord(item->record_);
    TreeItemPool::Destroy(item);
}

// Records still held are given back, so that building twice for one document does
// not leave the first build's records in the document's list.
void CVarnholtView::ClearItems()
{
    bool current = RecordsCurrent();
    for (uint32_t row = 0; row < levelHolder_.count_; ++row) DiscardSubtree(levelHolder_.children_[row], current);
    levelHolder_.count_ = 0;
    levelHolder_.Fit();
    pool_.Clear();
    ownLabels_.clear();
    recordsHeld_ = 0;
    selected_ = nullptr;
}
