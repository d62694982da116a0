#pragma once
#include "document/scl_edition.h"
#include "document/scl_schema.h"

#include <libxml/tree.h>

#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// The schemas documents are checked against: the built-in schema of each edition,
// compiled when first used, or one schema from a folder of the user's choice that then
// checks every document.
class EditionSchemas {
public:
    // The schema that checks a document with this root.
    SclSchema& For(const xmlNode* root);
    SclSchema& BuiltIn(SclEdition edition);

    // Checks documents against the SCL.xsd of `folder` from now on; "" returns to the
    // built-in schemas. A folder whose schema does not compile changes nothing: false,
    // with libxml2's reason.
    bool UseFolder(const std::string& folder, std::string& reason);
    const std::string& Folder() const { return folder_; }

    // Whether validation writes the schemas' default attributes into the tree.
    void SetWriteDefaults(bool write);
    bool WritesDefaults() const { return writeDefaults_; }

    // The "Information:" line that names the schema checking a document with this
    // root (the edition or the folder), and says so when the root declares an edition
    // newer than the newest built-in schema.
    std::vector<std::string> CheckedAgainstLines(const xmlNode* root) const;

private:
    std::array<std::unique_ptr<SclSchema>, 3> builtIn_;
    std::unique_ptr<SclSchema> folderSchema_;
    std::string folder_;
    bool writeDefaults_ = true;
};

// The schema folder every document made from now on checks its files against ("":
// the built-in schemas): the command line's or the desktop's setting.
void SetSchemaFolderForDocuments(std::string folder);
const std::string& SchemaFolderForDocuments();

// The text of the built-in schema of an edition.
std::string_view BuiltInSchemaText(SclEdition edition);
