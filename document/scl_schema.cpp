#include "document/scl_schema.h"

#include "document/xml_access.h"
#include "document/xml_parse.h"

#include <libxml/xmlerror.h>

#include <algorithm>
#include <cstring>

namespace {

// Collects errors in the layout libxml2 uses when it prints them itself:
// "file:line: element E: Schemas validity error : message".
void CollectValidityMessage(void* userData, xmlError* error)
{
    if (!error || !error->message) return;
    auto& log = *static_cast<std::vector<std::string>*>(userData);
    std::string prefix;
    if (error->file) prefix += std::string(error->file) + ":" + std::to_string(error->line) + ": ";
    const auto* node = static_cast<const xmlNode*>(error->node);
    if (node && node->type == XML_ELEMENT_NODE && node->name)
        prefix += "element " + std::string(reinterpret_cast<const char*>(node->name)) + ": ";
    prefix += error->level == XML_ERR_WARNING ? "Schemas validity warning : "
                                              : "Schemas validity error : ";
    std::string message = error->message;
    size_t start = 0;
    bool first = true;
    while (start < message.size()) {
        size_t end = message.find('\n', start);
        if (end == std::string::npos) end = message.size();
        std::string line = message.substr(start, end - start);
        log.push_back(first ? prefix + line : line);
        first = false;
        start = end + 1;
    }
}

void IgnoreStructuredError(void*, xmlError*) {}

// Keeps the first error of compiling a schema as "file:line: message".
void KeepFirstError(void* userData, xmlError* error)
{
    auto& reason = *static_cast<std::string*>(userData);
    if (!reason.empty() || !error || !error->message || error->level < XML_ERR_ERROR) return;
    if (error->file) reason = std::string(error->file) + ":" + std::to_string(error->line) + ": ";
    reason += error->message;
    while (!reason.empty() && reason.back() == '\n') reason.pop_back();
}

// What the _private field of a filled-in report option points to.
const char kFilledInMark = 0;

void AddReportOptionPlaces(xmlNode* node, std::vector<std::pair<xmlNode*, const char*>>& places)
{
    if (IsElementNamed(node, "ReportControl")) {
        places.emplace_back(node, "indexed");
        if (xmlNode* trgOps = FindChildElement(node, "TrgOps")) places.emplace_back(trgOps, "gi");
        if (xmlNode* optFields = FindChildElement(node, "OptFields")) places.emplace_back(optFields, "bufOvfl");
        return;
    }
    for (const char* holder : {"SCL", "IED", "AccessPoint", "Server", "LDevice", "LN0", "LN"}) {
        if (!IsElementNamed(node, holder)) continue;
        for (xmlNode* child : ElementChildren(node)) AddReportOptionPlaces(child, places);
        return;
    }
}

}  // namespace

bool IsFilledInByValidation(const xmlAttr* attribute)
{
    return attribute && attribute->type == XML_ATTRIBUTE_NODE && attribute->_private == &kFilledInMark;
}

void SetFilledInByValidation(xmlAttr* attribute, bool filled)
{
    // (A document type may answer a lookup with a declaration instead of an attribute.)
    if (attribute && attribute->type == XML_ATTRIBUTE_NODE)
        attribute->_private = filled ? const_cast<char*>(&kFilledInMark) : nullptr;
}

std::vector<std::pair<xmlNode*, const char*>> ReportOptionPlaces(xmlNode* from)
{
    std::vector<std::pair<xmlNode*, const char*>> places;
    if (from) AddReportOptionPlaces(from, places);
    return places;
}

SclSchema::SclSchema(std::string_view schemaText) : SclSchema(ParseXmlMemory(schemaText, "scl.xsd", nullptr), nullptr)
{
}

std::unique_ptr<SclSchema> SclSchema::FromFile(const std::string& path, std::string& reason)
{
    xmlDoc* schemaDoc = ParseXmlFile(path, &reason);
    if (!schemaDoc) {
        reason = path + ": " + reason;
        return nullptr;
    }
    std::unique_ptr<SclSchema> schema(new SclSchema(schemaDoc, &reason));
    if (schema->IsUsable()) return schema;
    if (reason.empty()) reason = path + ": the schema does not compile";
    return nullptr;
}

