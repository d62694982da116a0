#include "document/tree_edit.h"

#include "document/change_channel.h"

#include <string>

ChangeChannel* ChannelOf(const xmlNode* node)
{
    return node && node->doc ? static_cast<ChangeChannel*>(node->doc->_private) : nullptr;
}

void RegisterChannel(xmlDoc* tree, ChangeChannel* channel)
{
    if (tree) tree->_private = channel;
}

void EditSetAttribute(xmlNode* element, const char* name, std::string_view value)
{
    if (ChangeChannel* changes = ChannelOf(element)) return changes->SetAttribute(element, name, value);
    const std::string text(value);
    xmlSetProp(element, reinterpret_cast<const xmlChar*>(name), reinterpret_cast<const xmlChar*>(text.c_str()));
}

void EditRemoveAttribute(xmlNode* element, const char* name)
{
    if (ChangeChannel* changes = ChannelOf(element)) return changes->RemoveAttribute(element, name);
    xmlUnsetProp(element, reinterpret_cast<const xmlChar*>(name));
}

void EditInsert(xmlNode* parent, xmlNode* before, xmlNode* node)
{
    if (ChangeChannel* changes = ChannelOf(parent)) return changes->Insert(parent, before, node);
    if (before)
        xmlAddPrevSibling(before, node);
    else
        xmlAddChild(parent, node);
}

void EditRemove(xmlNode* node)
{
    if (ChangeChannel* changes = ChannelOf(node)) return changes->Remove(node);
    xmlUnlinkNode(node);
    xmlFreeNode(node);
}

xmlNode* NewElement(const xmlNode* like, const char* name,
                    std::initializer_list<std::pair<const char*, std::string>> attributes, const char* text)
{
    xmlNode* element = xmlNewDocRawNode(like->doc, like->ns, reinterpret_cast<const xmlChar*>(name),
                                        reinterpret_cast<const xmlChar*>(text));
    if (!element) return nullptr;
    for (const auto& [attribute, value] : attributes)
        xmlNewProp(element, reinterpret_cast<const xmlChar*>(attribute), reinterpret_cast<const xmlChar*>(value.c_str()));
    return element;
}
