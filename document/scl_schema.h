#pragma once
#include <libxml/tree.h>
#include <libxml/xmlschemas.h>

#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// The report options that validation fills in with their defaults and that files of
// older SCL versions must not carry: ReportControl indexed, TrgOps gi, OptFields
// bufOvfl. Validation marks each of them that it creates; one read from a file or set
// by the user carries no mark.
bool IsFilledInByValidation(const xmlAttr* attribute);
void SetFilledInByValidation(xmlAttr* attribute, bool filled);
// Each element at or below `from` that may carry one of those options, with the
// option's name (through SCL, IED, AccessPoint, Server, LDevice, LN0 and LN).
std::vector<std::pair<xmlNode*, const char*>> ReportOptionPlaces(xmlNode* from);

// A compiled SCL schema, parsed once and reused for every validation: a built-in one
// from its text, or a schema file with its includes. When any step of building a
// built-in one fails, every tree counts as valid.
class SclSchema {
public:
    explicit SclSchema(std::string_view schemaText);
    // Compiles the schema file at `path` (its includes resolved beside it); null with
    // libxml2's first reason in `reason` when it does not compile.
    static std::unique_ptr<SclSchema> FromFile(const std::string& path, std::string& reason);
    SclSchema(const SclSchema&) = delete;
    SclSchema& operator=(const SclSchema&) = delete;
    ~SclSchema();

    bool IsUsable() const { return validCtxt_ != nullptr; }
    // Whether Validate writes the schema's default attributes into the tree (the
    // verdict and the messages are the same either way); on from the start.
    void SetWriteDefaults(bool write);

    // Validates a whole tree, writing the schema's default attributes into it (and
    // marking the report options it fills in).
    // `log` is replaced by libxml2's messages, one line each, in reported order;
    // without a usable schema it is left as it is.
    bool Validate(xmlDoc* tree, std::vector<std::string>& log);
    // Validates one element without collecting messages. An element that the schema
    // declares only inside another is checked within its nearest ancestor that the
    // schema declares globally (libxml2 can start a validation only there).
    bool ValidateElement(xmlNode* element);

    // Whether the schema declares the element globally, so that ValidateElement checks it
    // on its own.
    bool IsGlobalElement(const xmlNode* element) const;

private:
    // Takes `schemaDoc`; `reason` receives libxml2's first complaint when compiling fails.
    SclSchema(xmlDoc* schemaDoc, std::string* reason);
    // Runs `validate` on the subtree of `from` and marks the report options it created.
    template <typename Validation>
    int MarkingFilledInOptions(xmlNode* from, Validation validate);
    bool writeDefaults_ = false;

    std::vector<std::string> globalElements_;
    xmlDoc* schemaDoc_ = nullptr;
    xmlSchemaParserCtxt* parserCtxt_ = nullptr;
    xmlSchema* schema_ = nullptr;
    xmlSchemaValidCtxt* validCtxt_ = nullptr;
};
