#include "goose/flow_diagram.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>

#include <algorithm>
#include <cctype>
#include <memory>

namespace {

// Graphviz takes and keeps char* attribute names and values.
void Set(void* object, const char* name, const std::string& value)
{
    agsafeset(object, const_cast<char*>(name), const_cast<char*>(value.c_str()), const_cast<char*>(""));
}

// One Graphviz context for the whole run: its text layout keeps the name of the last
// font it measured between layouts, and a freed context would leave it pointing at
// freed memory.
GVC_t* Context()
{
    static GVC_t* const context = gvContext();
    return context;
}

struct GraphFree {
    void operator()(Agraph_t* graph) const { agclose(graph); }
};

}  // namespace

std::optional<DiagramFormat> DiagramFormatOf(const std::string& path)
{
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos) return std::nullopt;
    std::string extension = path.substr(dot + 1);
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (extension == "svg") return DiagramFormat::Svg;
    if (extension == "png") return DiagramFormat::Png;
    if (extension == "dot") return DiagramFormat::Dot;
    return std::nullopt;
}

const char* ServiceColour(FlowService service)
{
    switch (service) {
    case FlowService::Goose: return "#1f5fbf";
    case FlowService::SampledValues: return "#2e8b3a";
    case FlowService::Report: return "#707070";
    }
    return "black";
}

std::optional<std::string> DrawFlows(const std::vector<MessageFlow>& flows,
                                     const std::map<std::string, std::string>& descriptions, DiagramFormat format,
                                     std::string& error)
{
    GVC_t* const context = Context();
    std::unique_ptr<Agraph_t, GraphFree> graph(agopen(const_cast<char*>("flows"), Agdirected, nullptr));
    if (!context || !graph) {
        error = "Graphviz could not start";
        return std::nullopt;
    }
    Set(graph.get(), "rankdir", "LR");
    for (int kind : {AGRAPH, AGNODE, AGEDGE})
        agattr(graph.get(), kind, const_cast<char*>("fontname"), const_cast<char*>("Helvetica"));
    std::map<std::string, Agnode_t*> nodes;
    const auto node = [&](const std::string& ied) {
        Agnode_t*& made = nodes[ied];
        if (made) return made;
        made = agnode(graph.get(), const_cast<char*>(ied.c_str()), 1);
        auto description = descriptions.find(ied);
        std::string label = ied;
        if (description != descriptions.end() && !description->second.empty()) label += "\n" + description->second;
        Set(made, "label", label);
        Set(made, "shape", "box");
        Set(made, "style", "rounded");
        return made;
    };
    for (const MessageFlow& flow : flows) {
        Agedge_t* edge = agedge(graph.get(), node(flow.publisher), node(flow.subscriber), nullptr, 1);
        Set(edge, "label", flow.ldInst + "/" + flow.controlBlock);
        Set(edge, "color", ServiceColour(flow.service));
        Set(edge, "fontcolor", ServiceColour(flow.service));
        Set(edge, "fontsize", "10");
    }
    if (gvLayout(context, graph.get(), "dot") != 0) {
        error = "Graphviz could not lay the flows out";
        return std::nullopt;
    }
    const char* renderer = format == DiagramFormat::Svg ? "svg" : format == DiagramFormat::Png ? "png" : "dot";
    char* data = nullptr;
    unsigned int length = 0;
    const int rendered = gvRenderData(context, graph.get(), renderer, &data, &length);
    std::optional<std::string> result;
    if (rendered == 0 && data) result = std::string(data, length);
    else error = std::string("Graphviz has no ") + renderer + " renderer";
    gvFreeRenderData(data);
    gvFreeLayout(context, graph.get());
    return result;
}
