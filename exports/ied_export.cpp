#include "exports/ied_export.h"

#include "document/type_index.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "document/xml_copy.h"

#include <cstring>
#include <set>
#include <string>

namespace {

constexpr const char* kSclNamespace = "http://www.iec.ch/61850/2003/SCL";
constexpr const char* kSchemaInstanceNamespace = "http://www.w3.org/2001/XMLSchema-instance";

// The types an IED uses, collected in the order in which the project tree lists them
// (each type after the types it holds), but from the type index, so that a template
// the tree cut short still brings all its types.
class TypeClosure {
public:
    explicit TypeClosure(const CVarnholtDoc& doc) : doc_(doc) {}

    void AddLogicalNodesOf(const xmlNode* parent)
    {
        for (xmlNode* ln : ElementChildren(parent))
            if (IsElementNamed(ln, "LN0") || IsElementNamed(ln, "LN")) AddLogicalNode(ln);
    }
    const UsedTypeIds& Ids() const { return ids_; }

private:
    void AddLogicalNode(const xmlNode* ln)
    {
        const char* id = GetAttribute(ln, "lnType");
        if (Enter(TemplateKind::LNodeType, id))
            for (xmlNode* dataObject : ElementChildren(doc_.FindLNodeType(id))) AddMember(dataObject);
        Leave(TemplateKind::LNodeType, id);
    }
    void AddMember(const xmlNode* member)
    {
        const char* id = GetAttribute(member, "type");
        if (IsElementNamed(member, "DO") || IsElementNamed(member, "SDO")) {
            if (Enter(TemplateKind::DOType, id))
                for (xmlNode* child : ElementChildren(doc_.FindDOType(id))) AddMember(child);
            Leave(TemplateKind::DOType, id);
        } else if ((IsElementNamed(member, "DA") || IsElementNamed(member, "BDA")) && *id) {
            if (std::strcmp(GetAttribute(member, "bType"), "Struct") == 0) {
                if (Enter(TemplateKind::DAType, id))
                    for (xmlNode* child : ElementChildren(doc_.FindDAType(id))) AddMember(child);
                Leave(TemplateKind::DAType, id);
            } else if (doc_.FindEnumType(id)) {
                ids_[TemplateKind::EnumType].Add(id);
            }
        }
    }
    // False when the type is listed already or is being walked (a cycle).
    bool Enter(TemplateKind kind, const char* id)
    {
        if (ids_[kind].Contains(id)) return false;
        return walking_.insert({static_cast<int>(kind), id}).second;
    }
    void Leave(TemplateKind kind, const char* id)
    {
        walking_.erase({static_cast<int>(kind), id});
        ids_[kind].Add(id);
    }

