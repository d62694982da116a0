#include "document/change_channel.h"

#include <algorithm>
#include <unordered_set>

// One reversible edit. Nodes and attributes are linked and unlinked by hand: libxml2's
// own insertion calls merge adjacent text nodes and replace attributes of the same name,
// which would free nodes the steps still refer to.
struct ChangeChannel::Record {
    enum class Kind { AttributeValue, AttributeAdded, AttributeRemoved, NodeInserted, NodeRemoved, TextValue };
    Kind kind;
    xmlNode* node = nullptr;    // the node, or the element of an attribute
    xmlAttr* attribute = nullptr;
    xmlNode* parent = nullptr;  // where the node sits when it is in the tree
    xmlNode* next = nullptr;    // its next sibling there (attribute: next attribute)
    std::string before, after;  // attribute values, text node contents
};

struct ChangeChannel::Step {
    std::string name;
    size_t id = 0;
    std::vector<Record> records;
};

namespace {

void LinkNode(xmlNode* parent, xmlNode* before, xmlNode* node)
{
    if (node->doc != parent->doc) xmlSetTreeDoc(node, parent->doc);
    node->parent = parent;
    node->next = before;
    node->prev = before ? before->prev : parent->last;
    if (node->prev)
        node->prev->next = node;
    else
        parent->children = node;
    if (before)
        before->prev = node;
    else
        parent->last = node;
}

void UnlinkNode(xmlNode* node)
{
    if (node->prev)
        node->prev->next = node->next;
    else if (node->parent)
        node->parent->children = node->next;
    if (node->next)
        node->next->prev = node->prev;
    else if (node->parent)
        node->parent->last = node->prev;
    node->parent = node->next = node->prev = nullptr;
}

void UnlinkAttribute(xmlAttr* attribute);

// An attribute of the same name that came into the element outside the channel (a
// default that validation wrote after the step took this one out) gives way, so that
// no element ever holds an attribute twice; it is kept in `displaced`, since a later
// step may refer to it.
void LinkAttribute(xmlNode* element, xmlAttr* before, xmlAttr* attribute, std::vector<xmlAttr*>& displaced)
{
    xmlAttr* same = xmlHasNsProp(element, attribute->name, attribute->ns ? attribute->ns->href : nullptr);
    if (same && same != attribute) {
        if (before == same) before = same->next;
        UnlinkAttribute(same);
        displaced.push_back(same);
    }
    attribute->parent = element;
    attribute->next = before;
    xmlAttr* previous = nullptr;
    if (before) {
        previous = before->prev;
    } else {
        for (xmlAttr* last = element->properties; last; last = last->next) previous = last;
    }
    attribute->prev = previous;
    if (previous)
        previous->next = attribute;
    else
        element->properties = attribute;
    if (before) before->prev = attribute;
}

void UnlinkAttribute(xmlAttr* attribute)
{
    if (attribute->prev)
        attribute->prev->next = attribute->next;
    else if (attribute->parent)
        attribute->parent->properties = attribute->next;
    if (attribute->next) attribute->next->prev = attribute->prev;
    attribute->parent = nullptr;
    attribute->next = attribute->prev = nullptr;
}

std::string AttributeValue(const xmlAttr* attribute)
{
    xmlChar* value = xmlNodeGetContent(reinterpret_cast<const xmlNode*>(attribute));
    std::string text = value ? reinterpret_cast<const char*>(value) : "";
    xmlFree(value);
    return text;
}

// The value as one text node, taken as it stands (no entity references), as xmlSetProp
// writes it.
void SetAttributeValue(xmlAttr* attribute, const std::string& value)
{
    xmlFreeNodeList(attribute->children);
    xmlNode* text =
        xmlNewDocTextLen(attribute->doc, reinterpret_cast<const xmlChar*>(value.data()), static_cast<int>(value.size()));
    attribute->children = attribute->last = text;
    if (text) text->parent = reinterpret_cast<xmlNode*>(attribute);
}

xmlAttr* FindAttribute(xmlNode* element, const char* name, xmlNs* ns)
{
    return xmlHasNsProp(element, reinterpret_cast<const xmlChar*>(name), ns ? ns->href : nullptr);
}

void SetNodeContent(xmlNode* text, const std::string& value)
{
    xmlNodeSetContentLen(text, reinterpret_cast<const xmlChar*>(value.data()), static_cast<int>(value.size()));
}

const std::string kNoName;

}  // namespace

