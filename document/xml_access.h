#pragma once
#include <libxml/tree.h>

#include <string>
#include <string_view>
#include <vector>

// Read access to SCL elements. Elements are matched by local name only; namespaces
// are ignored, and an absent attribute reads as "".

// The value of the attribute `name` that has no namespace, or "" when there is none.
const char* GetAttribute(const xmlNode* element, const char* name);

// The first element child of `node` named exactly `name`; null when node is null.
xmlNode* FindChildElement(const xmlNode* node, const char* name);

// The `name` of every element child of `parent` named `elementName`, in document order.
std::vector<std::string> ChildNames(const xmlNode* parent, const char* elementName);

// The first element child of `parent` named `elementName` whose `name` is `name`.
xmlNode* FindNamedChildElement(const xmlNode* parent, const char* elementName, std::string_view name);

// True when length < 1 or every character is tab, line feed, carriage return or space.
bool IsBlankText(const char* text, int length);

// The first non-blank text child of `element`, trimmed of white space.
std::string GetElementText(const xmlNode* element);

// Small conveniences over libxml2's unsigned-char names.
inline bool IsElement(const xmlNode* node) { return node && node->type == XML_ELEMENT_NODE; }
inline std::string_view ElementName(const xmlNode* node)
{
    return node && node->name ? std::string_view(reinterpret_cast<const char*>(node->name))
                              : std::string_view();
}
inline bool IsElementNamed(const xmlNode* node, std::string_view name)
{
    return IsElement(node) && ElementName(node) == name;
}
inline const xmlChar* Xml(const char* text) { return reinterpret_cast<const xmlChar*>(text); }

// The element children of `node`, in document order: `for (xmlNode* c : ElementChildren(n))`.
class ElementChildren {
public:
    explicit ElementChildren(const xmlNode* node) : first_(node ? Next(node->children) : nullptr) {}
    class iterator {
    public:
        explicit iterator(xmlNode* node) : node_(node) {}
        xmlNode* operator*() const { return node_; }
        iterator& operator++() { node_ = Next(node_->next); return *this; }
        bool operator!=(const iterator& other) const { return node_ != other.node_; }
    private:
        xmlNode* node_;
    };
    iterator begin() const { return iterator(first_); }
    iterator end() const { return iterator(nullptr); }
private:
    static xmlNode* Next(xmlNode* node)
    {
        while (node && node->type != XML_ELEMENT_NODE) node = node->next;
        return node;
    }
    xmlNode* first_;
};
