#include "datasets/dataset_choice.h"

#include "document/dataset_references.h"
#include "document/xml_access.h"

#include <algorithm>

namespace {

bool IsLogicalNode(const xmlNode* node)
{
    return IsElementNamed(node, "LN0") || IsElementNamed(node, "LN");
}

}  // namespace

std::vector<std::string> DatasetChoices(const xmlNode* reportControl)
{
    std::vector<std::string> options{std::string()};
    const xmlNode* ownLN = reportControl ? reportControl->parent : nullptr;
    const xmlNode* ownLDevice = ownLN ? ownLN->parent : nullptr;
    const xmlNode* server = ownLDevice ? ownLDevice->parent : nullptr;
    if (!IsLogicalNode(ownLN) || !IsElementNamed(ownLDevice, "LDevice") || !IsElementNamed(server, "Server"))
        return options;
    for (const xmlNode* ldevice : ElementChildren(server)) {
        if (!IsElementNamed(ldevice, "LDevice")) continue;
        for (const xmlNode* ln : ElementChildren(ldevice)) {
            if (!IsLogicalNode(ln)) continue;
            const std::string qualifier =
                ln == ownLN ? std::string() : std::string(GetAttribute(ldevice, "inst")) + "/" + LNName(ln) + ".";
            for (const xmlNode* dataset : ElementChildren(ln))
                if (IsElementNamed(dataset, "DataSet")) options.push_back(qualifier + GetAttribute(dataset, "name"));
        }
    }
    return options;
}

int ChoiceIndex(const std::vector<std::string>& options, std::string_view value)
{
    const auto found = std::find(options.begin(), options.end(), value);
    return found == options.end() ? 0 : static_cast<int>(found - options.begin());
}
