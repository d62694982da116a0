// Building items from the XML tree: the shown elements, the logical nodes expanded
// through their type templates, and the instance values merged into that expansion.
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "project_tree/build_scope.h"
#include "project_tree/item_labels.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// Parsed documents are at most 256 deep; this guards trees made by other means. Elements
// deeper (the document element is 1) get no item. The build passes the depth of the element
// it builds, and to the builders of children the depth of their parent.
constexpr int kMaxElementDepth = 512;
// Real templates nest a few levels (DO, SDO, DA, BDA); a hostile file may chain
// distinct types far deeper.
constexpr size_t kMaxTypeDepth = 32;
// Up to this many children a search is quicker than an index.
constexpr int kSearchLimit = 8;

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

int32_t ExpectedKindOfInstance(const xmlNode* instance)
{
    std::string_view name = ElementName(instance);
    if (name == "DOI") return kKindDO;
    if (name == "SDI") return kKindSDO;
    if (name == "DAI") return kKindDA;
    return kKindOther;
}

size_t CountElementSiblings(const xmlNode* first)
{
    size_t count = 0;
    for (; first; first = first->next) count += first->type == XML_ELEMENT_NODE;
    return count;
}

}  // namespace

// Only elements are descended into: the children of an entity reference belong to
// the entity, not to the element tree.
size_t CountElements(const xmlNode* node, bool following)
{
    size_t count = 0;
    const xmlNode* const top = node ? node->parent : nullptr;
    for (const xmlNode* at = node; at;) {
        if (at->type == XML_ELEMENT_NODE) {
            ++count;
            if (at->children) {
                at = at->children;
                continue;
            }
        }
        while (at->parent != top && !at->next) at = at->parent;
        if (at->parent == top && !following) break;
        at = at->next;
    }
    return count;
}

struct CVarnholtView::TypePath {
    std::vector<const xmlNode*> types;
    bool Holds(const xmlNode* type) const { return std::find(types.begin(), types.end(), type) != types.end(); }
};

const std::vector<TypeMember>& CVarnholtView::TypeMembers::Of(xmlNode* first)
{
    auto [found, added] = lists_.try_emplace(first);
    std::vector<TypeMember>& members = found->second;
    if (!added) return members;
    for (xmlNode* node = first; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || doc_.IsHiddenElement(ElementName(node))) continue;
        int32_t kind = ClassifyElement(node);
        xmlNode* type = nullptr;
        if (kind == kKindDO || kind == kKindSDO)
            type = doc_.FindDOType(GetAttribute(node, "type"));
        else if (kind == kKindDA || kind == kKindBDA)
            type = doc_.FindDAType(GetAttribute(node, "type"));
        members.push_back({node, kind, type});
    }
    return members;
}

namespace {

size_t SaturatingAdd(size_t a, size_t b)
{
    return a > std::numeric_limits<size_t>::max() - b ? std::numeric_limits<size_t>::max() : a + b;
}

}  // namespace

// Counting the elements costs a walk of them, so it waits until the floor is reached.
CVarnholtView::BuildScope::BuildScope(CVarnholtView& view, const xmlNode* node, bool following)
    : view_(view), members_(view.doc_), node_(node), following_(following), start_(view.recordsHeld_),
      outerScope_(view.buildScope_), outerLimit_(view.recordLimit_)
{
    view.recordLimit_ = SaturatingAdd(start_, view.limits_.minimumItems);
    view.buildScope_ = this;
}

CVarnholtView::BuildScope::~BuildScope()
{
    view_.buildScope_ = outerScope_;
    view_.recordLimit_ = outerLimit_;
}

bool CVarnholtView::BuildScope::RaiseLimit()
{
    if (!raised_) {
        raised_ = true;
        size_t elements = CountElements(node_, following_);
        size_t perElement = view_.limits_.itemsPerElement;
        size_t allowed = perElement && elements > std::numeric_limits<size_t>::max() / perElement
                             ? std::numeric_limits<size_t>::max()
                             : elements * perElement;
        view_.recordLimit_ = std::max(view_.recordLimit_, SaturatingAdd(start_, allowed));
    }
    return view_.recordsHeld_ < view_.recordLimit_;
}

