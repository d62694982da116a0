// Building items from the XML tree: the shown elements, the logical nodes expanded
// through their type templates, and the instance values merged into that expansion.
#include "core/varnholt_doc.h"
#include "core/xml_access.h"
#include "tree/item_labels.h"
#include "tree/varnholt_view.h"

#include <algorithm>
#include <cstring>

namespace {

// Parsed documents are at most 256 deep; this guards trees made by other means.
constexpr int kMaxElementDepth = 512;
// Real templates nest a few levels (DO, SDO, DA, BDA); a hostile file may chain
// distinct types far deeper.
constexpr size_t kMaxTypeDepth = 32;

uint8_t OwnMarker(int32_t kind)
{
    switch (kind) {
    case kKindDataSet: return kMarkerDatasets;
    case kKindReportControl: return kMarkerReports;
    case kKindGSEControl: return kMarkerGoose;
    case kKindExtRef: return kMarkerInputs;
    default: return 0;
    }
}

bool KeepsMarkers(int32_t kind)
{
    return kind == kKindConnectedAP || kind == kKindIED || kind == kKindLDevice || kind == kKindLN;
}

// How many elements enclose `node`, itself included.
int ElementDepth(const xmlNode* node)
{
    int depth = node ? 1 : 0;
    for (node = node ? node->parent : nullptr; node && node->type == XML_ELEMENT_NODE; node = node->parent)
        ++depth;
    return depth;
}

int32_t ExpectedKindOfInstance(const xmlNode* instance)
{
    std::string_view name = ElementName(instance);
    if (name == "DOI") return kKindDO;
    if (name == "SDI") return kKindSDO;
    if (name == "DAI") return kKindDA;
    return kKindOther;
}

}  // namespace

struct CVarnholtView::TypePath {
    std::vector<const xmlNode*> types;
    bool Holds(const xmlNode* type) const { return std::find(types.begin(), types.end(), type) != types.end(); }
};

std::unique_ptr<TreeItem> CVarnholtView::NewItem(xmlNode* node, int32_t kind, std::string label)
{
    TreeItemRecord* record = doc_.CreateItemRecord(node, kind);
    ++recordsHeld_;
    return std::make_unique<TreeItem>(std::move(label), kind, record);
}

TreeItem* CVarnholtView::Attach(TreeItem& parent, size_t row, std::unique_ptr<TreeItem> item, bool notify)
{
    if (!notify) return parent.Insert(row, std::move(item));
    row = std::min(row, parent.children_.size());
    TreeItem* shownParent = Visible(&parent);
    Notify([&](TreeObserver& o) { o.OnBeginInsert(shownParent, static_cast<int>(row)); });
    TreeItem* inserted = parent.Insert(row, std::move(item));
    Notify([&](TreeObserver& o) { o.OnEndInsert(inserted); });
    return inserted;
}

std::unique_ptr<TreeItem> CVarnholtView::BuildElementItem(xmlNode* element, uint8_t& flags, int depth)
{
    ItemLabel label = MakeItemLabel(element);
    std::unique_ptr<TreeItem> item = NewItem(element, label.kind, std::move(label.text));
    uint8_t found = 0;
    switch (label.kind) {
    case kKindAddress:  // the P elements of an address are never shown
        break;
    case kKindGSEAddress:
        found = kMarkerGoose;
        break;
    case kKindLN:
        found = BuildLogicalNodeChildren(element, *item, false, depth);
        break;
    default:
        found = BuildSiblings(element->children, *item, false, depth);
        break;
    }
    found |= OwnMarker(label.kind);
    if (KeepsMarkers(label.kind)) {
        item->record_->markers = found;
        item->label_ += MarkerSuffix(label.kind, found);
    }
    flags = found;
    return item;
}

// A child of a logical node: a report control block shows no children, and no
// element below a logical node keeps markers of its own.
std::unique_ptr<TreeItem> CVarnholtView::BuildLogicalNodeChild(xmlNode* element, uint8_t& flags, int depth)
{
    ItemLabel label = MakeItemLabel(element);
    std::unique_ptr<TreeItem> item = NewItem(element, label.kind, std::move(label.text));
    if (label.kind == kKindReportControl)
        flags = kMarkerReports;
    else
        flags = BuildSiblings(element->children, *item, false, depth) | OwnMarker(label.kind);
    return item;
}

