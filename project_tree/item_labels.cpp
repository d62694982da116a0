#include "project_tree/item_labels.h"

#include "document/dataset_references.h"
#include "document/xml_access.h"

#include <cstring>
#include <string_view>
#include <unordered_map>

namespace {

// Deeper than any parsed document can be; guards trees built by other means.
constexpr int kMaxTimeServerSearchDepth = 512;

bool HoldsClockAccessPoint(const xmlNode* element, int depth)
{
    if (depth > kMaxTimeServerSearchDepth) return false;
    for (const xmlNode* child : ElementChildren(element)) {
        if (IsElementNamed(child, "AccessPoint")) {
            if (std::strcmp(GetAttribute(child, "clock"), "true") == 0) return true;
        } else if (HoldsClockAccessPoint(child, depth + 1)) {
            return true;
        }
    }
    return false;
}

const std::unordered_map<std::string_view, int32_t>& KindsByName()
{
    static const std::unordered_map<std::string_view, int32_t> kinds{
        {"Substation", kKindSubstation}, {"VoltageLevel", kKindVoltageLevel},
        {"Bay", kKindBay},               {"Communication", kKindCommunication},
        {"SubNetwork", kKindSubNetwork}, {"ConnectedAP", kKindConnectedAP},
        {"IED", kKindIED},               {"AccessPoint", kKindAccessPoint},
        {"LDevice", kKindLDevice},       {"LN0", kKindLN},
        {"LN", kKindLN},                 {"DO", kKindDO},
        {"DA", kKindDA},                 {"DataSet", kKindDataSet},
        {"ReportControl", kKindReportControl}, {"GSEControl", kKindGSEControl},
        {"FCDA", kKindFCDA},             {"ExtRef", kKindExtRef},
        {"Address", kKindAddress},       {"SDO", kKindSDO},
        {"BDA", kKindBDA},               {"Inputs", kKindInputs},
        {"Val", kKindVal},
    };
    return kinds;
}

std::string Attr(const xmlNode* element, const char* name)
{
    return GetAttribute(element, name);
}

std::string DefaultLabel(const xmlNode* element)
{
    std::string label(ElementName(element));
    if (const char* name = GetAttribute(element, "name"); *name) return label + ": " + name;
    if (const char* type = GetAttribute(element, "type"); *type) return label + ": " + type;
    return label;
}

std::string ExtRefLabel(const xmlNode* e)
{
    std::string reference = Attr(e, "iedName") + Attr(e, "ldInst");
    if (!reference.empty()) reference += "/";
    reference += Attr(e, "prefix") + Attr(e, "lnClass") + Attr(e, "lnInst");
    if (!reference.empty()) reference += ".";
    reference += Attr(e, "doName");
    if (const char* da = GetAttribute(e, "daName"); *da) reference += std::string(".") + da;
    return "ExtRef: " + reference;
}

std::string FcdaLabel(const xmlNode* e)
{
    std::string label = "FCDA: " + Attr(e, "prefix") + Attr(e, "lnClass") + Attr(e, "lnInst") + "." +
                        Attr(e, "fc") + "." + Attr(e, "doName");
    if (const char* da = GetAttribute(e, "daName"); *da) label += std::string(".") + da;
    return label;
}

}  // namespace

int32_t ClassifyElement(const xmlNode* element)
{
    auto found = KindsByName().find(ElementName(element));
    if (!IsElement(element) || found == KindsByName().end()) return kKindOther;
    switch (found->second) {
    case kKindIED:
        return HoldsClockAccessPoint(element, 0) ? kKindTimeServer : kKindIED;
    case kKindAddress:
        return IsElementNamed(element->parent, "GSE") ? kKindGSEAddress : kKindAddress;
    default:
        return found->second;
    }
}

std::string LabelOfKind(int32_t kind, const xmlNode* element)
{
    switch (kind) {
    case kKindConnectedAP:
        return std::string(ElementName(element)) + ": IED: " + Attr(element, "iedName") +
               " AP: " + Attr(element, "apName");
    case kKindLDevice:
        return "LD: " + Attr(element, "inst");
    case kKindLN:
        return "LN: " + LNName(element);
    case kKindFCDA:
        return FcdaLabel(element);
    case kKindExtRef:
        return ExtRefLabel(element);
    case kKindVal:
        return "Value: " + GetElementText(element);
    default:
        return DefaultLabel(element);
    }
}

ItemLabel MakeItemLabel(const xmlNode* element)
{
    int32_t kind = ClassifyElement(element);
    return {LabelOfKind(kind, element), kind};
}

std::string MarkerSuffix(int32_t kind, uint8_t markers)
{
    std::string suffix;
    auto add = [&](uint8_t bit, const char* marker) {
        if (markers & bit) suffix += marker;
    };
    switch (kind) {
    case kKindConnectedAP:
        add(kMarkerGoose, " [G]");
        break;
    case kKindIED:
    case kKindLDevice:
        add(kMarkerInputs, " [I]");
        add(kMarkerGoose, " [G]");
        break;
    case kKindLN:
        add(kMarkerInputs, " [I]");
        add(kMarkerGoose, " [G]");
        add(kMarkerReports, " [R]");
        add(kMarkerDatasets, " [D]");
        break;
    default:
        break;
    }
    return suffix;
}

std::string MakeMarkedItemLabel(const TreeItemRecord& record)
{
    return MakeMarkedItemLabel(record, record.kind);
}

std::string MakeMarkedItemLabel(const TreeItemRecord& record, int32_t markerKind)
{
    return LabelOfKind(record.kind, record.node) + MarkerSuffix(markerKind, record.markers);
}
