#pragma once
#include <libxml/tree.h>

#include <string>
#include <vector>

// The messages that go from one IED of the project to another: GOOSE and sampled values
// to the IEDs whose inputs take their data, reports to their clients.
enum class FlowService { Goose, SampledValues, Report };

// "GOOSE", "SV", "Report".
const char* FlowServiceName(FlowService service);

// One flow: a control block of the publisher and the IED it reaches.
struct MessageFlow {
    std::string publisher, subscriber;
    FlowService service;
    std::string ldInst, controlBlock;
    int inputs = 0;                      // the subscriber's ExtRefs it feeds; a report: its client entries
    const xmlNode* control = nullptr;    // the GSEControl, SampledValueControl or ReportControl
};

// An input of another IED of the project that reaches no control block.
struct UnresolvedInput {
    std::string subscriber;
    const xmlNode* extRef;
    std::string text;  // "IED K2: input NI1 (P1 LD0/GGIO1.Ind1.stVal) is in no dataset that P1 sends"
};

struct FlowMap {
    std::vector<MessageFlow> flows;  // by publisher, subscriber, service, LD inst, control block
    std::vector<UnresolvedInput> unresolved;
};

// An input with srcCBName reaches that control block of its iedName (srcLDInst, else its
// ldInst); any other GOOSE or SV input every GSEControl and SampledValueControl of its
// iedName whose dataset has a member of the same data (a daName empty on either side,
// equal, or one a dotted prefix of the other). Inputs of the IED itself, without an IED
// and of the Report and Poll services are no flow. A report reaches each IED of the
// project its RptEnabled names as a ClientLN.
FlowMap ReadMessageFlows(const xmlNode* root);

// publisher<TAB>subscriber<TAB>service<TAB>LD inst<TAB>control block<TAB>inputs
std::string FlowTsv(const MessageFlow& flow);
