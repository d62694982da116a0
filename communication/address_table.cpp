#include "communication/address_table.h"

#include "communication/communication_map.h"
#include "communication/verify_communication.h"
#include "document/tree_edit.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "document/xml_text.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <map>

namespace {

const char* const kTitles[kAddressColumnCount] = {
    "Kind", "IED",     "Access point", "Subnetwork", "LD inst", "Control block", "IP",      "Mask",
    "Gateway", "MAC", "APPID",        "VLAN-ID",    "VLAN-PRIORITY", "MinTime", "MaxTime"};

// The P type a column edits, or null.
const char* ParameterType(int column)
{
    switch (column) {
    case kColumnIP: return "IP";
    case kColumnMask: return "IP-SUBNET";
    case kColumnGateway: return "IP-GATEWAY";
    case kColumnMac: return "MAC-Address";
    case kColumnAppId: return "APPID";
    case kColumnVlanId: return "VLAN-ID";
    case kColumnVlanPriority: return "VLAN-PRIORITY";
    default: return nullptr;
    }
}

const char* TimeElement(int column)
{
    return column == kColumnMinTime ? "MinTime" : column == kColumnMaxTime ? "MaxTime" : nullptr;
}

xmlNode* SubNetworkOf(xmlNode* element)
{
    for (xmlNode* node = element; node; node = node->parent)
        if (IsElementNamed(node, "SubNetwork")) return node;
    return nullptr;
}

// The Address child, made (before any other child) when there is none.
xmlNode* AddressOf(xmlNode* element)
{
    if (xmlNode* address = FindChildElement(element, "Address")) return address;
    xmlNode* made = NewElement(element, "Address");
    xmlNode* before = xmlFirstElementChild(element);
    while (before && (IsElementNamed(before, "Text") || IsElementNamed(before, "Private")))
        before = xmlNextElementSibling(before);
    EditInsert(element, before, made);
    return made;
}

// MinTime or MaxTime, made in its place (MinTime before MaxTime, both after the Address).
xmlNode* TimeOf(xmlNode* gse, const char* name)
{
    if (xmlNode* time = FindChildElement(gse, name)) return time;
    xmlNode* made = NewElement(gse, name, {{"unit", "s"}, {"multiplier", "m"}});
    xmlNode* before = std::string_view(name) == "MinTime" ? FindChildElement(gse, "MaxTime") : nullptr;
    EditInsert(gse, before, made);
    return made;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\n\r") == std::string::npos) return text;
    std::string quoted = "\"";
    for (char c : text) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

}  // namespace

const char* AddressColumnTitle(int column)
{
    return column >= 0 && column < kAddressColumnCount ? kTitles[column] : "";
}

std::vector<AddressRow> BuildAddressTable(const xmlNode* root)
{
    const CommunicationMap map = ReadCommunicationMap(root);
    std::map<const xmlNode*, std::vector<Finding>> findings;
    for (Finding& finding : VerifyCommunication(root))
        if (finding.element) findings[finding.element].push_back(std::move(finding));
    std::vector<AddressRow> rows;
    size_t next = 0;  // the messages of each ConnectedAP follow it in the map
    for (const ConnectedAPEntry& entry : map.connectedAPs) {
        AddressRow row{entry.element, {}, {}};
        row.cells[kColumnKind] = "ConnectedAP";
        row.cells[kColumnIED] = entry.iedName;
        row.cells[kColumnAccessPoint] = entry.apName;
        row.cells[kColumnSubNetwork] = entry.subNetwork;
        row.cells[kColumnIP] = entry.ip;
        row.cells[kColumnMask] = entry.mask;
        row.cells[kColumnGateway] = entry.gateway;
        rows.push_back(std::move(row));
        for (; next < map.addresses.size() && map.addresses[next].element->parent == entry.element; ++next) {
            const MessageAddress& address = map.addresses[next];
            AddressRow message{address.element, {}, findings[address.element]};
            message.cells[kColumnKind] = address.sampledValues ? "SMV" : "GSE";
            message.cells[kColumnIED] = address.iedName;
            message.cells[kColumnAccessPoint] = address.apName;
            message.cells[kColumnSubNetwork] = address.subNetwork;
            message.cells[kColumnLDInst] = address.ldInst;
            message.cells[kColumnControlBlock] = address.cbName;
            message.cells[kColumnMac] = address.mac;
            message.cells[kColumnAppId] = address.appId;
            message.cells[kColumnVlanId] = address.vlanId;
            message.cells[kColumnVlanPriority] = address.vlanPriority;
            message.cells[kColumnMinTime] = address.minTime;
            message.cells[kColumnMaxTime] = address.maxTime;
            rows.push_back(std::move(message));
        }
    }
    return rows;
}

bool IsEditableAddressCell(const AddressRow& row, int column)
{
    const bool connectedAP = IsElementNamed(row.element, "ConnectedAP");
    if (column == kColumnIP || column == kColumnMask || column == kColumnGateway) return connectedAP;
    if (TimeElement(column)) return IsElementNamed(row.element, "GSE");
    return !connectedAP && ParameterType(column);
}

CellEdit EditAddressCell(CVarnholtView& view, const AddressRow& row, int column, const std::string& value)
{
    if (!IsEditableAddressCell(row, column)) return CellEdit::Refused;
    if (value == row.cells[column]) return CellEdit::Unchanged;
    if (!IsNameText(value)) return CellEdit::Refused;
    CVarnholtDoc& doc = view.Document();
    ChangeChannel::Touched touched;
    {
        ChangeStep step(doc.Changes(), std::string("Edit address ") + AddressColumnTitle(column));
        doc.Changes().CheckedByItself();  // the subnetwork is checked below
        if (const char* name = TimeElement(column)) {
            EditSetText(TimeOf(row.element, name), value);
        } else {
            xmlNode* address = AddressOf(row.element);
            const char* type = ParameterType(column);
            if (xmlNode* p = AddressParameterElement(address, type))
                EditSetText(p, value);
            else
                EditInsert(address, nullptr, NewElement(address, "P", {{"type", type}}, value.c_str()));
        }
        if (!doc.ValidateElement(SubNetworkOf(row.element))) {
            step.Abandon();
            return CellEdit::Refused;
        }
        touched = doc.Changes().OpenStepTouched();
    }
    view.FollowChanges(touched);
    doc.SetModifiedFlag(true);
    return CellEdit::Written;
}

std::string AddressTableText(const std::vector<AddressRow>& rows, bool csv)
{
    std::string text;
    if (csv) {
        for (int column = 0; column < kAddressColumnCount; ++column)
            text += std::string(column ? "," : "") + CsvField(kTitles[column]);
        text += "\n";
        for (const AddressRow& row : rows) {
            for (int column = 0; column < kAddressColumnCount; ++column)
                text += std::string(column ? "," : "") + CsvField(row.cells[column]);
            text += "\n";
        }
        return text;
    }
    std::array<size_t, kAddressColumnCount> widths{};
    for (int column = 0; column < kAddressColumnCount; ++column) {
        widths[column] = std::string_view(kTitles[column]).size();
        for (const AddressRow& row : rows) widths[column] = std::max(widths[column], row.cells[column].size());
    }
    const auto line = [&](const auto& cell) {
        std::string out;
        for (int column = 0; column < kAddressColumnCount; ++column) {
            std::string value = cell(column);
            if (column + 1 < kAddressColumnCount) value.resize(widths[column] + 2, ' ');
            out += value;
        }
        while (!out.empty() && out.back() == ' ') out.pop_back();
        return out + "\n";
    };
    text += line([](int column) { return std::string(kTitles[column]); });
    for (const AddressRow& row : rows) text += line([&row](int column) { return row.cells[column]; });
    return text;
}