// Takes the record back (undo) or makes it again.
void ChangeChannel::Play(const Record& record, bool undo)
{
    const bool putBack = undo == (record.kind == Record::Kind::AttributeRemoved ||
                                  record.kind == Record::Kind::NodeRemoved);
    switch (record.kind) {
    case Record::Kind::AttributeValue: SetAttributeValue(record.attribute, undo ? record.before : record.after); break;
    case Record::Kind::TextValue: SetNodeContent(record.node, undo ? record.before : record.after); break;
    case Record::Kind::AttributeAdded:
    case Record::Kind::AttributeRemoved:
        if (putBack)
            LinkAttribute(record.node, reinterpret_cast<xmlAttr*>(record.next), record.attribute, displaced_);
        else
            UnlinkAttribute(record.attribute);
        break;
    case Record::Kind::NodeInserted:
    case Record::Kind::NodeRemoved:
        if (putBack)
            LinkNode(record.parent, record.next, record.node);
        else
            UnlinkNode(record.node);
        break;
    }
}

ChangeChannel::ChangeChannel() = default;

ChangeChannel::~ChangeChannel()
{
    Clear();
}

void ChangeChannel::BeginStep(std::string name)
{
    if (depth_ == 0 && stepBegins_ && !implicitStep_) stepBegins_();
    if (depth_++ == 0) {
        open_ = std::make_unique<Step>();
        open_->name = std::move(name);
    }
    marks_.push_back(open_->records.size());
}

void ChangeChannel::EndStep()
{
    if (depth_ == 0) return;
    if (depth_ == 1 && !open_->records.empty() && stepEnds_ && !implicitStep_ && !checkedByItself_) stepEnds_();
    if (depth_ == 1) checkedByItself_ = false;
    marks_.pop_back();
    if (--depth_ > 0) return;
    if (open_->records.empty()) {
        open_.reset();
        return;
    }
    DropUndone();  // while the new step is open_, so that the nodes it holds are kept
    open_->id = nextId_++;
    steps_.push_back(std::move(open_));
    done_ = steps_.size();
}

void ChangeChannel::AbandonStep()
{
    if (depth_ == 0) return;
    std::vector<Record>& records = open_->records;
    const size_t mark = marks_.back();
    std::vector<std::unique_ptr<Step>> taken;
    taken.push_back(std::make_unique<Step>());
    for (size_t i = records.size(); i > mark; --i) Play(records[i - 1], true);
    taken.back()->records.assign(records.begin() + static_cast<std::ptrdiff_t>(mark), records.end());
    records.resize(mark);
    FreeDetached(std::move(taken));
    EndStep();
}

void ChangeChannel::Add(Record record)
{
    if (depth_ > 0) {
        open_->records.push_back(std::move(record));
        return;
    }
    // An edit outside any command is a step of its own, without the observers.
    implicitStep_ = true;
    BeginStep("Edit");
    open_->records.push_back(std::move(record));
    EndStep();
    implicitStep_ = false;
}

void ChangeChannel::SetAttribute(xmlNode* element, const char* name, std::string_view value, xmlNs* ns)
{
    const std::string text(value);
    if (xmlAttr* attribute = FindAttribute(element, name, ns)) {
        std::string old = AttributeValue(attribute);
        if (old == text) return;
        SetAttributeValue(attribute, text);
        Add({Record::Kind::AttributeValue, element, attribute, nullptr, nullptr, std::move(old), text});
        return;
    }
    xmlAttr* attribute = xmlNewNsProp(element, ns, reinterpret_cast<const xmlChar*>(name),
                                      reinterpret_cast<const xmlChar*>(text.c_str()));
    if (!attribute) return;
    Add({Record::Kind::AttributeAdded, element, attribute, nullptr, nullptr, "", text});
}

void ChangeChannel::RemoveAttribute(xmlNode* element, const char* name, xmlNs* ns)
{
    xmlAttr* attribute = FindAttribute(element, name, ns);
    if (!attribute) return;
    xmlNode* next = reinterpret_cast<xmlNode*>(attribute->next);
    UnlinkAttribute(attribute);
    Add({Record::Kind::AttributeRemoved, element, attribute, nullptr, next, "", ""});
}

void ChangeChannel::Insert(xmlNode* parent, xmlNode* before, xmlNode* node)
{
    LinkNode(parent, before, node);
    Add({Record::Kind::NodeInserted, node, nullptr, parent, before, "", ""});
}

void ChangeChannel::Remove(xmlNode* node)
{
    xmlNode* parent = node->parent;
    xmlNode* next = node->next;
    UnlinkNode(node);
    Add({Record::Kind::NodeRemoved, node, nullptr, parent, next, "", ""});
}

