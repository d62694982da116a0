#include "document/dataset_references.h"

#include "document/type_index.h"
#include "document/xml_access.h"

namespace {

bool IsLogicalNode(const xmlNode* element)
{
    return IsElementNamed(element, "LN0") || IsElementNamed(element, "LN");
}

template <typename Visit>
void ForEachLogicalNode(const xmlNode* server, Visit visit)
{
    for (xmlNode* ldevice : ElementChildren(server)) {
        if (!IsElementNamed(ldevice, "LDevice")) continue;
        std::string ldInst = GetAttribute(ldevice, "inst");
        for (xmlNode* ln : ElementChildren(ldevice))
            if (IsLogicalNode(ln)) visit(ldInst + "/" + LNName(ln), ln);
    }
}

bool VerifyServer(const xmlNode* server, std::vector<std::string>& log)
{
    StringSet datasets;
    ForEachLogicalNode(server, [&](const std::string& lnRef, const xmlNode* ln) {
        for (xmlNode* child : ElementChildren(ln))
            if (IsElementNamed(child, "DataSet")) datasets.insert(lnRef + "." + GetAttribute(child, "name"));
    });
    bool allFound = true;
    ForEachLogicalNode(server, [&](const std::string& lnRef, const xmlNode* ln) {
        for (xmlNode* control : ElementChildren(ln)) {
            if (!IsElementNamed(control, "ReportControl") && !IsElementNamed(control, "GSEControl"))
                continue;
            std::string dataset = GetAttribute(control, "datSet");
            if (dataset.empty()) continue;
            std::string reference =
                dataset.find('.') != std::string::npos ? dataset : lnRef + "." + dataset;
            if (datasets.count(reference)) continue;
            allFound = false;
            log.push_back("Error: dataset " + dataset + " referenced by: " + lnRef + "." +
                          GetAttribute(control, "name") + " not found");
        }
    });
    return allFound;
}

}  // namespace

std::string LNName(const xmlNode* ln)
{
    return std::string(GetAttribute(ln, "prefix")) + GetAttribute(ln, "lnClass") + GetAttribute(ln, "inst");
}

bool VerifyDatasetReferences(xmlDoc* tree, std::vector<std::string>& log)
{
    log.clear();
    bool allFound = true;
    for (xmlNode* ied : ElementChildren(tree ? xmlDocGetRootElement(tree) : nullptr)) {
        if (!IsElementNamed(ied, "IED")) continue;
        for (xmlNode* accessPoint : ElementChildren(ied)) {
            if (!IsElementNamed(accessPoint, "AccessPoint")) continue;
            for (xmlNode* server : ElementChildren(accessPoint))
                if (IsElementNamed(server, "Server") && !VerifyServer(server, log)) allFound = false;
        }
    }
    return allFound;
}
