#pragma once
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <string>
#include <string_view>
#include <vector>

// The compiled built-in SCL schema, parsed once and reused for every validation.
// When any step of building it fails, every tree counts as valid.
class SclSchema {
public:
    explicit SclSchema(std::string_view schemaText);
    SclSchema(const SclSchema&) = delete;
    SclSchema& operator=(const SclSchema&) = delete;
    ~SclSchema();

    bool IsUsable() const { return validCtxt_ != nullptr; }
    // Whether Validate writes the schema's default attributes into the tree (the
    // verdict and the messages are the same either way); on from the start.
    void SetWriteDefaults(bool write);

    // Validates a whole tree, writing the schema's default attributes into it.
    // `log` is replaced by libxml2's messages, one line each, in reported order;
    // without a usable schema it is left as it is.
    bool Validate(xmlDoc* tree, std::vector<std::string>& log);
    // Validates one element without collecting messages. An element that the schema
    // declares only inside another is checked within its nearest ancestor that the
    // schema declares globally (libxml2 can start a validation only there).
    bool ValidateElement(xmlNode* element);

private:
    bool IsGlobalElement(const xmlNode* element) const;

    std::vector<std::string> globalElements_;
    xmlDoc* schemaDoc_ = nullptr;
    xmlSchemaParserCtxt* parserCtxt_ = nullptr;
    xmlSchema* schema_ = nullptr;
    xmlSchemaValidCtxt* validCtxt_ = nullptr;
};
