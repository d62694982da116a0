// Keeping the items in step with an edit of the XML tree without a rebuild. Every new
// subtree is built detached and attached in one step.
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/build_scope.h"
#include "project_tree/item_labels.h"

#include <cstring>
#include <unordered_set>

namespace {

TreeItem* FirstRootOfKind(const CVarnholtView& view, int32_t kind)
{
    for (TreeItem* item = view.FirstRootItem(); item; item = item->NextSibling())
        if (item->Image() == kind) return item;
    return nullptr;
}

}  // namespace

// An IED item shows " [I]" and " [G]" also when the element is a time server.
TreeItem* CVarnholtView::BuildIEDItem(xmlNode* ied)
{
    uint8_t flags = 0;
    TreeItem* item = BuildElementItem(ied, flags, ElementDepth(ied));
    item->record_->markers = flags;
    item->flags_ |= TreeItem::kIEDMarkers;
    return item;
}

TreeItem* CVarnholtView::InsertIEDItem(xmlNode* ied, int position)
{
    if (!IsElement(ied)) return nullptr;
    BuildScope scope(*this, ied);
    TreeItem* candidate = nullptr;
    int ieds = 0;
    for (TreeItem* item = FirstRootItem(); item; item = item->NextSibling()) {
        if (item->Image() == kKindIED) ++ieds;
        else if (item->Image() != kKindCommunication) continue;
        candidate = item;
        if (ieds == position) break;
    }
    // Without IEDs and Communication only substations are shown: the IED follows them.
    size_t row = candidate ? static_cast<size_t>(candidate->Row()) + 1 : levelHolder_.count_;
    TreeItem* inserted = Attach(levelHolder_, row, BuildIEDItem(ied), true);
    Select(inserted);
    return inserted;
}

TreeItem* CVarnholtView::InsertConnectedAPItem(xmlNode* connectedAP, const std::string& subNetwork, int position)
{
    if (!IsElement(connectedAP)) return nullptr;
    BuildScope scope(*this, connectedAP);
    TreeItem* parent = nullptr;
    if (TreeItem* communication = FirstRootOfKind(*this, kKindCommunication)) {
        for (TreeItem* item = communication->FirstChild(); item && !parent; item = item->NextSibling()) {
            const TreeItemRecord* record = Record(item);
            if (item->Image() == kKindSubNetwork && record && subNetwork == GetAttribute(record->node, "name"))
                parent = item;
        }
    }
    TreeItem& holder = Holder(parent);
    size_t row = holder.count_;
    if (parent && position != 0) {
        int seen = 0;
        for (TreeItem* item = parent->FirstChild(); item; item = item->NextSibling()) {
            if (item->Image() != kKindConnectedAP) continue;
            row = static_cast<size_t>(item->Row()) + 1;
            if (++seen == position) break;
        }
    }
    uint8_t flags = 0;
    return Attach(holder, row, BuildElementItem(connectedAP, flags, ElementDepth(connectedAP)), true);
}

TreeItem* CVarnholtView::InsertSubNetworkItem(xmlNode* subNetwork)
{
    if (!IsElement(subNetwork)) return nullptr;
    BuildScope scope(*this, subNetwork);
    TreeItem* communication = FirstRootOfKind(*this, kKindCommunication);
    TreeItem& holder = Holder(communication);
    size_t row = holder.count_;
    if (communication) {
        for (TreeItem* item = communication->FirstChild(); item; item = item->NextSibling())
            if (item->Image() == kKindSubNetwork) row = static_cast<size_t>(item->Row()) + 1;
    }
    uint8_t flags = 0;
    return Attach(holder, row, BuildElementItem(subNetwork, flags, ElementDepth(subNetwork)), true);
}

TreeItem* CVarnholtView::InsertElementItem(TreeItem* parent, xmlNode* element)
{
    if (!IsElement(element)) return nullptr;
    std::unordered_set<const xmlNode*> earlier;
    for (const xmlNode* sibling = element->prev; sibling; sibling = sibling->prev) earlier.insert(sibling);
    TreeItem& holder = Holder(parent);
    size_t row = 0;
    bool siblingSeen = false;
    for (uint32_t i = 0; i < holder.count_; ++i) {
        const TreeItemRecord* record = Record(holder.children_[i]);
        const xmlNode* shown = record ? record->node : nullptr;
        bool isSibling = shown && shown->parent == element->parent;
        if (isSibling ? earlier.count(shown) != 0 : !siblingSeen) row = i + 1;
        siblingSeen = siblingSeen || isSibling;
    }
    BuildScope scope(*this, element);
    TreeItemRecord* parentRecord = Record(parent);
    uint8_t flags = 0;
    TreeItem* item = nullptr;
    if (parentRecord && parentRecord->kind == kKindLN) {
        item = BuildLogicalNodeChild(element, flags, ElementDepth(element));
    } else if (IsElementNamed(element, "IED")) {
        item = BuildIEDItem(element);
    } else {
        item = BuildElementItem(element, flags, ElementDepth(element));
    }
    TreeItem* inserted = Attach(holder, row, item, true);
    if (parentRecord && parentRecord->kind == kKindLN && (parentRecord->markers | flags) != parentRecord->markers) {
        parentRecord->markers |= flags;
        SetLabel(parent, MakeMarkedItemLabel(*parentRecord));
    }
    return inserted;
}

