#include "document/xml_parse.h"

#include <libxml/entities.h>
#include <libxml/parser.h>
#include <libxml/xmlerror.h>
#include <zlib.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
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

std::string SizeText(size_t bytes)
{
    static constexpr const char* kUnits[] = {"GiB", "MiB", "KiB"};
    for (int i = 0; i < 3; ++i) {
        size_t unit = size_t{1} << (30 - 10 * i);
        if (bytes >= unit && bytes % unit == 0) return std::to_string(bytes / unit) + " " + kUnits[i];
    }
    return std::to_string(bytes) + " bytes";
}

// The file as libxml2 would read it itself (gzread passes plain files through),
// counting what is handed to the parser.
struct FileInput {
    gzFile file = nullptr;
    size_t limit = 0;
    size_t total = 0;  // bytes handed to the parser
    bool tooLarge = false;
    bool damaged = false;
};

int ReadFileInput(void* context, char* buffer, int length)
{
    auto* input = static_cast<FileInput*>(context);
    if (length <= 0) return 0;
    int count = gzread(input->file, buffer, static_cast<unsigned>(length));
    if (count < 0) {
        input->damaged = true;
        return -1;
    }
    input->total += static_cast<size_t>(count);
    if (input->total > input->limit) {
        input->tooLarge = true;
        return -1;
    }
    return count;
}

constexpr int kMaxEntityDepth = 16;
constexpr size_t kMaxAttributeLength = 1 << 20;
// Text that entity references may add to one document. Files that use entities at all
// hold a few short values; a file that adds more is built to exhaust memory.
constexpr size_t kMaxEntityText = size_t{64} << 20;

// Gathers the text of value nodes, replacing entity references by their text, within
// the bounds of one document.
class EntityText {
public:
    explicit EntityText(xmlDoc* doc) : doc_(doc) {}

    // Appends the text of the nodes from `node` up to `end`; false with Reason() when
    // an entity cannot be read as text or a bound is exceeded.
    // `what` names the value in the reason when it grows beyond `maxLength`.
    bool Append(const xmlNode* node, const xmlNode* end, std::string& text, size_t maxLength,
                const char* what)
    {
        maxLength_ = maxLength;
        what_ = what;
        return AppendNodes(node, end, text, nullptr, 0);
    }
    const std::string& Reason() const { return reason_; }

private:
    bool Fail(std::string reason)
    {
        reason_ = std::move(reason);
        return false;
    }
    bool AppendNodes(const xmlNode* node, const xmlNode* end, std::string& text,
                     const xmlEntity* within, int depth)
    {
        for (; node != end; node = node->next) {
            if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
                if (!node->content) continue;
                size_t length = strlen(reinterpret_cast<const char*>(node->content));
                if (within) added_ += length;
                if (added_ > kMaxEntityText)
                    return Fail("entity references expand beyond " + SizeText(kMaxEntityText));
                if (text.size() + length > maxLength_)
                    return Fail(std::string(what_) + " grows beyond " + SizeText(maxLength_));
                text.append(reinterpret_cast<const char*>(node->content), length);
            } else if (node->type == XML_ENTITY_REF_NODE) {
                std::string name = node->name ? reinterpret_cast<const char*>(node->name) : "";
                const xmlEntity* entity = xmlGetDocEntity(doc_, node->name);
                if (!entity) return Fail("entity '" + name + "' is not defined");
                if (entity->etype != XML_INTERNAL_GENERAL_ENTITY)
                    return Fail("entity '" + name + "' is held in another file, which is not read");
                if (depth == kMaxEntityDepth)
                    return Fail("entity references are nested more than " +
                                std::to_string(kMaxEntityDepth) + " deep");
                if (!AppendNodes(entity->children, nullptr, text, entity, depth + 1))
                    return false;
            } else {
                std::string name = within && within->name ? reinterpret_cast<const char*>(within->name) : "";
                return Fail("entity '" + name + "' holds markup; only text is read from entities");
            }
        }
        return true;
    }

    xmlDoc* doc_;
    size_t maxLength_ = 0;
    const char* what_ = "";
    size_t added_ = 0;
    std::string reason_;
};

std::string AtLine(const xmlNode* element, const std::string& reason)
{
    long line = xmlGetLineNo(element);
    return line > 0 ? "line " + std::to_string(line) + ": " + reason : reason;
}

// Attribute values that kept entity references are held as several nodes; turn
// each into one text node so that every reader sees the whole value.
bool FlattenAttributeValues(xmlDoc* doc, xmlNode* node, EntityText& entities, std::string& reason)
{
    for (; node; node = node->next) {
        if (node->type != XML_ELEMENT_NODE) continue;
        for (xmlAttr* attr = node->properties; attr; attr = attr->next) {
            xmlNode* value = attr->children;
            if (!value || (value->type == XML_TEXT_NODE && !value->next)) continue;
            std::string text;
            if (!entities.Append(value, nullptr, text, kMaxAttributeLength, "an attribute value")) {
                reason = AtLine(node, entities.Reason());
                return false;
            }
            xmlNode* single = xmlNewDocText(doc, reinterpret_cast<const xmlChar*>(text.c_str()));
            if (!single) {
                reason = "out of memory";
                return false;
            }
            xmlFreeNodeList(value);
            single->parent = reinterpret_cast<xmlNode*>(attr);
            attr->children = attr->last = single;
        }
        if (!FlattenAttributeValues(doc, node->children, entities, reason)) return false;
    }
    return true;
}

