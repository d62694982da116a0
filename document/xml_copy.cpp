#include "document/xml_copy.h"

#include "document/change_channel.h"
#include "document/tree_edit.h"
#include "document/xml_access.h"

namespace {

// The option of xmlDOMWrapReconcileNamespaces that drops declarations an ancestor
// already makes; libxml2 does not publish its name.
constexpr int kRemoveRedundantDeclarations = 1;

// libxml2 copies neither node's _private: the attributes of `copy` take those of
// `source`'s, so that what the program noted on an attribute travels with it.
void CopyAttributeData(const xmlNode* source, xmlNode* copy)
{
    if (source->type != XML_ELEMENT_NODE || copy->type != XML_ELEMENT_NODE) return;
    xmlAttr* to = copy->properties;
    for (const xmlAttr* from = source->properties; from && to; from = from->next, to = to->next)
        to->_private = from->_private;
    const xmlNode* fromChild = source->children;
    for (xmlNode* toChild = copy->children; fromChild && toChild; fromChild = fromChild->next, toChild = toChild->next)
        CopyAttributeData(fromChild, toChild);
}

}  // namespace

xmlNode* PlaceCopy(const xmlNode* source, xmlNode* where, CopyPlace place, bool deep)
{
    if (!source || !where) return nullptr;
    xmlNode* parent = place == CopyPlace::LastChildOf ? where : where->parent;
    if (!parent) return nullptr;
    xmlNode* copy = xmlDocCopyNode(const_cast<xmlNode*>(source), where->doc, deep ? 1 : 2);
    if (!copy) return nullptr;
    CopyAttributeData(source, copy);
    xmlNode* before = place == CopyPlace::After ? where->next : place == CopyPlace::Before ? where : nullptr;
    if (ChangeChannel* changes = ChannelOf(parent)) {
        changes->Insert(parent, before, copy);
    } else if (!(before ? xmlAddPrevSibling(before, copy) : xmlAddChild(parent, copy))) {
        xmlFreeNode(copy);
        return nullptr;
    }
    xmlDOMWrapReconcileNamespaces(nullptr, copy, kRemoveRedundantDeclarations);
    return copy;
}

xmlNode* InsertAfterLeading(xmlNode* parent, xmlNode* element, std::initializer_list<std::string_view> leading)
{
    if (!parent || !element) return nullptr;
    xmlNode* anchor = nullptr;
    for (xmlNode* child : ElementChildren(parent)) {
        bool isLeading = false;
        for (std::string_view name : leading) isLeading = isLeading || IsElementNamed(child, name);
        if (!isLeading) break;
        anchor = child;
    }
    EditInsert(parent, anchor ? anchor->next : parent->children, element);
    return element;
}