// Only element children are shown: the content of an entity reference is not part of
// the element tree that every other reader walks, and expanding nested references
// would multiply the items.
uint8_t CVarnholtView::BuildSiblings(xmlNode* first, TreeItem& parent, bool notify, int depth)
{
    uint8_t flags = 0;
    for (xmlNode* node = first; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || doc_.IsHiddenElement(ElementName(node))) continue;
        if (depth > kMaxElementDepth) {
            expansionComplete_ = false;
            break;
        }
        uint8_t found = 0;
        std::unique_ptr<TreeItem> item = BuildElementItem(node, found, depth + 1);
        Attach(parent, std::move(item), notify);
        flags |= found;
    }
    return flags;
}

uint8_t CVarnholtView::BuildLogicalNodeChildren(xmlNode* ln, TreeItem& item, bool notify, int depth)
{
    if (xmlNode* type = doc_.FindLNodeType(GetAttribute(ln, "lnType"))) {
        typeItemBudget_ = limits_.typeItemsPerLogicalNode;
        TypePath path{{type}};
        AddTypes(type->children, item, notify, path);
    }
    uint8_t flags = 0;
    for (xmlNode* child : ElementChildren(ln)) {
        if (doc_.IsHiddenElement(ElementName(child))) continue;
        if (depth > kMaxElementDepth) {
            expansionComplete_ = false;
            break;
        }
        if (IsElementNamed(child, "DOI")) {
            MergeValues(child, item, notify, depth + 1);
            continue;
        }
        uint8_t found = 0;
        std::unique_ptr<TreeItem> childItem = BuildLogicalNodeChild(child, found, depth + 1);
        Attach(item, std::move(childItem), notify);
        flags |= found;
    }
    return flags;
}

// A type already being expanded further up is not expanded again: its item simply
// has no children, which ends a cycle of types referring to themselves.
void CVarnholtView::AddTypes(xmlNode* first, TreeItem& parent, bool notify, TypePath& path)
{
    for (xmlNode* node = first; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || doc_.IsHiddenElement(ElementName(node))) continue;
        if (typeItemBudget_ == 0 || recordsHeld_ >= limits_.itemsInTree) {
            expansionComplete_ = false;
            return;
        }
        --typeItemBudget_;
        ItemLabel label = MakeItemLabel(node);
        std::unique_ptr<TreeItem> item = NewItem(node, label.kind, std::move(label.text));
        xmlNode* type = nullptr;
        if (label.kind == kKindDO || label.kind == kKindSDO)
            type = doc_.FindDOType(GetAttribute(node, "type"));
        else if (label.kind == kKindDA || label.kind == kKindBDA)
            type = doc_.FindDAType(GetAttribute(node, "type"));
        if (type && !path.Holds(type)) {
            if (path.types.size() >= kMaxTypeDepth) {
                expansionComplete_ = false;
            } else {
                path.types.push_back(type);
                AddTypes(type->children, *item, false, path);
                path.types.pop_back();
            }
        }
        Attach(parent, std::move(item), notify);
    }
}

void CVarnholtView::MergeValues(xmlNode* instance, TreeItem& parent, bool notify, int depth)
{
    if (depth > kMaxElementDepth) {
        expansionComplete_ = false;
        return;
    }
    if (IsElementNamed(instance, "Val")) {
        Attach(parent, NewItem(instance, kKindVal, "Value: " + GetElementText(instance)), notify);
        return;
    }
    int32_t expected = ExpectedKindOfInstance(instance);
    const char* name = GetAttribute(instance, "name");
    for (auto& child : parent.children_) {
        const TreeItemRecord* record = child->record_;
        if (!record || record->kind != expected) continue;
        if (std::strcmp(GetAttribute(record->node, "name"), name) != 0) continue;
        for (xmlNode* value : ElementChildren(instance))
            if (!doc_.IsHiddenElement(ElementName(value))) MergeValues(value, *child, notify, depth + 1);
        return;
    }
}

uint8_t CVarnholtView::BuildChildItems(xmlNode* first, TreeItem* parent)
{
    return BuildSiblings(first, Holder(parent), IsInView(parent), ElementDepth(first));
}

uint8_t CVarnholtView::BuildLogicalNodeItems(xmlNode* ln, TreeItem* item)
{
    if (!ln || !item) return 0;
    return BuildLogicalNodeChildren(ln, *item, IsInView(item), ElementDepth(ln));
}

void CVarnholtView::AddTypeItems(xmlNode* first, TreeItem* parent)
{
    if (!first || !parent) return;
    typeItemBudget_ = limits_.typeItemsPerLogicalNode;
    TypePath path;
    if (IsElement(first->parent)) path.types.push_back(first->parent);
    AddTypes(first, *parent, IsInView(parent), path);
}

void CVarnholtView::MergeInstanceValues(xmlNode* instance, TreeItem* parent)
{
    if (!IsElement(instance) || !parent) return;
    MergeValues(instance, *parent, IsInView(parent), ElementDepth(instance));
}
