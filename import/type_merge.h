#pragma once
#include "document/type_index.h"

#include <libxml/tree.h>

#include <string>
#include <vector>

class CVarnholtDoc;

// What became of one type of an imported file.
enum class TypeMergeOutcome {
    Shared,   // the project's type of the same id and content serves in its place
    Copied,   // new to the project, copied under its id
    Renamed,  // the id was taken by other content: copied under a new id
};

struct MergedType {
    TemplateKind kind;
    std::string fileId;     // the id in the imported file
    std::string projectId;  // the id it has in the project
    TypeMergeOutcome outcome;
};
using TypeMergeRecord = std::vector<MergedType>;

// "shared LNodeType LLN0_A", "copied DOType ENC", "renamed EnumType Beh -> P2.Beh".
std::string DescribeMergedType(const MergedType& type);
const char* TemplateKindName(TemplateKind kind);

// Brings the data type templates of the imported file into the project: equal types
// are shared, new ones copied, clashing ids renamed with `iedName` as prefix. The
// imported tree is changed in place (new ids and the references to them, in the file's
// types and in the logical nodes of `importedIED`). Keeps the project's type index
// and insertion anchors current.
TypeMergeRecord MergeDataTypeTemplates(CVarnholtDoc& doc, xmlDoc* imported, xmlNode* importedIED,
                                       const std::string& iedName);