SclSchema::SclSchema(xmlDoc* schemaDoc, std::string* reason) : schemaDoc_(schemaDoc)
{
    if (!schemaDoc_) return;
    for (xmlNode* declaration : ElementChildren(xmlDocGetRootElement(schemaDoc_)))
        if (IsElementNamed(declaration, "element") && *GetAttribute(declaration, "name"))
            globalElements_.emplace_back(GetAttribute(declaration, "name"));
    parserCtxt_ = xmlSchemaNewDocParserCtxt(schemaDoc_);
    if (!parserCtxt_) return;
    xmlSchemaSetParserStructuredErrors(parserCtxt_, reason ? KeepFirstError : IgnoreStructuredError, reason);
    // Includes that cannot be loaded are reported through the schema parser; libxml2's
    // own warning about them would only reach the terminal.
    xmlSetStructuredErrorFunc(nullptr, IgnoreStructuredError);
    schema_ = xmlSchemaParse(parserCtxt_);
    xmlSetStructuredErrorFunc(nullptr, nullptr);
    if (!schema_) {
        xmlSchemaFreeParserCtxt(parserCtxt_);
        parserCtxt_ = nullptr;
        return;
    }
    validCtxt_ = xmlSchemaNewValidCtxt(schema_);
    if (!validCtxt_) {
        xmlSchemaFree(schema_);
        schema_ = nullptr;
        xmlSchemaFreeParserCtxt(parserCtxt_);
        parserCtxt_ = nullptr;
        return;
    }
    SetWriteDefaults(true);
}

void SclSchema::SetWriteDefaults(bool write)
{
    if (validCtxt_) xmlSchemaSetValidOptions(validCtxt_, write ? XML_SCHEMA_VAL_VC_I_CREATE : 0);
    writeDefaults_ = write;
}

template <typename Validation>
int SclSchema::MarkingFilledInOptions(xmlNode* from, Validation validate)
{
    if (!writeDefaults_) return validate();
    // An option present before this validation is the file's or the user's.
    std::vector<std::pair<xmlNode*, const char*>> lacking = ReportOptionPlaces(from);
    std::erase_if(lacking, [](const auto& place) {
        return xmlHasNsProp(place.first, Xml(place.second), nullptr) != nullptr;
    });
    const int result = validate();
    for (const auto& [element, name] : lacking)
        SetFilledInByValidation(xmlHasNsProp(element, Xml(name), nullptr), true);
    return result;
}

SclSchema::~SclSchema()
{
    if (validCtxt_) xmlSchemaFreeValidCtxt(validCtxt_);
    if (parserCtxt_) xmlSchemaFreeParserCtxt(parserCtxt_);
    if (schema_) xmlSchemaFree(schema_);
    if (schemaDoc_) xmlFreeDoc(schemaDoc_);
}

bool SclSchema::Validate(xmlDoc* tree, std::vector<std::string>& log)
{
    if (!validCtxt_) return true;
    std::vector<std::string> messages;
    xmlSchemaSetValidStructuredErrors(validCtxt_, CollectValidityMessage, &messages);
    int result =
        MarkingFilledInOptions(xmlDocGetRootElement(tree), [&] { return xmlSchemaValidateDoc(validCtxt_, tree); });
    xmlSchemaSetValidStructuredErrors(validCtxt_, IgnoreStructuredError, nullptr);
    log = std::move(messages);
    return result == 0;
}

bool SclSchema::IsGlobalElement(const xmlNode* element) const
{
    std::string_view name = ElementName(element);
    return std::find(globalElements_.begin(), globalElements_.end(), name) != globalElements_.end();
}

bool SclSchema::ValidateElement(xmlNode* element)
{
    if (!validCtxt_) return true;
    while (element && element->parent && element->parent->type == XML_ELEMENT_NODE && !IsGlobalElement(element))
        element = element->parent;
    if (!element) return false;
    xmlSchemaSetValidStructuredErrors(validCtxt_, IgnoreStructuredError, nullptr);
    return MarkingFilledInOptions(element, [&] { return xmlSchemaValidateOneElement(validCtxt_, element); }) == 0;
}
