#include "document/edition_schemas.h"

#include "document/embedded_resources.h"

namespace {

std::string& FolderForDocuments()
{
    static std::string folder;
    return folder;
}

}  // namespace

void SetSchemaFolderForDocuments(std::string folder)
{
    FolderForDocuments() = std::move(folder);
}

const std::string& SchemaFolderForDocuments()
{
    return FolderForDocuments();
}

std::string_view BuiltInSchemaText(SclEdition edition)
{
    switch (edition) {
    case SclEdition::Ed2003: return BuiltInSchemaText();
    case SclEdition::Ed2007B: return BuiltInSchema2007BText();
    case SclEdition::Ed2007B4: return BuiltInSchema2007B4Text();
    }
    return BuiltInSchemaText();
}

SclSchema& EditionSchemas::BuiltIn(SclEdition edition)
{
    std::unique_ptr<SclSchema>& schema = builtIn_[static_cast<size_t>(edition)];
    if (!schema) {
        schema = std::make_unique<SclSchema>(BuiltInSchemaText(edition));
        schema->SetWriteDefaults(writeDefaults_);
    }
    return *schema;
}

SclSchema& EditionSchemas::For(const xmlNode* root)
{
    if (folderSchema_) return *folderSchema_;
    return BuiltIn(EditionOfRoot(root));
}

bool EditionSchemas::UseFolder(const std::string& folder, std::string& reason)
{
    reason.clear();
    if (folder.empty()) {
        folderSchema_.reset();
        folder_.clear();
        return true;
    }
    std::unique_ptr<SclSchema> schema = SclSchema::FromFile(folder + "/SCL.xsd", reason);
    if (!schema) return false;
    schema->SetWriteDefaults(writeDefaults_);
    folderSchema_ = std::move(schema);
    folder_ = folder;
    return true;
}

void EditionSchemas::SetWriteDefaults(bool write)
{
    writeDefaults_ = write;
    for (auto& schema : builtIn_)
        if (schema) schema->SetWriteDefaults(write);
    if (folderSchema_) folderSchema_->SetWriteDefaults(write);
}

std::vector<std::string> EditionSchemas::CheckedAgainstLines(const xmlNode* root) const
{
    if (folderSchema_) return {"Information: checked against the schema in " + folder_};
    const std::string schema = std::string("the built-in schema of SCL ") + EditionName(EditionOfRoot(root));
    if (!IsNewerThanBuiltIn(root)) return {"Information: checked against " + schema};
    return {"Information: the file declares SCL " + DeclaredEditionText(root) +
            ", newer than the newest built-in schema; it is checked against " + schema};
}
