#include "import/ied_file.h"

#include "document/scl_edition.h"
#include "document/tree_edit.h"
#include "document/xml_access.h"
#include "document/xml_copy.h"
#include "document/xml_parse.h"

#include <cstring>

namespace {

xmlNode* FindOrAppend(xmlNode* parent, const char* name)
{
    if (xmlNode* found = FindChildElement(parent, name)) return found;
    return xmlNewChild(parent, nullptr, Xml(name), nullptr);  // takes the parent's namespace
}

xmlNode* NewConnectedAP(xmlNode* subNetwork)
{
    xmlNode* connectedAP = xmlNewChild(subNetwork, nullptr, Xml("ConnectedAP"), nullptr);
    xmlNode* address = connectedAP ? xmlNewChild(connectedAP, nullptr, Xml("Address"), nullptr) : nullptr;
    if (!address) return connectedAP;
    for (const char* type : {"IP", "IP-SUBNET", "IP-GATEWAY"}) {
        xmlNode* p = xmlNewChild(address, nullptr, Xml("P"), Xml("0.0.0.0"));
        if (p) xmlNewProp(p, Xml("type"), Xml(type));
    }
    return connectedAP;
}

void RenameInputsBelow(xmlNode* node, std::string_view oldName, const std::string& newName)
{
    for (xmlNode* child : ElementChildren(node)) {
        if (IsElementNamed(child, "ExtRef")) {
            if (GetAttribute(child, "iedName") == oldName) EditSetAttribute(child, "iedName", newName);
        } else {
            RenameInputsBelow(child, oldName, newName);
        }
    }
}

}  // namespace

std::vector<xmlNode*> FileIEDs(xmlDoc* tree)
{
    std::vector<xmlNode*> ieds;
    for (xmlNode* child : ElementChildren(tree ? xmlDocGetRootElement(tree) : nullptr))
        if (IsElementNamed(child, "IED")) ieds.push_back(child);
    return ieds;
}

int PreferredFileIED(const std::vector<xmlNode*>& ieds)
{
    for (size_t i = 0; i < ieds.size(); ++i)
        for (xmlNode* accessPoint : ElementChildren(ieds[i]))
            if (IsElementNamed(accessPoint, "AccessPoint") && FindChildElement(accessPoint, "Server"))
                return static_cast<int>(i);
    return ieds.empty() ? -1 : 0;
}

xmlNode* FindFirstConnectedAP(xmlDoc* tree)
{
    xmlNode* communication = FindChildElement(tree ? xmlDocGetRootElement(tree) : nullptr, "Communication");
    return FindChildElement(FindChildElement(communication, "SubNetwork"), "ConnectedAP");
}

std::vector<ConnectedAPAt> ConnectedAPsOfIED(xmlNode* root, std::string_view iedName)
{
    std::vector<ConnectedAPAt> found;
    for (xmlNode* subNetwork : ElementChildren(FindChildElement(root, "Communication"))) {
        if (!IsElementNamed(subNetwork, "SubNetwork")) continue;
        for (xmlNode* connectedAP : ElementChildren(subNetwork))
            if (IsElementNamed(connectedAP, "ConnectedAP") && GetAttribute(connectedAP, "iedName") == iedName)
                found.push_back({connectedAP, GetAttribute(subNetwork, "name")});
    }
    return found;
}

std::vector<ConnectedAPAt> FindConnectedAPsOfIED(xmlDoc* tree, std::string_view iedName)
{
    xmlNode* root = tree ? xmlDocGetRootElement(tree) : nullptr;
    std::vector<ConnectedAPAt> found = ConnectedAPsOfIED(root, iedName);
    if (!found.empty()) return found;
    xmlNode* first = FindFirstConnectedAP(tree);
    if (!first || FindIEDElement(root, GetAttribute(first, "iedName"))) return found;
    found.push_back({first, GetAttribute(first->parent, "name")});
    return found;
}

xmlNode* CreateConnectedAP(xmlDoc* tree)
{
    xmlNode* root = tree ? xmlDocGetRootElement(tree) : nullptr;
    xmlNode* communication = root ? FindOrAppend(root, "Communication") : nullptr;
    xmlNode* subNetwork = communication ? FindOrAppend(communication, "SubNetwork") : nullptr;
    return subNetwork ? NewConnectedAP(subNetwork) : nullptr;
}

std::string FirstAccessPointName(const xmlNode* ied)
{
    return GetAttribute(FindChildElement(ied, "AccessPoint"), "name");
}

void RenameIEDInputs(xmlNode* ied, std::string_view oldName, const std::string& newName)
{
    if (oldName != newName) RenameInputsBelow(ied, oldName, newName);
}

void RaiseSclVersion(xmlNode* projectRoot, const xmlNode* importedRoot)
{
    if (!projectRoot || !*GetAttribute(importedRoot, "version")) return;
    if (CompareDeclaredEditions(importedRoot, projectRoot) > 0) CopyDeclaredEdition(projectRoot, importedRoot);
}

xmlNode* InsertIEDCopy(xmlNode* projectRoot, const xmlNode* ied)
{
    xmlNode* lastIED = nullptr;
    for (xmlNode* child : ElementChildren(projectRoot))
        if (IsElementNamed(child, "IED")) lastIED = child;
    if (!lastIED) lastIED = FindChildElement(projectRoot, "Communication");
    if (lastIED) return PlaceCopy(ied, lastIED, CopyPlace::After);
    if (xmlNode* templates = FindChildElement(projectRoot, "DataTypeTemplates"))
        return PlaceCopy(ied, templates, CopyPlace::Before);
    return PlaceCopy(ied, projectRoot, CopyPlace::LastChildOf);
}

std::vector<xmlNode*> AppendConnectedAPCopies(xmlNode* projectRoot, const xmlNode* connectedAP,
                                              std::string_view subNetwork)
{
    std::vector<xmlNode*> copies;
    for (xmlNode* network : ElementChildren(FindChildElement(projectRoot, "Communication"))) {
        if (!IsElementNamed(network, "SubNetwork") || GetAttribute(network, "name") != subNetwork) continue;
        if (xmlNode* copy = PlaceCopy(connectedAP, network, CopyPlace::LastChildOf)) copies.push_back(copy);
    }
    return copies;
}

std::string SubNetworkForConnectedAP(xmlNode* projectRoot, const xmlNode* connectedAP,
                                     std::string_view fileSubNetwork, std::string_view chosen)
{
    const std::string_view iedName = GetAttribute(connectedAP, "iedName");
    const std::string_view apName = GetAttribute(connectedAP, "apName");
    auto takes = [&](std::string_view name) {
        bool exists = false;
        for (xmlNode* network : ElementChildren(FindChildElement(projectRoot, "Communication"))) {
            if (!IsElementNamed(network, "SubNetwork") || GetAttribute(network, "name") != name) continue;
            exists = true;
            for (xmlNode* other : ElementChildren(network))
                if (IsElementNamed(other, "ConnectedAP") && GetAttribute(other, "iedName") == iedName &&
                    GetAttribute(other, "apName") == apName)
                    return false;
        }
        return exists;
    };
    if (takes(fileSubNetwork)) return std::string(fileSubNetwork);
    if (takes(chosen)) return std::string(chosen);
    return "";
}

xmlNode* FindIEDElement(xmlNode* root, std::string_view name)
{
    return FindNamedChildElement(root, "IED", name);
}

XmlDocPtr ReadIEDFile(const std::string& path, std::string& error)
{
    return XmlDocPtr(ParseXmlFile(path, &error));
}
