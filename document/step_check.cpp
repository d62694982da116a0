#include "document/step_check.h"

#include "document/xml_access.h"

#include <algorithm>
#include <set>
#include <string>
#include <utility>

namespace {

// The place of each child of SCL in the schema's sequence; the children must not go
// back in it, and those it takes once appear at most once. -1: not one the check knows.
int RootRank(const xmlNode* child)
{
    static const char* const kOrder[] = {"Text",      "Private", "Header",           "Substation",
                                         "Communication", "IED", "DataTypeTemplates", "Line",
                                         "Process"};
    for (int rank = 0; rank < static_cast<int>(std::size(kOrder)); ++rank)
        if (IsElementNamed(child, kOrder[rank])) return rank;
    return -1;
}

std::optional<bool> RootChildrenInOrder(const xmlNode* root)
{
    int last = 0, headers = 0;
    std::set<int> once;
    for (xmlNode* child : ElementChildren(root)) {
        const int rank = RootRank(child);
        if (rank < 0) return std::nullopt;
        if (rank < last) return false;
        const bool single = rank == 0 || rank == 2 || rank == 4 || rank == 6;
        if (single && !once.insert(rank).second) return false;
        headers += rank == 2;
        last = rank;
    }
    return headers == 1;
}

// The elements whose own keys reach beyond themselves: a change below them is left to the
// check of the whole project.
bool HasDocumentWideKeys(const xmlNode* element)
{
    for (const char* name : {"Header", "Substation", "Line", "Process"})
        if (IsElementNamed(element, name)) return true;
    return false;
}

// The outermost ancestor (or the element) below the root that the schema declares
// globally: the identity constraints of every element between it and the change are then
// checked too (those of an LN0 on its control blocks, say). Null when there is none, or
// when the change lies in an element whose keys are document-wide.
xmlNode* ValidationRoot(const SclSchema& schema, xmlNode* element, const xmlNode* root)
{
    xmlNode* global = nullptr;
    for (xmlNode* node = element; node && node != root; node = node->parent) {
        if (node->type != XML_ELEMENT_NODE) continue;
        if (HasDocumentWideKeys(node)) return nullptr;
        if (schema.IsGlobalElement(node)) global = node;
    }
    return global;
}

bool IsInside(const xmlNode* node, const xmlNode* ancestor)
{
    for (node = node ? node->parent : nullptr; node; node = node->parent)
        if (node == ancestor) return true;
    return false;
}

void CollectLogicalNodes(xmlNode* parent, std::vector<xmlNode*>& lns)
{
    for (xmlNode* child : ElementChildren(parent)) {
        if (IsElementNamed(child, "LN") || IsElementNamed(child, "LN0")) lns.push_back(child);
        else if (IsElementNamed(child, "Server") || IsElementNamed(child, "LDevice")) CollectLogicalNodes(child, lns);
    }
}

// IEDKey, LNodeTypeKey with the logical nodes' references to it, and from edition 2
// refConnectedAP2IED: the keys the schema keeps on SCL for the IEDs and the templates.
bool DocumentKeysHold(const xmlNode* root, SclEdition edition)
{
    std::set<std::string> ieds;
    std::set<std::pair<std::string, std::string>> types;  // id, lnClass
    for (xmlNode* type : ElementChildren(FindChildElement(root, "DataTypeTemplates")))
        if (IsElementNamed(type, "LNodeType") &&
            !types.emplace(GetAttribute(type, "id"), GetAttribute(type, "lnClass")).second)
            return false;
    for (xmlNode* ied : ElementChildren(root)) {
        if (!IsElementNamed(ied, "IED")) continue;
        if (!ieds.insert(GetAttribute(ied, "name")).second) return false;
        for (xmlNode* accessPoint : ElementChildren(ied)) {
            if (!IsElementNamed(accessPoint, "AccessPoint")) continue;
            std::vector<xmlNode*> lns;
            CollectLogicalNodes(accessPoint, lns);
            for (const xmlNode* ln : lns)
                if (!types.count({GetAttribute(ln, "lnType"), GetAttribute(ln, "lnClass")})) return false;
        }
    }
    if (edition == SclEdition::Ed2003) return true;
    for (xmlNode* network : ElementChildren(FindChildElement(root, "Communication")))
        for (xmlNode* connectedAP : ElementChildren(network))
            if (IsElementNamed(connectedAP, "ConnectedAP") && !ieds.count(GetAttribute(connectedAP, "iedName")))
                return false;
    return true;
}

}  // namespace

std::optional<bool> CheckStep(SclSchema& schema, SclEdition edition, xmlNode* root,
                              const ChangeChannel::Touched& touched)
{
    std::vector<xmlNode*> roots;
    for (xmlNode* element : touched.attributesOf) {
        if (element == root) return std::nullopt;
        // An element the step took out of the tree touched nothing that is left.
        if (!IsInside(element, root)) continue;
        xmlNode* global = ValidationRoot(schema, element, root);
        if (!global) return std::nullopt;
        roots.push_back(global);
    }
    bool rootChildren = false;
    for (xmlNode* parent : touched.childrenOf) {
        if (parent == root) {
            rootChildren = true;
            continue;
        }
        if (!IsInside(parent, root)) continue;
        xmlNode* global = ValidationRoot(schema, parent, root);
        if (!global) return std::nullopt;
        roots.push_back(global);
    }
    if (rootChildren) {
        std::optional<bool> inOrder = RootChildrenInOrder(root);
        if (!inOrder) return std::nullopt;
        if (!*inOrder) return false;
    }
    // The root's children that the step put in are checked whole.
    for (xmlNode* node : touched.inserted) {
        if (node->parent != root || node->type != XML_ELEMENT_NODE) continue;
        if (HasDocumentWideKeys(node) || !schema.IsGlobalElement(node)) return std::nullopt;
        roots.push_back(node);
    }
    std::sort(roots.begin(), roots.end());
    roots.erase(std::unique(roots.begin(), roots.end()), roots.end());
    for (xmlNode* element : roots) {
        bool covered = false;
        for (xmlNode* other : roots) covered = covered || IsInside(element, other);
        if (!covered && !schema.ValidateElement(element)) return false;
    }
    return DocumentKeysHold(root, edition);
}
