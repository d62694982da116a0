#include "document/xml_access.h"

#include <cstring>

const char* GetAttribute(const xmlNode* element, const char* name)
{
    if (!element || element->type != XML_ELEMENT_NODE) return "";
    for (const xmlAttr* attr = element->properties; attr; attr = attr->next) {
        if (attr->ns != nullptr) continue;
        if (std::strcmp(reinterpret_cast<const char*>(attr->name), name) != 0) continue;
        // Opened documents hold every attribute value as one text child (see
        // FlattenAttributeValues), so the value is that child's content.
        const xmlNode* value = attr->children;
        return value && value->content ? reinterpret_cast<const char*>(value->content) : "";
    }
    return "";
}

xmlNode* FindChildElement(const xmlNode* node, const char* name)
{
    if (!node) return nullptr;
    for (xmlNode* child = node->children; child; child = child->next) {
        if (child->type == XML_ELEMENT_NODE &&
            std::strcmp(reinterpret_cast<const char*>(child->name), name) == 0)
            return child;
    }
    return nullptr;
}

static bool IsBlankChar(char c)
{
    return c == '\t' || c == '\n' || c == '\r' || c == ' ';
}

bool IsBlankText(const char* text, int length)
{
    if (length < 1) return true;
    for (int i = 0; i < length; ++i)
        if (!IsBlankChar(text[i])) return false;
    return true;
}

std::string GetElementText(const xmlNode* element)
{
    if (!element) return {};
    for (const xmlNode* child = element->children; child; child = child->next) {
        if (child->type != XML_TEXT_NODE || !child->content) continue;
        const char* text = reinterpret_cast<const char*>(child->content);
        int length = static_cast<int>(std::strlen(text));
        if (IsBlankText(text, length)) continue;
        int begin = 0, end = length;
        while (begin < end && IsBlankChar(text[begin])) ++begin;
        while (end > begin && IsBlankChar(text[end - 1])) --end;
        return std::string(text + begin, static_cast<size_t>(end - begin));
    }
    return {};
}

std::vector<std::string> ChildNames(const xmlNode* parent, const char* elementName)
{
    std::vector<std::string> names;
    for (xmlNode* child : ElementChildren(parent))
        if (IsElementNamed(child, elementName)) names.push_back(GetAttribute(child, "name"));
    return names;
}

xmlNode* FindNamedChildElement(const xmlNode* parent, const char* elementName, std::string_view name)
{
    for (xmlNode* child : ElementChildren(parent))
        if (IsElementNamed(child, elementName) && GetAttribute(child, "name") == name) return child;
    return nullptr;
}
