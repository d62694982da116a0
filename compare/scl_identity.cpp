#include "compare/scl_identity.h"

#include "document/xml_access.h"

#include <string_view>

namespace {

bool IsNamedElement(std::string_view name)
{
    static const std::string_view kNamed[] = {
        "Substation", "VoltageLevel", "Bay", "PowerTransformer", "TransformerWinding", "TapChanger",
        "ConductingEquipment", "SubEquipment", "GeneralEquipment", "ConnectivityNode", "Function", "SubFunction",
        "EqFunction", "EqSubFunction", "Line", "Process", "NeutralPoint", "IED", "AccessPoint", "SubNetwork",
        "DataSet", "ReportControl", "GSEControl", "SampledValueControl", "LogControl", "Log", "DOI", "SDI", "DAI",
        "DO", "SDO", "DA", "BDA"};
    for (std::string_view named : kNamed)
        if (name == named) return true;
    return false;
}

std::string Attribute(const xmlNode* element, const char* name) { return GetAttribute(element, name); }

}  // namespace

std::string IdentityOf(const xmlNode* element, int placeAmongItsName)
{
    const std::string_view name = ElementName(element);
    const std::string ix = Attribute(element, "ix");
    const std::string withIx = ix.empty() ? "" : " ix=" + ix;
    if (IsNamedElement(name) && xmlHasProp(element, Xml("name"))) return Attribute(element, "name") + withIx;
    if (name == "LDevice") return Attribute(element, "inst");
    if (name == "LN" || name == "LN0")
        return Attribute(element, "prefix") + Attribute(element, "lnClass") + Attribute(element, "inst");
    if (name == "LNodeType" || name == "DOType" || name == "DAType" || name == "EnumType")
        return Attribute(element, "id");
    if (name == "EnumVal") return Attribute(element, "ord");
    if (name == "ConnectedAP") return Attribute(element, "iedName") + "/" + Attribute(element, "apName");
    if (name == "GSE" || name == "SMV") return Attribute(element, "ldInst") + "/" + Attribute(element, "cbName");
    if (name == "P") return Attribute(element, "type");
    if (name == "FCDA") {
        std::string data = Attribute(element, "doName");
        if (xmlHasProp(element, Xml("daName"))) data += "." + Attribute(element, "daName");
        return Attribute(element, "ldInst") + "/" + Attribute(element, "prefix") + Attribute(element, "lnClass") +
               Attribute(element, "lnInst") + "." + data + " " + Attribute(element, "fc") + withIx;
    }
    if (name == "ExtRef") return std::to_string(placeAmongItsName);
    return placeAmongItsName <= 1 ? "" : std::to_string(placeAmongItsName);
}

std::string PathStep(const xmlNode* element, const std::string& identity)
{
    std::string step(ElementName(element));
    return identity.empty() ? step : step + "[" + identity + "]";
}

bool OrderMatters(const xmlNode* element) { return IsElementNamed(element, "FCDA"); }
