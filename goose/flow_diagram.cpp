#include "goose/flow_diagram.h"

#include <graphviz/cgraph.h>
#include <graphviz/gvc.h>
#include <graphviz/types.h>

#include <algorithm>
#include <cctype>
#include <memory>
#include <tuple>

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

namespace {

// The graph of the flows with its nodes and edges, laid out by dot; edges in the order
// of the flows.
struct LaidOutGraph {
    std::unique_ptr<Agraph_t, GraphFree> graph;
    std::map<std::string, Agnode_t*> nodes;
    std::vector<Agedge_t*> edges;
    ~LaidOutGraph()
    {
        if (graph) gvFreeLayout(Context(), graph.get());
    }
};

bool LayOut(const std::vector<MessageFlow>& flows, const std::map<std::string, std::string>& descriptions,
            LaidOutGraph& laidOut, std::string& error)
{
    laidOut.graph.reset(agopen(const_cast<char*>("flows"), Agdirected, nullptr));
    if (!Context() || !laidOut.graph) {
        error = "Graphviz could not start";
        return false;
    }
    Agraph_t* graph = laidOut.graph.get();
    Set(graph, "rankdir", "LR");
    for (int kind : {AGRAPH, AGNODE, AGEDGE})
        agattr(graph, kind, const_cast<char*>("fontname"), const_cast<char*>("Helvetica"));
    const auto node = [&](const std::string& ied) {
        Agnode_t*& made = laidOut.nodes[ied];
        if (made) return made;
        made = agnode(graph, const_cast<char*>(ied.c_str()), 1);
        auto description = descriptions.find(ied);
        std::string label = ied;
        if (description != descriptions.end() && !description->second.empty()) label += "\n" + description->second;
        Set(made, "label", label);
        Set(made, "shape", "box");
        Set(made, "style", "rounded");
        return made;
    };
    for (const MessageFlow& flow : flows) {
        Agedge_t* edge = agedge(graph, node(flow.publisher), node(flow.subscriber), nullptr, 1);
        Set(edge, "label", flow.ldInst + "/" + flow.controlBlock);
        Set(edge, "color", ServiceColour(flow.service));
        Set(edge, "fontcolor", ServiceColour(flow.service));
        Set(edge, "fontsize", "10");
        laidOut.edges.push_back(edge);
    }
    if (gvLayout(Context(), graph, "dot") != 0) {
        error = "Graphviz could not lay the flows out";
        return false;
    }
    return true;
}

}  // namespace

std::optional<std::string> DrawFlows(const std::vector<MessageFlow>& flows,
                                     const std::map<std::string, std::string>& descriptions, DiagramFormat format,
                                     std::string& error)
{
    LaidOutGraph laidOut;
    if (!LayOut(flows, descriptions, laidOut, error)) return std::nullopt;
    const char* renderer = format == DiagramFormat::Svg ? "svg" : format == DiagramFormat::Png ? "png" : "dot";
    char* data = nullptr;
    unsigned int length = 0;
    const int rendered = gvRenderData(Context(), laidOut.graph.get(), renderer, &data, &length);
    std::optional<std::string> result;
    if (rendered == 0 && data) result = std::string(data, length);
    else error = std::string("Graphviz has no ") + renderer + " renderer";
    gvFreeRenderData(data);
    return result;
}

std::optional<FlowLayout> LayOutFlows(const std::vector<MessageFlow>& flows,
                                      const std::map<std::string, std::string>& descriptions, std::string& error)
{
    LaidOutGraph laidOut;
    if (!LayOut(flows, descriptions, laidOut, error)) return std::nullopt;
    Agraph_t* graph = laidOut.graph.get();
    const boxf bounds = GD_bb(graph);
    FlowLayout layout;
    layout.width = bounds.UR.x - bounds.LL.x;
    layout.height = bounds.UR.y - bounds.LL.y;
    const auto flip = [&](pointf p) { return std::make_pair(p.x - bounds.LL.x, bounds.UR.y - p.y); };
    for (const auto& [ied, node] : laidOut.nodes) {
        const auto [x, y] = flip(ND_coord(node));
        layout.boxes.push_back({ied, ND_label(node) ? ND_label(node)->text : ied, x, y, ND_width(node) * 72,
                                ND_height(node) * 72});
    }
    for (size_t index = 0; index < laidOut.edges.size(); ++index) {
        Agedge_t* edge = laidOut.edges[index];
        FlowLayout::Arrow arrow;
        arrow.flow = index;
        arrow.label = ED_label(edge) ? ED_label(edge)->text : "";
        if (const splines* spline = ED_spl(edge); spline && spline->size > 0) {
            const bezier& curve = spline->list[0];
            for (int i = 0; i < curve.size; ++i) arrow.points.push_back(flip(curve.list[i]));
            arrow.hasTip = curve.eflag != 0;
            if (arrow.hasTip) arrow.tip = flip(curve.ep);
        }
        if (ED_label(edge)) std::tie(arrow.labelX, arrow.labelY) = flip(ED_label(edge)->pos);
        layout.arrows.push_back(std::move(arrow));
    }
    return layout;
}