TreeItem* CVarnholtView::ReplaceIEDItem(xmlNode* newIed, const xmlNode* oldIed)
{
    if (!IsElement(newIed)) return nullptr;
    TreeItem* old = nullptr;
    for (TreeItem* item = FirstRootItem(); item && !old; item = item->NextSibling()) {
        const TreeItemRecord* record = Record(item);
        if (item->Image() == kKindIED && record && record->node == oldIed) old = item;
    }
    if (!old) return nullptr;
    BuildScope scope(*this, newIed);
    TreeItem* inserted = Attach(levelHolder_, static_cast<size_t>(old->Row()) + 1, BuildIEDItem(newIed), true);
    Select(inserted);
    ReleaseItemRecords(old);
    DeleteItem(old);
    return inserted;
}

TreeItem* CVarnholtView::ReplaceConnectedAPItem(const std::string& subNetwork, xmlNode* newAP, const xmlNode* oldAP)
{
    if (!IsElement(newAP)) return nullptr;
    TreeItem* communication = FirstRootOfKind(*this, kKindCommunication);
    TreeItem* network = nullptr;
    for (TreeItem* item = communication ? communication->FirstChild() : nullptr; item && !network;
         item = item->NextSibling()) {
        const TreeItemRecord* record = Record(item);
        if (item->Image() == kKindSubNetwork && record && subNetwork == GetAttribute(record->node, "name"))
            network = item;
    }
    TreeItem* old = nullptr;
    for (TreeItem* item = network ? network->FirstChild() : nullptr; item && !old; item = item->NextSibling()) {
        const TreeItemRecord* record = Record(item);
        if (item->Image() == kKindConnectedAP && record && record->node == oldAP) old = item;
    }
    if (!old) return nullptr;
    BuildScope scope(*this, newAP);
    uint8_t flags = 0;
    TreeItem* inserted = Attach(*network, static_cast<size_t>(old->Row()) + 1,
                                BuildElementItem(newAP, flags, ElementDepth(newAP)), true);
    ReleaseItemRecords(old);
    DeleteItem(old);
    return inserted;
}

void CVarnholtView::ReleaseItemRecords(TreeItem* item)
{
    if (item) ReleaseSubtree(*item, RecordsCurrent());
}

// When the document has discarded the records already, only the pointers are dropped.
void CVarnholtView::ReleaseSubtree(TreeItem& item, bool current)
{
    for (uint32_t row = 0; row < item.count_; ++row) ReleaseSubtree(*item.children_[row], current);
    if (!item.record_) return;
    if (current) doc_.RemoveItemRecord(item.record_);  // the returned record dies here
    item.record_ = nullptr;
    if (recordsHeld_ > 0) --recordsHeld_;
}

void CVarnholtView::DestroySubtree(TreeItem* item)
{
    for (uint32_t row = 0; row < item->count_; ++row) DestroySubtree(item->children_[row]);
    if (item->flags_ & TreeItem::kOwnLabel) ownLabels_.erase(item);
    pool_.Delete(item);
}

namespace {

size_t CountRecords(const TreeItem& item)
{
    size_t count = item.Record() ? 1 : 0;
    for (TreeItem* child = item.FirstChild(); child; child = child->NextSibling()) count += CountRecords(*child);
    return count;
}

}  // namespace

void CVarnholtView::DeleteItem(TreeItem* item)
{
    if (!item || !item->parent_ || !IsInView(item)) return;
    if (selected_ && item->Contains(selected_)) Select(nullptr);
    TreeItem* parent = item->parent_;
    TreeItem* shownParent = Visible(parent);
    int row = item->Row();
    // Records the caller did not release stay in the document's list until it is reset.
    size_t held = CountRecords(*item);
    recordsHeld_ = held < recordsHeld_ ? recordsHeld_ - held : 0;
    Notify([&](TreeObserver& o) { o.OnBeginRemove(shownParent, row); });
    DestroySubtree(parent->Take(static_cast<size_t>(row)));
    Notify([&](TreeObserver& o) { o.OnEndRemove(shownParent, row); });
}
