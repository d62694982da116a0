#pragma once
#include <libxml/tree.h>

#include <string>
#include <vector>

// What the Communication section and the control blocks of a project say about the
// messages on each subnetwork, read from the XML as it stands.

// The text of the first P child of `address` of this type; "" when there is none.
std::string AddressParameter(const xmlNode* address, const char* type);
// That P element; null when there is none.
xmlNode* AddressParameterElement(const xmlNode* address, const char* type);

struct ConnectedAPEntry {
    xmlNode* element;  // the ConnectedAP
    std::string subNetwork, iedName, apName;
    std::string ip, mask, gateway;  // IP, IP-SUBNET, IP-GATEWAY of its Address
};

// A GSE or SMV of a ConnectedAP: where a control block's messages are sent.
struct MessageAddress {
    xmlNode* element;  // the GSE or SMV
    bool sampledValues;
    std::string subNetwork, iedName, apName, ldInst, cbName;
    std::string mac, appId, vlanId, vlanPriority;  // as written; "" when absent
    std::string minTime, maxTime;                   // GSE only
};

// A GSEControl or SampledValueControl in an LN0 of an LDevice of a server.
struct MessageControl {
    xmlNode* element;
    bool sampledValues;
    std::string iedName, apName, ldInst, name;
};

struct CommunicationMap {
    std::vector<ConnectedAPEntry> connectedAPs;   // in document order
    std::vector<MessageAddress> addresses;        // in document order
    std::vector<MessageControl> controls;         // in document order
    std::vector<std::string> iedNames;
};

CommunicationMap ReadCommunicationMap(const xmlNode* root);

// Whether the address is where the control block's messages are sent: same kind, IED,
// LD inst and name.
bool IsAddressOf(const MessageAddress& address, const MessageControl& control);
bool HasAddress(const CommunicationMap& map, const MessageControl& control);
// Whether a ConnectedAP of the IED is on a subnetwork.
bool IsOnSubNetwork(const CommunicationMap& map, const std::string& iedName);

// "GSE of IED K2 LD0/GC1" or "SMV of ...".
std::string DescribeAddress(const MessageAddress& address);
