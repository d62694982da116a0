#include "import/type_merge.h"

#include "document/tree_edit.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "document/xml_copy.h"

#include <array>
#include <cstring>
#include <map>
#include <set>
#include <utility>

namespace {

int Index(TemplateKind kind)
{
    return static_cast<int>(kind);
}

using KindMaps = std::array<TypeIndex::Map, kTemplateKindCount>;
using NewIds = std::array<std::map<std::string, std::string, std::less<>>, kTemplateKindCount>;

const char* AttributeText(const xmlAttr* attribute)
{
    const xmlNode* value = attribute->children;
    return value && value->type == XML_TEXT_NODE && value->content ? reinterpret_cast<const char*>(value->content)
                                                                   : "";
}

const xmlAttr* FindAttribute(const xmlNode* element, const xmlAttr* like)
{
    for (const xmlAttr* attribute = element->properties; attribute; attribute = attribute->next) {
        if (!xmlStrEqual(attribute->name, like->name)) continue;
        const xmlChar* href = attribute->ns ? attribute->ns->href : nullptr;
        const xmlChar* likeHref = like->ns ? like->ns->href : nullptr;
        if (xmlStrEqual(href, likeHref)) return attribute;
    }
    return nullptr;
}

// The attributes that describe a type but are no part of its content.
bool IsIgnoredAttribute(const xmlAttr* attribute, bool typeElement)
{
    if (attribute->ns) return false;
    const char* name = reinterpret_cast<const char*>(attribute->name);
    if (std::strcmp(name, "desc") == 0) return true;
    return typeElement && (std::strcmp(name, "id") == 0 || std::strcmp(name, "iedType") == 0);
}

// The schema defaults of the attributes inside types, over every edition: an attribute
// absent on one side and at its default on the other is the same, so that types written
// by the schemas of different editions still match.
bool IsAtTemplateDefault(const xmlNode* element, const xmlAttr* attribute)
{
    static const struct {
        const char* element;
        const char* attribute;
        const char* value;
    } kDefaults[] = {
        {"DA", "dchg", "false"},  {"DA", "qchg", "false"},      {"DA", "dupd", "false"},
        {"DA", "valKind", "Set"}, {"DA", "count", "0"},         {"DA", "valImport", "false"},
        {"BDA", "valKind", "Set"}, {"BDA", "count", "0"},       {"BDA", "valImport", "false"},
        {"DO", "transient", "false"}, {"SDO", "count", "0"},     {"ProtNs", "type", "8-MMS"},
    };
    if (attribute->ns) return false;
    const std::string_view name = ElementName(element);
    for (const auto& entry : kDefaults)
        if (name == entry.element && xmlStrEqual(attribute->name, Xml(entry.attribute)))
            return std::strcmp(AttributeText(attribute), entry.value) == 0;
    return false;
}

// Every attribute of one side is on the other with the same value, or at its default.
bool AttributesFoundIn(const xmlNode* from, const xmlNode* in, bool typeElement)
{
    for (const xmlAttr* attribute = from->properties; attribute; attribute = attribute->next) {
        if (IsIgnoredAttribute(attribute, typeElement)) continue;
        const xmlAttr* other = FindAttribute(in, attribute);
        if (other ? std::strcmp(AttributeText(attribute), AttributeText(other)) != 0
                  : !IsAtTemplateDefault(from, attribute))
            return false;
    }
    return true;
}

bool SameAttributes(const xmlNode* project, const xmlNode* imported, bool typeElement)
{
    return AttributesFoundIn(project, imported, typeElement) && AttributesFoundIn(imported, project, typeElement);
}

// The kind of type that the `type` attribute of a DO, SDO, DA or BDA names; false
// when the element refers to no type.
bool ReferencedKind(const xmlNode* element, TemplateKind& kind)
{
    std::string_view name = ElementName(element);
    if (name == "DO" || name == "SDO") {
        kind = TemplateKind::DOType;
        return true;
    }
    if (name != "DA" && name != "BDA") return false;
    if (std::strcmp(GetAttribute(element, "bType"), "Struct") == 0) {
        kind = TemplateKind::DAType;
        return true;
    }
    kind = TemplateKind::EnumType;
    return *GetAttribute(element, "type") != '\0';
}

// Tells whether a project type and an imported type of the same id have the same
// content: every attribute but the descriptions, every child element with its
// attributes, values and text, and the types they refer to, recursively.
class TypeComparison {
public:
    static constexpr size_t kMaxNesting = 256;

    TypeComparison(const TypeIndex& project, const KindMaps& imported) : project_(project), imported_(imported) {}

