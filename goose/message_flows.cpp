#include "goose/message_flows.h"

#include "document/xml_access.h"

#include <algorithm>
#include <map>
#include <set>
#include <string_view>
#include <tuple>

namespace {

struct Control {
    const xmlNode* element;
    FlowService service;
    std::string ldInst, prefix, lnClass, lnInst, name;
    std::vector<const xmlNode*> members;  // the FCDAs of its dataset
};

std::string Attribute(const xmlNode* element, const char* name) { return GetAttribute(element, name); }

// The LN0 and LN elements of every LDevice of every server of the IED.
template <typename Visit>
void ForEachLogicalNode(const xmlNode* ied, Visit visit)
{
    for (const xmlNode* accessPoint : ElementChildren(ied))
        for (const xmlNode* server : ElementChildren(accessPoint))
            if (IsElementNamed(server, "Server"))
                for (const xmlNode* ldevice : ElementChildren(server))
                    if (IsElementNamed(ldevice, "LDevice"))
                        for (const xmlNode* ln : ElementChildren(ldevice))
                            if (IsElementNamed(ln, "LN0") || IsElementNamed(ln, "LN")) visit(ldevice, ln);
}

std::vector<Control> ControlsOf(const xmlNode* ied)
{
    std::vector<Control> controls;
    ForEachLogicalNode(ied, [&](const xmlNode* ldevice, const xmlNode* ln) {
        if (!IsElementNamed(ln, "LN0")) return;
        for (const xmlNode* child : ElementChildren(ln)) {
            const bool goose = IsElementNamed(child, "GSEControl");
            if (!goose && !IsElementNamed(child, "SampledValueControl")) continue;
            Control control{child, goose ? FlowService::Goose : FlowService::SampledValues, Attribute(ldevice, "inst"),
                            Attribute(ln, "prefix"), Attribute(ln, "lnClass"), Attribute(ln, "inst"),
                            Attribute(child, "name"), {}};
            if (const xmlNode* dataset = FindNamedChildElement(ln, "DataSet", GetAttribute(child, "datSet")))
                for (const xmlNode* member : ElementChildren(dataset))
                    if (IsElementNamed(member, "FCDA")) control.members.push_back(member);
            controls.push_back(std::move(control));
        }
    });
    return controls;
}

// Empty on either side, equal, or one a dotted prefix of the other.
bool SameDataAttribute(std::string_view a, std::string_view b)
{
    if (a.empty() || b.empty() || a == b) return true;
    if (a.size() > b.size()) std::swap(a, b);
    return b.substr(0, a.size()) == a && b[a.size()] == '.';
}

bool MemberHolds(const xmlNode* member, const xmlNode* extRef)
{
    for (const char* name : {"ldInst", "prefix", "lnClass", "lnInst", "doName"})
        if (Attribute(member, name) != Attribute(extRef, name)) return false;
    return SameDataAttribute(GetAttribute(member, "daName"), GetAttribute(extRef, "daName"));
}

std::string DescribeInput(const std::string& subscriber, const xmlNode* extRef)
{
    std::string data = Attribute(extRef, "ldInst") + "/" + Attribute(extRef, "prefix") + Attribute(extRef, "lnClass") +
                       Attribute(extRef, "lnInst") + "." + Attribute(extRef, "doName");
    if (*GetAttribute(extRef, "daName")) data += "." + Attribute(extRef, "daName");
    const std::string intAddr = Attribute(extRef, "intAddr");
    return "IED " + subscriber + ": input" + (intAddr.empty() ? "" : " " + intAddr) + " (" +
           Attribute(extRef, "iedName") + " " + data + ")";
}

class FlowReader {
public:
    explicit FlowReader(const xmlNode* root)
    {
        for (const xmlNode* ied : ElementChildren(root))
            if (IsElementNamed(ied, "IED")) ieds_.emplace(Attribute(ied, "name"), ied);
        for (const auto& [name, ied] : ieds_) controls_[name] = ControlsOf(ied);
    }

    FlowMap Read()
    {
        for (const auto& [name, ied] : ieds_) {
            ReadInputs(name, ied);
            ReadReports(name, ied);
        }
        for (auto& [key, flow] : flows_) map_.flows.push_back(std::move(flow));
        return std::move(map_);
    }

private:
    using Key = std::tuple<std::string, std::string, int, std::string, std::string>;

