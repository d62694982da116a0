#include "core/xml_parse.h"

#include <libxml/parser.h>
#include <libxml/xmlerror.h>

#include <sys/stat.h>

#include <climits>
#include <string>

namespace {

struct FirstError {
    std::string text;
};

void KeepFirstError(void* userData, xmlError* error)
{
    auto* first = static_cast<FirstError*>(userData);
    if (!error || !first->text.empty() || error->level < XML_ERR_ERROR) return;
    std::string message = error->message ? error->message : "parse error";
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    first->text = error->line > 0 ? "line " + std::to_string(error->line) + ": " + message : message;
}

// Routes libxml2's messages for the duration of one parse into `first`.
class ErrorCapture {
public:
    explicit ErrorCapture(FirstError& first) { xmlSetStructuredErrorFunc(&first, KeepFirstError); }
    ~ErrorCapture() { xmlSetStructuredErrorFunc(nullptr, nullptr); }
};

constexpr size_t kMaxAttributeLength = 1 << 20;

// Appends the text of an attribute's value nodes, expanding entity references, and
// gives up (false) when the value grows beyond any sensible attribute.
bool AppendValueText(xmlDoc* doc, const xmlNode* node, std::string& text, int depth)
{
    if (depth > 16) return false;
    for (; node; node = node->next) {
        if (node->type == XML_TEXT_NODE && node->content) {
            text += reinterpret_cast<const char*>(node->content);
        } else if (node->type == XML_ENTITY_REF_NODE) {
            xmlEntity* entity = xmlGetDocEntity(doc, node->name);
            if (entity && !AppendValueText(doc, entity->children, text, depth + 1)) return false;
        }
        if (text.size() > kMaxAttributeLength) return false;
    }
    return true;
}

// Attribute values that kept entity references are held as several nodes; turn
// each into one text node so that every reader sees the whole value.
bool FlattenAttributeValues(xmlDoc* doc, xmlNode* node)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        for (xmlAttr* attr = node->properties; attr; attr = attr->next) {
            xmlNode* value = attr->children;
            if (!value || (value->type == XML_TEXT_NODE && !value->next)) continue;
            std::string text;
            if (!AppendValueText(doc, value, text, 0)) return false;
            xmlNode* single = xmlNewDocText(doc, reinterpret_cast<const xmlChar*>(text.c_str()));
            if (!single) return false;
            xmlFreeNodeList(value);
            single->parent = reinterpret_cast<xmlNode*>(attr);
            attr->children = attr->last = single;
        }
        if (!FlattenAttributeValues(doc, node->children)) return false;
    }
    return true;
}

xmlDoc* Finish(xmlDoc* doc, const FirstError& first, std::string* error)
{
    if (!doc) {
        if (error) *error = first.text.empty() ? "not a well-formed XML document" : first.text;
        return nullptr;
    }
    if (!xmlDocGetRootElement(doc)) {
        xmlFreeDoc(doc);
        if (error) *error = "the document has no root element";
        return nullptr;
    }
    if (!FlattenAttributeValues(doc, xmlDocGetRootElement(doc))) {
        xmlFreeDoc(doc);
        if (error) *error = "an attribute value is too large";
        return nullptr;
    }
    return doc;
}

}  // namespace

int SclParseOptions()
{
    return XML_PARSE_NONET | XML_PARSE_NOBLANKS;
}

xmlDoc* ParseXmlFile(const std::string& path, std::string* error)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) {
        if (error) *error = "the file cannot be read";
        return nullptr;
    }
    if (!S_ISREG(info.st_mode)) {
        if (error) *error = "not a regular file";
        return nullptr;
    }
    if (info.st_size == 0) {
        if (error) *error = "the file is empty";
        return nullptr;
    }
    FirstError first;
    xmlDoc* doc;
    {
        ErrorCapture capture(first);
        doc = xmlReadFile(path.c_str(), nullptr, SclParseOptions());
    }
    return Finish(doc, first, error);
}

xmlDoc* ParseXmlMemory(std::string_view text, const char* url, std::string* error)
{
    if (text.size() > INT_MAX) {
        if (error) *error = "the text is too large";
        return nullptr;
    }
    FirstError first;
    xmlDoc* doc;
    {
        ErrorCapture capture(first);
        doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), url, nullptr,
                            SclParseOptions());
    }
    return Finish(doc, first, error);
}