    bool SameType(const xmlNode* project, const xmlNode* imported)
    {
        auto pair = std::make_pair(project, imported);
        if (auto done = finished_.find(pair); done != finished_.end()) return done->second;
        // A type that reaches itself again is taken as different: it is then copied
        // under a new id, which never binds the file's IED to foreign content.
        if (!inProgress_.insert(pair).second) return false;
        // A chain of types nested deeper than any real model is taken as different
        // rather than followed to the end of the stack.
        bool same = inProgress_.size() <= kMaxNesting && SameElement(project, imported, true);
        inProgress_.erase(pair);
        finished_.emplace(pair, same);
        return same;
    }

private:
    bool SameElement(const xmlNode* project, const xmlNode* imported, bool typeElement)
    {
        if (ElementName(project) != ElementName(imported)) return false;
        if (!SameAttributes(project, imported, typeElement)) return false;
        if (GetElementText(project) != GetElementText(imported)) return false;
        ElementChildren projectChildren(project), importedChildren(imported);
        auto p = projectChildren.begin(), i = importedChildren.begin();
        for (; p != projectChildren.end() && i != importedChildren.end(); ++p, ++i)
            if (!SameElement(*p, *i, false)) return false;
        if (p != projectChildren.end() || i != importedChildren.end()) return false;
        return typeElement || SameReferencedType(project);
    }

    // Both elements have equal `type` texts here; the types of that id must match.
    bool SameReferencedType(const xmlNode* element)
    {
        TemplateKind kind;
        if (!ReferencedKind(element, kind)) return true;
        std::string_view id = GetAttribute(element, "type");
        const xmlNode* project = project_.Find(kind, id);
        const TypeIndex::Map& imported = imported_[Index(kind)];
        auto found = imported.find(id);
        if (!project || found == imported.end()) return false;
        return SameType(project, found->second);
    }

    const TypeIndex& project_;
    const KindMaps& imported_;
    std::set<std::pair<const xmlNode*, const xmlNode*>> inProgress_;
    std::map<std::pair<const xmlNode*, const xmlNode*>, bool> finished_;
};

KindMaps BuildImportIndex(xmlNode* templates)
{
    KindMaps index;
    for (xmlNode* child : ElementChildren(templates)) {
        TemplateKind kind;
        const char* id = GetAttribute(child, "id");
        if (TypeIndex::KindOfElement(child, kind) && *id) index[Index(kind)].insert_or_assign(id, child);
    }
    return index;
}

// "%s.%s", then "%s_%d.%s" with 0, 1, 2 ...: the first that neither the project,
// the file nor an earlier renaming of this merge uses.
std::string NewTypeId(const std::string& iedName, const std::string& id, TemplateKind kind, const TypeIndex& project,
                      const KindMaps& imported, const std::set<std::string>& handedOut)
{
    auto taken = [&](const std::string& candidate) {
        return project.Find(kind, candidate) || imported[Index(kind)].count(candidate) ||
               handedOut.count(candidate);
    };
    std::string candidate = iedName + "." + id;
    for (int n = 0; taken(candidate); ++n) candidate = iedName + "_" + std::to_string(n) + "." + id;
    return candidate;
}

void RewriteReference(xmlNode* element, const char* attribute, const NewIds& newIds, TemplateKind kind)
{
    const char* id = GetAttribute(element, attribute);
    if (!*id) return;
    const auto& table = newIds[Index(kind)];
    auto found = table.find(std::string_view(id));
    if (found != table.end()) EditSetAttribute(element, attribute, found->second);
}

void RewriteTypeReferences(xmlNode* templates, const NewIds& newIds)
{
    for (xmlNode* type : ElementChildren(templates)) {
        TemplateKind ownKind;
        if (!TypeIndex::KindOfElement(type, ownKind) || ownKind == TemplateKind::EnumType) continue;
        for (xmlNode* child : ElementChildren(type)) {
            TemplateKind kind;
            if (ReferencedKind(child, kind)) RewriteReference(child, "type", newIds, kind);
        }
    }
}

void RewriteLogicalNodeTypes(xmlNode* parent, const NewIds& newIds)
{
    for (xmlNode* ln : ElementChildren(parent))
        if (IsElementNamed(ln, "LN0") || IsElementNamed(ln, "LN"))
            RewriteReference(ln, "lnType", newIds, TemplateKind::LNodeType);
}

// The logical nodes of the imported IED: those of every logical device of each access
// point's server, and those placed directly in an access point.
void RewriteInstanceTypes(xmlNode* ied, const NewIds& newIds)
{
    for (xmlNode* accessPoint : ElementChildren(ied)) {
        if (!IsElementNamed(accessPoint, "AccessPoint")) continue;
        RewriteLogicalNodeTypes(accessPoint, newIds);
        for (xmlNode* ldevice : ElementChildren(FindChildElement(accessPoint, "Server")))
            if (IsElementNamed(ldevice, "LDevice")) RewriteLogicalNodeTypes(ldevice, newIds);
    }
}

xmlNode* EnsureTemplatesElement(CVarnholtDoc& doc)
{
    TypeIndex& types = doc.Types();
    if (types.TemplatesElement()) return types.TemplatesElement();
    xmlNode* root = doc.Root();
    xmlNode* templates = root ? NewElement(root, "DataTypeTemplates") : nullptr;
    if (templates) EditInsert(root, nullptr, templates);
    types.SetTemplatesElement(templates);
    return templates;
}

// Behind the last type of its kind; without one, before the first type of a later
// kind, so that the kinds keep the order LNodeType, DOType, DAType, EnumType.
xmlNode* InsertTypeCopy(TypeIndex& types, xmlNode* templates, TemplateKind kind, const xmlNode* type)
{
    if (xmlNode* anchor = types.Anchor(kind)) return PlaceCopy(type, anchor, CopyPlace::After);
    for (xmlNode* child : ElementChildren(templates)) {
        TemplateKind childKind;
        if (TypeIndex::KindOfElement(child, childKind) && Index(childKind) > Index(kind))
            return PlaceCopy(type, child, CopyPlace::Before);
    }
    return PlaceCopy(type, templates, CopyPlace::LastChildOf);
}

}  // namespace

