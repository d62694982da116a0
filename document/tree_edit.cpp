#include "document/tree_edit.h"

#include "document/change_channel.h"
#include "document/xml_access.h"

#include <cstring>
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

void EditSetText(xmlNode* element, std::string_view text)
{
    const std::string content(text);
    for (xmlNode* child = element->children; child; child = child->next) {
        const char* old = reinterpret_cast<const char*>(child->content);
        if (child->type != XML_TEXT_NODE || !old || IsBlankText(old, static_cast<int>(std::strlen(old)))) continue;
        if (ChangeChannel* changes = ChannelOf(element)) return changes->SetNodeText(child, content);
        xmlNodeSetContent(child, reinterpret_cast<const xmlChar*>(content.c_str()));  // a text node takes it as it is
        return;
    }
    if (xmlNode* node = xmlNewDocText(element->doc, reinterpret_cast<const xmlChar*>(content.c_str())))
        EditInsert(element, nullptr, node);
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