void ChangeChannel::SetNodeText(xmlNode* textNode, std::string_view text)
{
    xmlChar* content = xmlNodeGetContent(textNode);
    std::string old = content ? reinterpret_cast<const char*>(content) : "";
    xmlFree(content);
    std::string now(text);
    if (old == now) return;
    SetNodeContent(textNode, now);
    Add({Record::Kind::TextValue, textNode, nullptr, nullptr, nullptr, std::move(old), std::move(now)});
}

// Adds what the records did when made (or, `undone`, when taken back).
void ChangeChannel::AddTouched(const std::vector<Record>& records, bool undone, Touched& touched)
{
    for (const Record& record : records) {
        switch (record.kind) {
        case Record::Kind::AttributeValue:
        case Record::Kind::AttributeAdded:
        case Record::Kind::AttributeRemoved: touched.attributesOf.push_back(record.node); break;
        case Record::Kind::NodeInserted:
        case Record::Kind::NodeRemoved:
            ((record.kind == Record::Kind::NodeInserted) != undone ? touched.inserted : touched.removed)
                .push_back(record.node);
            touched.childrenOf.push_back(record.parent);
            break;
        case Record::Kind::TextValue: touched.childrenOf.push_back(record.node->parent); break;
        }
    }
}

ChangeChannel::Touched ChangeChannel::OpenStepTouched() const
{
    Touched touched;
    if (open_) AddTouched(open_->records, false, touched);
    return touched;
}

const std::string& ChangeChannel::UndoName() const
{
    return CanUndo() ? steps_[done_ - 1]->name : kNoName;
}

const std::string& ChangeChannel::RedoName() const
{
    return CanRedo() ? steps_[done_]->name : kNoName;
}

bool ChangeChannel::Undo()
{
    if (!CanUndo() || depth_ > 0) return false;
    const std::vector<Record>& records = steps_[--done_]->records;
    for (auto record = records.rbegin(); record != records.rend(); ++record) Play(*record, true);
    AddTouched(records, true, played_);
    return true;
}

bool ChangeChannel::Redo()
{
    if (!CanRedo() || depth_ > 0) return false;
    const std::vector<Record>& records = steps_[done_++]->records;
    for (const Record& record : records) Play(record, false);
    AddTouched(records, false, played_);
    return true;
}

void ChangeChannel::Clear()
{
    if (depth_ > 0) {
        steps_.push_back(std::move(open_));
        depth_ = 0;
        marks_.clear();
    }
    done_ = 0;
    DropUndone();
    played_ = {};
    for (xmlAttr* attribute : displaced_) xmlFreeProp(attribute);
    displaced_.clear();
}

size_t ChangeChannel::Position() const
{
    return done_ == 0 ? 0 : steps_[done_ - 1]->id;
}

void ChangeChannel::DropUndone()
{
    // The nodes of what was played may be freed with the steps.
    if (!played_.attributesOf.empty() || !played_.childrenOf.empty()) {
        played_ = {};
        played_.unknown = true;
    }
    if (done_ == steps_.size()) return;
    std::vector<std::unique_ptr<Step>> dropped;
    for (size_t i = done_; i < steps_.size(); ++i) dropped.push_back(std::move(steps_[i]));
    steps_.resize(done_);
    FreeDetached(std::move(dropped));
}

// Frees the nodes and attributes of the dropped steps that are out of the tree and that
// no kept step refers to (a node one step took out and a later one put back in).
void ChangeChannel::FreeDetached(std::vector<std::unique_ptr<Step>> dropped)
{
    std::unordered_set<const void*> kept;
    const auto keep = [&kept](const Step& step) {
        for (const Record& record : step.records)
            kept.insert(record.attribute ? static_cast<const void*>(record.attribute) : record.node);
    };
    for (const auto& step : steps_) keep(*step);
    if (open_) keep(*open_);
    // Every node is judged before any is freed: a freed subtree takes its descendants.
    std::unordered_set<xmlAttr*> attributes;
    std::unordered_set<xmlNode*> nodes;
    for (const auto& step : dropped) {
        for (const Record& record : step->records) {
            if (record.attribute) {
                const bool displaced =
                    std::find(displaced_.begin(), displaced_.end(), record.attribute) != displaced_.end();
                if (!record.attribute->parent && !kept.count(record.attribute) && !displaced)
                    attributes.insert(record.attribute);
            } else if (!record.node->parent && !kept.count(record.node)) {
                nodes.insert(record.node);
            }
        }
    }
    for (xmlAttr* attribute : attributes) xmlFreeProp(attribute);
    for (xmlNode* node : nodes) xmlFreeNode(node);
}
