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

// The colour of a service's edges, as a Graphviz and HTML colour.
const char* ServiceColour(FlowService service);