TreeItem* CVarnholtView::ChildNames::Find(const TreeItem& parent, int32_t kind, const char* name, size_t& steps)
{
    auto matches = [kind](const TreeItem* child) {
        const TreeItemRecord* record = child->Record();
        return record && record->kind == kind;
    };
    if (parent.ChildCount() <= kSearchLimit) {
        for (TreeItem* child = parent.FirstChild(); child; child = child->NextSibling()) {
            ++steps;
            if (matches(child) && std::strcmp(GetAttribute(child->Record()->node, "name"), name) == 0) return child;
        }
        return nullptr;
    }
    Index& index = indexes_[Key{&parent, kind}];
    for (; index.indexed < parent.ChildCount(); ++index.indexed) {
        ++steps;
        TreeItem* child = parent.Child(index.indexed);
        if (matches(child)) index.first.try_emplace(GetAttribute(child->Record()->node, "name"), child);
    }
    ++steps;
    auto found = index.first.find(name);
    return found == index.first.end() ? nullptr : found->second;
}

TreeItem* CVarnholtView::NewItem(xmlNode* node, int32_t kind)
{
    TreeItemRecord* record = doc_.CreateItemRecord(node, kind);
    ++recordsHeld_;
    return pool_.New(record, kind);
}

void CVarnholtView::MarkCut(TreeItem& item, ExpansionCut cut)
{
    static_assert(static_cast<int>(ExpansionCut::ElementDepth) <= TreeItem::kCutMask >> TreeItem::kCutShift);
    expansionComplete_ = false;
    if (!(item.flags_ & TreeItem::kCutMask))
        item.flags_ |= static_cast<uint8_t>(static_cast<uint8_t>(cut) << TreeItem::kCutShift);
}

ExpansionCut CVarnholtView::CutBelow(const TreeItem* item) const
{
    return item ? static_cast<ExpansionCut>((item->flags_ & TreeItem::kCutMask) >> TreeItem::kCutShift)
                : ExpansionCut::None;
}

std::string CVarnholtView::CutReason(ExpansionCut cut) const
{
    switch (cut) {
    case ExpansionCut::LogicalNodeLimit:
        return "the data of a logical node is limited to " + std::to_string(limits_.typeItemsPerLogicalNode) +
               " items";
    case ExpansionCut::TreeLimit:
        return "the data type templates expand to more items than the project tree holds for a file of this size";
    case ExpansionCut::TypeDepth:
        return "the data type templates nest more than " + std::to_string(kMaxTypeDepth) + " levels deep";
    case ExpansionCut::ElementDepth:
        return "the elements nest more than " + std::to_string(kMaxElementDepth) + " levels deep";
    case ExpansionCut::None: break;
    }
    return {};
}

TreeItem* CVarnholtView::Attach(TreeItem& parent, size_t row, TreeItem* item, bool notify)
{
    if (!notify) return parent.Insert(row, item);
    row = std::min<size_t>(row, parent.count_);
    TreeItem* shownParent = Visible(&parent);
    Notify([&](TreeObserver& o) { o.OnBeginInsert(shownParent, static_cast<int>(row)); });
    TreeItem* inserted = parent.Insert(row, item);
    Notify([&](TreeObserver& o) { o.OnEndInsert(inserted); });
    return inserted;
}

TreeItem* CVarnholtView::BuildElementItem(xmlNode* element, uint8_t& flags, int depth)
{
    int32_t kind = ClassifyElement(element);
    TreeItem* item = NewItem(element, kind);
    uint8_t found = 0;
    switch (kind) {
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
    found |= OwnMarker(kind);
    if (KeepsMarkers(kind)) item->record_->markers = found;
    flags = found;
    return item;
}

// A child of a logical node: a report control block shows no children, and no
// element below a logical node keeps markers of its own.
TreeItem* CVarnholtView::BuildLogicalNodeChild(xmlNode* element, uint8_t& flags, int depth)
{
    int32_t kind = ClassifyElement(element);
    TreeItem* item = NewItem(element, kind);
    if (kind == kKindReportControl)
        flags = kMarkerReports;
    else
        flags = BuildSiblings(element->children, *item, false, depth) | OwnMarker(kind);
    return item;
}

// Only element children are shown: the content of an entity reference is not part of
// the element tree that every other reader walks, and expanding nested references
// would multiply the items.
uint8_t CVarnholtView::BuildSiblings(xmlNode* first, TreeItem& parent, bool notify, int depth)
{
    if (!notify) parent.Reserve(parent.count_ + CountElementSiblings(first));
    uint8_t flags = 0;
    for (xmlNode* node = first; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE || doc_.IsHiddenElement(ElementName(node))) continue;
        if (depth >= kMaxElementDepth) {
            MarkCut(parent, ExpansionCut::ElementDepth);
            break;
        }
        uint8_t found = 0;
        TreeItem* item = BuildElementItem(node, found, depth + 1);
        Attach(parent, item, notify);
        flags |= found;
    }
    if (!notify) parent.Fit();
    return flags;
}

