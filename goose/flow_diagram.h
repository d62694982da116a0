#pragma once
#include "goose/message_flows.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The picture of the message flows, laid out by Graphviz.
enum class DiagramFormat { Svg, Png, Dot };

// By the file's extension (.svg, .png, .dot, in any case); nothing for another.
std::optional<DiagramFormat> DiagramFormatOf(const std::string& path);

// One node per IED that takes part in a flow, labelled with its name and, below it, its
// description; one edge per flow from publisher to subscriber, labelled with the control
// block, coloured by service (GOOSE blue, SV green, Report grey). The rendered file, or
// nothing with `error`.
std::optional<std::string> DrawFlows(const std::vector<MessageFlow>& flows,
                                     const std::map<std::string, std::string>& descriptions, DiagramFormat format,
                                     std::string& error);

// The same layout as positions, for a window that draws it itself: points, y downwards.
struct FlowLayout {
    struct Box {
        std::string ied, label;
        double x, y, width, height;  // centre and size
    };
    struct Arrow {
        size_t flow = 0;  // in the flows laid out
        std::vector<std::pair<double, double>> points;  // a start, then three points per cubic curve
        bool hasTip = false;  // the arrowhead goes from the last point to the tip
        std::pair<double, double> tip;
        double labelX = 0, labelY = 0;
        std::string label;
    };
    double width = 0, height = 0;
    std::vector<Box> boxes;
    std::vector<Arrow> arrows;
};
std::optional<FlowLayout> LayOutFlows(const std::vector<MessageFlow>& flows,
                                      const std::map<std::string, std::string>& descriptions, std::string& error);

// The colour of a service's edges, as a Graphviz and HTML colour.
const char* ServiceColour(FlowService service);