void FreeSiblings(xmlNode* node, const xmlNode* end)
{
    while (node != end) {
        xmlNode* next = node->next;
        xmlUnlinkNode(node);
        xmlFreeNode(node);
        node = next;
    }
}

// The schema validator stops at the first entity reference it meets, so each run of
// text and references among an element's children becomes one text node.
bool ReplaceContentEntities(xmlDoc* doc, xmlNode* element, EntityText& entities, std::string& reason)
{
    for (xmlNode* child = element->children; child;) {
        if (child->type == XML_ELEMENT_NODE) {
            if (!ReplaceContentEntities(doc, child, entities, reason)) return false;
            child = child->next;
            continue;
        }
        if (child->type != XML_ENTITY_REF_NODE) {
            child = child->next;
            continue;
        }
        xmlNode* first = child->prev && child->prev->type == XML_TEXT_NODE ? child->prev : child;
        xmlNode* end = child;
        while (end && (end->type == XML_TEXT_NODE || end->type == XML_ENTITY_REF_NODE)) end = end->next;
        std::string text;
        if (!entities.Append(first, end, text, INT_MAX, "the text of an element")) {
            reason = AtLine(element, entities.Reason());
            return false;
        }
        if (text.empty()) {
            FreeSiblings(first, end);
        } else {
            xmlNode* merged = xmlNewDocTextLen(doc, reinterpret_cast<const xmlChar*>(text.data()),
                                               static_cast<int>(text.size()));
            if (!merged) {
                reason = "out of memory";
                return false;
            }
            if (!xmlReplaceNode(first, merged)) {
                xmlFreeNode(merged);
                reason = "out of memory";
                return false;
            }
            xmlFreeNode(first);
            FreeSiblings(merged->next, end);
        }
        child = end;
    }
    return true;
}

std::string CannotRead(int error)
{
    return std::string("the file cannot be read: ") + std::strerror(error);
}

xmlDoc* Refuse(xmlDoc* doc, std::string reason, std::string* error)
{
    xmlFreeDoc(doc);
    if (error) *error = std::move(reason);
    return nullptr;
}

// Checks a parsed document; with `replaceContentEntities`, also turns the entity
// references of element content into text.
xmlDoc* Finish(xmlDoc* doc, const FirstError& first, bool replaceContentEntities, std::string* error)
{
    if (!doc) return Refuse(nullptr, first.text.empty() ? "not a well-formed XML document" : first.text, error);
    xmlNode* root = xmlDocGetRootElement(doc);
    if (!root) return Refuse(doc, "the document has no root element", error);
    // Without a document type declaration no entity can be referenced: nothing to read.
    if (!doc->intSubset && !doc->extSubset) return doc;
    EntityText entities(doc);
    std::string reason;
    if (!FlattenAttributeValues(doc, root, entities, reason)) return Refuse(doc, reason, error);
    if (replaceContentEntities && !ReplaceContentEntities(doc, root, entities, reason))
        return Refuse(doc, reason, error);
    return doc;
}

}  // namespace

int SclParseOptions()
{
    return XML_PARSE_NONET | XML_PARSE_NOBLANKS;
}

xmlDoc* ParseXmlFile(const std::string& path, std::string* error, size_t maxDecompressedSize)
{
    struct stat info {};
    if (stat(path.c_str(), &info) != 0) return Refuse(nullptr, CannotRead(errno), error);
    if (!S_ISREG(info.st_mode)) return Refuse(nullptr, "not a regular file", error);
    if (info.st_size == 0) return Refuse(nullptr, "the file is empty", error);
    // Opened here rather than by gzopen, whose failure leaves errno unreliable.
    int descriptor = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return Refuse(nullptr, CannotRead(errno), error);
    FileInput input;
    input.limit = maxDecompressedSize;
    input.file = gzdopen(descriptor, "rb");
    if (!input.file) {
        close(descriptor);
        return Refuse(nullptr, "out of memory", error);
    }
    // Reads the header: a plain file larger than the bound is refused before it is read.
    const bool plain = gzdirect(input.file) != 0;
    const std::string tooLarge = plain ? "the file is larger than " + SizeText(maxDecompressedSize)
                                       : "the file expands beyond " + SizeText(maxDecompressedSize) +
                                             " when decompressed";
    if (plain && static_cast<unsigned long long>(info.st_size) > maxDecompressedSize) {
        gzclose(input.file);
        return Refuse(nullptr, tooLarge, error);
    }
    FirstError first;
    xmlDoc* doc;
    {
        ErrorCapture capture(first);
        doc = xmlReadIO(ReadFileInput, nullptr, &input, path.c_str(), nullptr, SclParseOptions());
    }
    gzclose(input.file);
    if (input.tooLarge) return Refuse(doc, tooLarge, error);
    if (input.damaged) return Refuse(doc, "the compressed content of the file is damaged", error);
    return Finish(doc, first, true, error);
}

xmlDoc* ParseXmlMemory(std::string_view text, const char* url, std::string* error)
{
    if (text.size() > INT_MAX) return Refuse(nullptr, "the text is too large", error);
    FirstError first;
    xmlDoc* doc;
    {
        ErrorCapture capture(first);
        doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), url, nullptr,
                            SclParseOptions());
    }
    return Finish(doc, first, false, error);
}
