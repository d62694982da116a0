// flow: the GOOSE, sampled value and report messages between the IEDs of a project.
#include "cli/cli_ui.h"
#include "cli/commands.h"
#include "document/atomic_save.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "goose/flow_diagram.h"
#include "goose/message_flows.h"

#include <map>
#include <optional>
#include <ostream>
#include <string>

namespace {

bool Kept(const MessageFlow& flow, const Arguments& arguments)
{
    if (auto ied = arguments.Value("--ied"); ied && flow.publisher != *ied && flow.subscriber != *ied) return false;
    if (auto service = arguments.Value("--service")) {
        const FlowService wanted = *service == "goose" ? FlowService::Goose
                                   : *service == "sv"  ? FlowService::SampledValues
                                                       : FlowService::Report;
        if (flow.service != wanted) return false;
    }
    return true;
}

}  // namespace

int RunFlow(const Arguments& arguments, std::ostream& out, std::ostream& err)
{
    if (auto service = arguments.Value("--service"); service && *service != "goose" && *service != "sv" &&
                                                     *service != "report") {
        err << "varnholt-cli flow: --service takes goose, sv or report\n";
        return kExitFailure;
    }
    CVarnholtDoc doc;
    CliUi ui(err);
    ui.continueAfterFindings = true;
    ui.printFindings = false;
    doc.SetWriteSchemaDefaults(false);
    if (!doc.OpenDocumentFile(arguments.files[0], ui)) return kExitFailure;
    const FlowMap map = ReadMessageFlows(doc.Root());
    if (auto picture = arguments.Value("-o")) {
        const std::optional<DiagramFormat> format = DiagramFormatOf(*picture);
        if (!format) {
            err << "varnholt-cli flow: -o takes a file ending in .svg, .png or .dot\n";
            return kExitFailure;
        }
        std::vector<MessageFlow> kept;
        for (const MessageFlow& flow : map.flows)
            if (Kept(flow, arguments)) kept.push_back(flow);
        std::map<std::string, std::string> descriptions;
        for (const xmlNode* ied : ElementChildren(doc.Root()))
            if (IsElementNamed(ied, "IED")) descriptions[GetAttribute(ied, "name")] = GetAttribute(ied, "desc");
        std::string error;
        const std::optional<std::string> drawn = DrawFlows(kept, descriptions, *format, error);
        if (!drawn || !WriteFileAtomically(*picture, *drawn, error)) {
            err << "varnholt-cli flow: " << *picture << ": " << error << "\n";
            return kExitFailure;
        }
    }
    const bool tsv = arguments.HasFlag("--tsv");
    for (const MessageFlow& flow : map.flows) {
        if (!Kept(flow, arguments)) continue;
        if (tsv)
            out << FlowTsv(flow) << "\n";
        else
            out << flow.publisher << " -> " << flow.subscriber << "  " << FlowServiceName(flow.service) << "  "
                << flow.ldInst << "/" << flow.controlBlock << "  (" << flow.inputs
                << (flow.service == FlowService::Report ? (flow.inputs == 1 ? " client entry" : " client entries")
                                                        : (flow.inputs == 1 ? " input" : " inputs"))
                << ")\n";
    }
    size_t unresolved = 0;
    for (const UnresolvedInput& input : map.unresolved) {
        // Inputs wait for GOOSE or sampled values, from or to the IED asked for.
        if (arguments.Value("--service") == "report") continue;
        if (auto ied = arguments.Value("--ied");
            ied && input.subscriber != *ied && GetAttribute(input.extRef, "iedName") != *ied)
            continue;
        ++unresolved;
        if (!tsv) out << "Warning: " << input.text << "\n";
    }
    if (tsv && unresolved) err << unresolved << " input(s) reach no control block; flow without --tsv lists them\n";
    return unresolved ? kExitFindings : kExitOk;
}