const char* TemplateKindName(TemplateKind kind)
{
    static const char* const kNames[] = {"LNodeType", "DOType", "DAType", "EnumType"};
    return kNames[Index(kind)];
}

std::string DescribeMergedType(const MergedType& type)
{
    std::string kind = TemplateKindName(type.kind);
    switch (type.outcome) {
    case TypeMergeOutcome::Shared: return "shared " + kind + " " + type.projectId;
    case TypeMergeOutcome::Copied: return "copied " + kind + " " + type.projectId;
    case TypeMergeOutcome::Renamed: return "renamed " + kind + " " + type.fileId + " -> " + type.projectId;
    }
    return kind;
}

TypeMergeRecord MergeDataTypeTemplates(CVarnholtDoc& doc, xmlDoc* imported, xmlNode* importedIED,
                                       const std::string& iedName)
{
    TypeMergeRecord record;
    xmlNode* fileTemplates = FindChildElement(imported ? xmlDocGetRootElement(imported) : nullptr, "DataTypeTemplates");
    if (!fileTemplates) return record;
    TypeIndex& types = doc.Types();
    const KindMaps importIndex = BuildImportIndex(fileTemplates);

    NewIds newIds;
    std::array<std::set<std::string>, kTemplateKindCount> handedOut;
    TypeComparison comparison(types, importIndex);
    for (xmlNode* type : ElementChildren(fileTemplates)) {
        TemplateKind kind;
        if (!TypeIndex::KindOfElement(type, kind)) continue;
        std::string id = GetAttribute(type, "id");
        record.push_back({kind, id, id, TypeMergeOutcome::Copied});
        const xmlNode* project = types.Find(kind, id);
        if (!project || comparison.SameType(project, type)) continue;
        std::string newId = NewTypeId(iedName, id, kind, types, importIndex, handedOut[Index(kind)]);
        handedOut[Index(kind)].insert(newId);
        newIds[Index(kind)][id] = newId;
        EditSetAttribute(type, "id", newId);
        record.back().projectId = newId;
        record.back().outcome = TypeMergeOutcome::Renamed;
    }
    RewriteTypeReferences(fileTemplates, newIds);
    RewriteInstanceTypes(importedIED, newIds);

    size_t entry = 0;
    for (xmlNode* type : ElementChildren(fileTemplates)) {
        TemplateKind kind;
        if (!TypeIndex::KindOfElement(type, kind)) continue;
        MergedType& merged = record[entry++];
        const std::string& id = merged.projectId;
        if (types.Find(kind, id)) {
            merged.outcome = TypeMergeOutcome::Shared;
            continue;
        }
        xmlNode* templates = EnsureTemplatesElement(doc);
        xmlNode* copy = templates ? InsertTypeCopy(types, templates, kind, type) : nullptr;
        if (!copy) continue;
        types.SetAnchor(kind, copy);
        if (!id.empty()) types.Store(kind, id, copy);
    }
    return record;
}