uint8_t CVarnholtView::BuildLogicalNodeChildren(xmlNode* ln, TreeItem& item, bool notify, int depth)
{
    xmlNode* type = doc_.FindLNodeType(GetAttribute(ln, "lnType"));
    if (!notify) {
        size_t typeItems = type ? buildScope_->Members().Of(type->children).size() : 0;
        item.Reserve(item.count_ + typeItems + CountElementSiblings(ln->children));
    }
    if (type) {
        typeItemBudget_ = limits_.typeItemsPerLogicalNode;
        TypePath path{{type}};
        AddTypes(type->children, item, notify, path);
    }
    ChildNames names;
    uint8_t flags = 0;
    for (xmlNode* child : ElementChildren(ln)) {
        if (doc_.IsHiddenElement(ElementName(child))) continue;
        if (depth >= kMaxElementDepth) {
            MarkCut(item, ExpansionCut::ElementDepth);
            break;
        }
        if (IsElementNamed(child, "DOI")) {
            MergeValues(child, item, notify, depth + 1, names);
            continue;
        }
        uint8_t found = 0;
        TreeItem* childItem = BuildLogicalNodeChild(child, found, depth + 1);
        Attach(item, childItem, notify);
        flags |= found;
    }
    if (!notify) item.Fit();
    return flags;
}

// A type already being expanded further up is not expanded again: its item simply
// has no children, which ends a cycle of types referring to themselves.
void CVarnholtView::AddTypes(xmlNode* first, TreeItem& parent, bool notify, TypePath& path)
{
    const std::vector<TypeMember>& members = buildScope_->Members().Of(first);
    if (!notify) parent.Reserve(parent.count_ + members.size());
    for (const TypeMember& member : members) {
        if (typeItemBudget_ == 0 || (recordsHeld_ >= recordLimit_ && !buildScope_->RaiseLimit())) {
            MarkCut(parent, typeItemBudget_ == 0 ? ExpansionCut::LogicalNodeLimit : ExpansionCut::TreeLimit);
            if (!notify) parent.Fit();
            return;
        }
        --typeItemBudget_;
        TreeItem* item = NewItem(member.node, member.kind);
        if (member.type && !path.Holds(member.type)) {
            if (path.types.size() >= kMaxTypeDepth) {
                MarkCut(*item, ExpansionCut::TypeDepth);
            } else {
                path.types.push_back(member.type);
                AddTypes(member.type->children, *item, false, path);
                path.types.pop_back();
            }
        }
        Attach(parent, item, notify);
    }
}

void CVarnholtView::MergeValues(xmlNode* instance, TreeItem& parent, bool notify, int depth, ChildNames& names)
{
    if (depth > kMaxElementDepth) {
        MarkCut(parent, ExpansionCut::ElementDepth);
        return;
    }
    if (IsElementNamed(instance, "Val")) {
        Attach(parent, NewItem(instance, kKindVal), notify);
        return;
    }
    TreeItem* match = names.Find(parent, ExpectedKindOfInstance(instance), GetAttribute(instance, "name"), matchSteps_);
    if (!match) return;
    for (xmlNode* value : ElementChildren(instance))
        if (!doc_.IsHiddenElement(ElementName(value))) MergeValues(value, *match, notify, depth + 1, names);
}

int ElementDepth(const xmlNode* node)
{
    int depth = node ? 1 : 0;
    for (node = node ? node->parent : nullptr; node && node->type == XML_ELEMENT_NODE; node = node->parent)
        ++depth;
    return depth;
}

uint8_t CVarnholtView::BuildChildItems(xmlNode* first, TreeItem* parent)
{
    BuildScope scope(*this, first, true);
    return BuildSiblings(first, Holder(parent), IsInView(parent), ElementDepth(first) - 1);
}

uint8_t CVarnholtView::BuildLogicalNodeItems(xmlNode* ln, TreeItem* item)
{
    if (!ln || !item) return 0;
    BuildScope scope(*this, ln);
    return BuildLogicalNodeChildren(ln, *item, IsInView(item), ElementDepth(ln));
}

void CVarnholtView::AddTypeItems(xmlNode* first, TreeItem* parent)
{
    if (!first || !parent) return;
    BuildScope scope(*this, first, true);
    typeItemBudget_ = limits_.typeItemsPerLogicalNode;
    TypePath path;
    if (IsElement(first->parent)) path.types.push_back(first->parent);
    AddTypes(first, *parent, IsInView(parent), path);
}

void CVarnholtView::MergeInstanceValues(xmlNode* instance, TreeItem* parent)
{
    if (!IsElement(instance) || !parent) return;
    ChildNames names;
    MergeValues(instance, *parent, IsInView(parent), ElementDepth(instance), names);
}
