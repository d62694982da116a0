#include "datasets/dataset_element.h"

#include "document/xml_access.h"

#include <strings.h>

std::string ElementText(const DatasetElement& element)
{
    std::string text = element.ldInst + "/" + element.prefix + element.lnClass + element.lnInst + "." + element.doName;
    if (!element.daName.empty()) text += "." + element.daName;
    return text + " [" + element.fc + "]";
}

bool SameElementText(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && strncasecmp(a.c_str(), b.c_str(), a.size()) == 0;
}

DatasetElement ReadFCDA(const xmlNode* fcda)
{
    return {GetAttribute(fcda, "lnClass"), GetAttribute(fcda, "lnInst"), GetAttribute(fcda, "prefix"),
            GetAttribute(fcda, "ldInst"),  GetAttribute(fcda, "doName"), GetAttribute(fcda, "daName"),
            GetAttribute(fcda, "fc")};
}

xmlNode* MakeFCDA(const xmlNode* dataset, const DatasetElement& element)
{
    xmlNode* fcda = xmlNewDocNode(dataset->doc, dataset->ns, Xml("FCDA"), nullptr);
    if (!fcda) return nullptr;
    // The schema's tName has no empty value: an empty lnInst (of LLN0) is left out.
    const std::pair<const char*, const std::string*> attributes[] = {
        {"ldInst", &element.ldInst}, {"prefix", &element.prefix}, {"lnClass", &element.lnClass},
        {"lnInst", &element.lnInst}, {"doName", &element.doName}, {"daName", &element.daName},
        {"fc", &element.fc}};
    for (const auto& [name, value] : attributes) {
        bool optional = value == &element.lnInst || value == &element.daName;
        if (!value->empty() || !optional) xmlNewProp(fcda, Xml(name), Xml(value->c_str()));
    }
    return fcda;
}