    void Count(const std::string& publisher, const std::string& subscriber, FlowService service,
               const std::string& ldInst, const std::string& name, const xmlNode* control)
    {
        MessageFlow& flow = flows_[{publisher, subscriber, static_cast<int>(service), ldInst, name}];
        if (!flow.control) flow = {publisher, subscriber, service, ldInst, name, 0, control};
        ++flow.inputs;
    }

    void ReadInputs(const std::string& subscriber, const xmlNode* ied)
    {
        ForEachLogicalNode(ied, [&](const xmlNode*, const xmlNode* ln) {
            for (const xmlNode* inputs : ElementChildren(ln)) {
                if (!IsElementNamed(inputs, "Inputs")) continue;
                for (const xmlNode* extRef : ElementChildren(inputs))
                    if (IsElementNamed(extRef, "ExtRef")) ReadInput(subscriber, extRef);
            }
        });
    }

    void ReadInput(const std::string& subscriber, const xmlNode* extRef)
    {
        const std::string publisher = Attribute(extRef, "iedName");
        const std::string service = Attribute(extRef, "serviceType");
        if (publisher.empty() || publisher == subscriber || service == "Report" || service == "Poll") return;
        if (!ieds_.count(publisher)) {
            map_.unresolved.push_back(
                {subscriber, extRef, DescribeInput(subscriber, extRef) + " names an IED that is not in the project"});
            return;
        }
        const std::vector<Control>& controls = controls_[publisher];
        bool reached = false;
        if (xmlHasProp(extRef, Xml("srcCBName"))) {
            const std::string ldInst =
                xmlHasProp(extRef, Xml("srcLDInst")) ? Attribute(extRef, "srcLDInst") : Attribute(extRef, "ldInst");
            const std::string lnClass = *GetAttribute(extRef, "srcLNClass") ? Attribute(extRef, "srcLNClass") : "LLN0";
            for (const Control& control : controls)
                if (control.name == Attribute(extRef, "srcCBName") && control.ldInst == ldInst &&
                    control.lnClass == lnClass && control.prefix == Attribute(extRef, "srcPrefix") &&
                    control.lnInst == Attribute(extRef, "srcLNInst")) {
                    Count(publisher, subscriber, control.service, control.ldInst, control.name, control.element);
                    reached = true;
                }
            if (!reached)
                map_.unresolved.push_back({subscriber, extRef,
                                           DescribeInput(subscriber, extRef) + " names control block " +
                                               Attribute(extRef, "srcCBName") + " that " + publisher +
                                               " does not have"});
            return;
        }
        for (const Control& control : controls)
            if (std::any_of(control.members.begin(), control.members.end(),
                            [extRef](const xmlNode* member) { return MemberHolds(member, extRef); })) {
                Count(publisher, subscriber, control.service, control.ldInst, control.name, control.element);
                reached = true;
            }
        if (!reached)
            map_.unresolved.push_back({subscriber, extRef,
                                       DescribeInput(subscriber, extRef) +
                                           " is in no dataset that a GOOSE or SV control block of " + publisher +
                                           " sends"});
    }

    void ReadReports(const std::string& publisher, const xmlNode* ied)
    {
        ForEachLogicalNode(ied, [&](const xmlNode* ldevice, const xmlNode* ln) {
            for (const xmlNode* report : ElementChildren(ln)) {
                if (!IsElementNamed(report, "ReportControl")) continue;
                for (const xmlNode* client : ElementChildren(FindChildElement(report, "RptEnabled"))) {
                    const std::string subscriber = Attribute(client, "iedName");
                    if (IsElementNamed(client, "ClientLN") && subscriber != publisher && ieds_.count(subscriber))
                        Count(publisher, subscriber, FlowService::Report, Attribute(ldevice, "inst"),
                              Attribute(report, "name"), report);
                }
            }
        });
    }

    std::map<std::string, const xmlNode*> ieds_;
    std::map<std::string, std::vector<Control>> controls_;
    std::map<Key, MessageFlow> flows_;
    FlowMap map_;
};

}  // namespace

const char* FlowServiceName(FlowService service)
{
    switch (service) {
    case FlowService::Goose: return "GOOSE";
    case FlowService::SampledValues: return "SV";
    case FlowService::Report: return "Report";
    }
    return "";
}

FlowMap ReadMessageFlows(const xmlNode* root)
{
    return root ? FlowReader(root).Read() : FlowMap{};
}

std::string FlowTsv(const MessageFlow& flow)
{
    return flow.publisher + "\t" + flow.subscriber + "\t" + FlowServiceName(flow.service) + "\t" + flow.ldInst + "\t" +
           flow.controlBlock + "\t" + std::to_string(flow.inputs);
}
