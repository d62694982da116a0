#include "communication/communication_map.h"

#include "document/xml_access.h"

#include <algorithm>

xmlNode* AddressParameterElement(const xmlNode* address, const char* type)
{
    for (xmlNode* p : ElementChildren(address))
        if (IsElementNamed(p, "P") && std::string_view(GetAttribute(p, "type")) == type) return p;
    return nullptr;
}

std::string AddressParameter(const xmlNode* address, const char* type)
{
    const xmlNode* p = AddressParameterElement(address, type);
    return p ? GetElementText(p) : "";
}

namespace {

void ReadConnectedAP(xmlNode* connectedAP, const std::string& subNetwork, CommunicationMap& map)
{
    ConnectedAPEntry entry{connectedAP, subNetwork, GetAttribute(connectedAP, "iedName"),
                           GetAttribute(connectedAP, "apName"), "", "", ""};
    if (const xmlNode* address = FindChildElement(connectedAP, "Address")) {
        entry.ip = AddressParameter(address, "IP");
        entry.mask = AddressParameter(address, "IP-SUBNET");
        entry.gateway = AddressParameter(address, "IP-GATEWAY");
    }
    map.connectedAPs.push_back(entry);
    for (xmlNode* child : ElementChildren(connectedAP)) {
        const bool sampled = IsElementNamed(child, "SMV");
        if (!sampled && !IsElementNamed(child, "GSE")) continue;
        MessageAddress address{child, sampled, subNetwork, entry.iedName, entry.apName, GetAttribute(child, "ldInst"),
                               GetAttribute(child, "cbName"), "", "", "", "", "", ""};
        if (const xmlNode* parameters = FindChildElement(child, "Address")) {
            address.mac = AddressParameter(parameters, "MAC-Address");
            address.appId = AddressParameter(parameters, "APPID");
            address.vlanId = AddressParameter(parameters, "VLAN-ID");
            address.vlanPriority = AddressParameter(parameters, "VLAN-PRIORITY");
        }
        if (!sampled) {
            if (const xmlNode* time = FindChildElement(child, "MinTime")) address.minTime = GetElementText(time);
            if (const xmlNode* time = FindChildElement(child, "MaxTime")) address.maxTime = GetElementText(time);
        }
        map.addresses.push_back(address);
    }
}

void ReadControls(xmlNode* ied, CommunicationMap& map)
{
    const std::string iedName = GetAttribute(ied, "name");
    for (xmlNode* accessPoint : ElementChildren(ied)) {
        if (!IsElementNamed(accessPoint, "AccessPoint")) continue;
        for (xmlNode* server : ElementChildren(accessPoint)) {
            if (!IsElementNamed(server, "Server")) continue;
            for (xmlNode* ldevice : ElementChildren(server)) {
                if (!IsElementNamed(ldevice, "LDevice")) continue;
                for (xmlNode* control : ElementChildren(FindChildElement(ldevice, "LN0"))) {
                    const bool sampled = IsElementNamed(control, "SampledValueControl");
                    if (sampled || IsElementNamed(control, "GSEControl"))
                        map.controls.push_back({control, sampled, iedName, GetAttribute(accessPoint, "name"),
                                                GetAttribute(ldevice, "inst"), GetAttribute(control, "name")});
                }
            }
        }
    }
}

}  // namespace

CommunicationMap ReadCommunicationMap(const xmlNode* root)
{
    CommunicationMap map;
    for (xmlNode* child : ElementChildren(root)) {
        if (IsElementNamed(child, "IED")) {
            map.iedNames.push_back(GetAttribute(child, "name"));
            ReadControls(child, map);
        } else if (IsElementNamed(child, "Communication")) {
            for (xmlNode* subNetwork : ElementChildren(child)) {
                if (!IsElementNamed(subNetwork, "SubNetwork")) continue;
                const std::string name = GetAttribute(subNetwork, "name");
                for (xmlNode* connectedAP : ElementChildren(subNetwork))
                    if (IsElementNamed(connectedAP, "ConnectedAP")) ReadConnectedAP(connectedAP, name, map);
            }
        }
    }
    return map;
}

bool IsAddressOf(const MessageAddress& address, const MessageControl& control)
{
    return address.sampledValues == control.sampledValues && address.iedName == control.iedName &&
           address.ldInst == control.ldInst && address.cbName == control.name;
}

bool HasAddress(const CommunicationMap& map, const MessageControl& control)
{
    return std::any_of(map.addresses.begin(), map.addresses.end(),
                       [&](const MessageAddress& address) { return IsAddressOf(address, control); });
}

bool IsOnSubNetwork(const CommunicationMap& map, const std::string& iedName)
{
    return std::any_of(map.connectedAPs.begin(), map.connectedAPs.end(),
                       [&](const ConnectedAPEntry& entry) { return entry.iedName == iedName; });
}

std::string DescribeAddress(const MessageAddress& address)
{
    return std::string(address.sampledValues ? "SMV" : "GSE") + " of IED " + address.iedName + " " + address.ldInst +
           "/" + address.cbName;
}