    const CVarnholtDoc& doc_;
    UsedTypeIds ids_;
    std::set<std::pair<int, std::string>> walking_;
};

xmlNode* NewRoot(xmlDoc* exported, const xmlNode* projectRoot)
{
    xmlNode* root = xmlNewDocNode(exported, nullptr, Xml("SCL"), nullptr);
    if (!root) return nullptr;
    xmlDocSetRootElement(exported, root);
    xmlSetNs(root, xmlNewNs(root, Xml(kSclNamespace), nullptr));
    xmlNs* xsi = xmlNewNs(root, Xml(kSchemaInstanceNamespace), Xml("xsi"));
    xmlNewNsProp(root, xsi, Xml("schemaLocation"), Xml((std::string(kSclNamespace) + " SCL.xsd").c_str()));
    for (const char* name : {"version", "revision", "release"})
        if (*GetAttribute(projectRoot, name)) xmlNewProp(root, Xml(name), Xml(GetAttribute(projectRoot, name)));
    return root;
}

void AddHeader(xmlNode* root, const xmlNode* projectRoot)
{
    const xmlNode* header = FindChildElement(projectRoot, "Header");
    xmlNode* made = xmlNewChild(root, nullptr, Xml("Header"), nullptr);
    if (!made) return;
    xmlNewProp(made, Xml("id"), Xml("Orlemar SCL"));
    xmlNewProp(made, Xml("nameStructure"), Xml("IEDName"));
    xmlNewProp(made, Xml("version"), Xml(GetAttribute(header, "version")));
    xmlNewProp(made, Xml("revision"), Xml(GetAttribute(header, "revision")));
}

// Every ConnectedAP of the IED's access points, on every subnetwork, each subnetwork
// once (its attributes, none of its other children). Without any there is no
// Communication: the schema refuses an empty one.
void AddCommunication(xmlNode* root, const xmlNode* projectRoot, const xmlNode* ied)
{
    xmlNode* communication = xmlNewChild(root, nullptr, Xml("Communication"), nullptr);
    if (!communication) return;
    const std::string iedName = GetAttribute(ied, "name");
    for (xmlNode* accessPoint : ElementChildren(ied)) {
        if (!IsElementNamed(accessPoint, "AccessPoint")) continue;
        std::string_view apName = GetAttribute(accessPoint, "name");
        for (xmlNode* network : ElementChildren(FindChildElement(projectRoot, "Communication"))) {
            if (!IsElementNamed(network, "SubNetwork")) continue;
            for (xmlNode* connectedAP : ElementChildren(network)) {
                if (!IsElementNamed(connectedAP, "ConnectedAP") || GetAttribute(connectedAP, "iedName") != iedName ||
                    GetAttribute(connectedAP, "apName") != apName)
                    continue;
                xmlNode* target = FindNamedChildElement(communication, "SubNetwork", GetAttribute(network, "name"));
                if (!target) target = PlaceCopy(network, communication, CopyPlace::LastChildOf, false);
                if (!target) continue;
                PlaceCopy(connectedAP, target, CopyPlace::LastChildOf);
            }
        }
    }
    if (!xmlFirstElementChild(communication)) {
        xmlUnlinkNode(communication);
        xmlFreeNode(communication);
    }
}

void AddTemplates(xmlNode* root, const CVarnholtDoc& doc, const xmlNode* ied)
{
    TypeClosure closure(doc);
    for (xmlNode* accessPoint : ElementChildren(ied)) {
        if (!IsElementNamed(accessPoint, "AccessPoint")) continue;
        for (xmlNode* child : ElementChildren(accessPoint)) {
            if (IsElementNamed(child, "Server")) {
                for (xmlNode* ldevice : ElementChildren(child))
                    if (IsElementNamed(ldevice, "LDevice")) closure.AddLogicalNodesOf(ldevice);
            }
        }
        closure.AddLogicalNodesOf(accessPoint);
    }
    xmlNode* templates = xmlNewChild(root, nullptr, Xml("DataTypeTemplates"), nullptr);
    if (!templates) return;
    for (TemplateKind kind : {TemplateKind::LNodeType, TemplateKind::DOType, TemplateKind::DAType,
                              TemplateKind::EnumType})
        for (const std::string& id : closure.Ids()[kind].Ids())
            if (xmlNode* type = doc.Types().Find(kind, id)) PlaceCopy(type, templates, CopyPlace::LastChildOf);
}

}  // namespace

XmlDocPtr BuildIEDExport(const CVarnholtDoc& doc, std::string_view iedName)
{
    xmlNode* projectRoot = doc.Root();
    const xmlNode* ied = FindNamedChildElement(projectRoot, "IED", iedName);
    if (!ied) return nullptr;
    XmlDocPtr exported(xmlNewDoc(Xml("1.0")));
    if (!exported) return nullptr;
    exported->encoding = xmlStrdup(Xml("UTF-8"));
    xmlNode* root = NewRoot(exported.get(), projectRoot);
    if (!root) return nullptr;
    AddHeader(root, projectRoot);
    AddCommunication(root, projectRoot, ied);
    PlaceCopy(ied, root, CopyPlace::LastChildOf);
    AddTemplates(root, doc, ied);
    return exported;
}
