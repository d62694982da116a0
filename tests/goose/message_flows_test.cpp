// The message flows of a project: each row gives the inputs of IED S and the flows and
// unresolved inputs they make with publisher P; the corpus gives a golden list.
#include "document/xml_access.h"
#include "document/xml_parse.h"
#include "goose/flow_diagram.h"
#include "goose/message_flows.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <set>
#include <sstream>

namespace {

std::string Fcda(const char* ld, const char* ln, const char* doName, const char* daName, const char* fc = "ST")
{
    return std::string("<FCDA ldInst=\"") + ld + "\" lnClass=\"" + ln + "\" lnInst=\"1\" doName=\"" + doName + "\"" +
           (*daName ? std::string(" daName=\"") + daName + "\"" : "") + " fc=\"" + fc + "\"/>";
}

// P sends GC1 (Ind1.stVal, Ind2) and SV1 (MMXU1.A) from LD0, a GC1 of its own (LD0's
// Ind2, Ind3) from LD1, and reports RC1 to `client`.
std::string Publisher(const std::string& client)
{
    return "<IED name=\"P\"><AccessPoint name=\"A\"><Server><LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\">"
           "<DataSet name=\"DS1\">" + Fcda("LD0", "GGIO", "Ind1", "stVal") + Fcda("LD0", "GGIO", "Ind2", "") +
           "</DataSet><DataSet name=\"DS2\">" + Fcda("LD0", "MMXU", "A", "", "MX") + "</DataSet>"
           "<ReportControl name=\"RC1\" datSet=\"DS1\"><RptEnabled><ClientLN iedName=\"" + client +
           "\" ldInst=\"LD0\" lnClass=\"IHMI\" lnInst=\"1\"/></RptEnabled></ReportControl>"
           "<GSEControl name=\"GC1\" datSet=\"DS1\"/><SampledValueControl name=\"SV1\" datSet=\"DS2\"/></LN0>"
           "</LDevice><LDevice inst=\"LD1\"><LN0 lnClass=\"LLN0\" inst=\"\"><DataSet name=\"DS3\">" +
           Fcda("LD0", "GGIO", "Ind2", "") + Fcda("LD0", "GGIO", "Ind3", "stVal") +
           "</DataSet><GSEControl name=\"GC1\" datSet=\"DS3\"/></LN0></LDevice></Server></AccessPoint>"
           "<AccessPoint name=\"B\"><Server><LDevice inst=\"L\"><LN lnClass=\"GGIO\" inst=\"9\"><Inputs>"
           "<ExtRef iedName=\"P\" ldInst=\"LD0\" lnClass=\"GGIO\" lnInst=\"1\" doName=\"Ind1\"/></Inputs></LN>"
           "</LDevice></Server></AccessPoint></IED>";
}

std::string Input(const std::string& attributes) { return "<ExtRef iedName=\"P\" " + attributes + "/>"; }
std::string Data(const char* ln, const char* doName, const char* daName = "")
{
    return std::string("ldInst=\"LD0\" lnClass=\"") + ln + "\" lnInst=\"1\" doName=\"" + doName + "\"" +
           (*daName ? std::string(" daName=\"") + daName + "\"" : "");
}

std::string Subscriber(const std::string& inputs)
{
    return "<IED name=\"S\"><AccessPoint name=\"A\"><Server><LDevice inst=\"L\"><LN0 lnClass=\"LLN0\" inst=\"\"/>"
           "<LN lnClass=\"GGIO\" inst=\"1\"><Inputs>" + inputs +
           "</Inputs></LN></LDevice></Server></AccessPoint></IED>";
}

TEST(MessageFlows, InputsReachTheControlBlocksOfTheirDataAndReportsTheirClients)
{
    const struct {
        const char* what;
        std::string inputs;
        std::string client = "Nobody";
        std::vector<std::string> flows;
        size_t unresolved = 0;
    } rows[] = {
        {"srcCBName names the control block",
         Input(Data("GGIO", "Ind9") + " srcLDInst=\"LD1\" srcCBName=\"GC1\""), "Nobody",
         {"P\tS\tGOOSE\tLD1\tGC1\t1"}},
        {"srcCBName of a logical node that is not there",
         Input(Data("GGIO", "Ind1") + " srcCBName=\"GC1\" srcLNInst=\"2\""),
         "Nobody", {}, 1},
        {"srcCBName without srcLDInst: the input's ldInst", Input(Data("GGIO", "Ind9") + " srcCBName=\"SV1\""),
         "Nobody", {"P\tS\tSV\tLD0\tSV1\t1"}},
        {"srcCBName of no control block", Input(Data("GGIO", "Ind1") + " srcCBName=\"GC9\""), "Nobody", {}, 1},
        {"the data of a dataset, two inputs", Input(Data("GGIO", "Ind1", "stVal")) + Input(Data("GGIO", "Ind1", "q")),
         "Nobody", {"P\tS\tGOOSE\tLD0\tGC1\t1"}, 1},
        {"daName empty on one side or a dotted prefix",
         Input(Data("GGIO", "Ind1")) + Input(Data("GGIO", "Ind2", "stVal.sub")) +
             Input(Data("GGIO", "Ind1", "stValx")),
         "Nobody", {"P\tS\tGOOSE\tLD0\tGC1\t2", "P\tS\tGOOSE\tLD1\tGC1\t1"}, 1},
        {"data of another prefix", Input(Data("GGIO", "Ind1", "stVal") + " prefix=\"X\""), "Nobody", {}, 1},
        {"a dataset in another LD", Input(Data("GGIO", "Ind3", "stVal")), "Nobody", {"P\tS\tGOOSE\tLD1\tGC1\t1"}},
        {"sampled values", Input(Data("MMXU", "A", "phsA")), "Nobody", {"P\tS\tSV\tLD0\tSV1\t1"}},
        {"a report to a client of the project", "", "S", {"P\tS\tReport\tLD0\tRC1\t1"}},
        {"inputs that are no flow: without an IED, of the Report and Poll services, of its own IED",
         "<ExtRef intAddr=\"x\"/>" + Input(Data("GGIO", "Ind1") + " serviceType=\"Report\"") +
             Input(Data("GGIO", "Ind1") + " serviceType=\"Poll\"") +
             "<ExtRef iedName=\"S\" " + Data("GGIO", "Ind1") + "/>",
         "Nobody", {}},
        {"an input of an IED not in the project", "<ExtRef iedName=\"X\" " + Data("GGIO", "Ind1") + "/>", "Nobody", {},
         1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> tree(
            ParseSclText(SclDocument(Publisher(row.client) + Subscriber(row.inputs))), xmlFreeDoc);
        const FlowMap map = ReadMessageFlows(xmlDocGetRootElement(tree.get()));
        std::vector<std::string> flows;
        for (const MessageFlow& flow : map.flows) flows.push_back(FlowTsv(flow));
        EXPECT_EQ(flows, row.flows);
        EXPECT_EQ(map.unresolved.size(), row.unresolved);
    }
}

// Every corpus file's flows and unresolved inputs, as recorded: their numbers and the
// fingerprint of their lines.
TEST(MessageFlows, CorpusFlowsAsRecorded)
{
    SKIP_WITHOUT_CORPUS();
    std::ostringstream golden;
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.wellFormed) continue;
        std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> tree(ParseSclText(ReadFileText(CorpusPath(entry.file))),
                                                         xmlFreeDoc);
        const FlowMap map = ReadMessageFlows(xmlDocGetRootElement(tree.get()));
        std::string lines;
        for (const MessageFlow& flow : map.flows) lines += FlowTsv(flow) + "\n";
        for (const UnresolvedInput& input : map.unresolved) lines += input.text + "\n";
        golden << entry.file << "\t" << map.flows.size() << "\t" << map.unresolved.size() << "\t" << Fingerprint(lines)
               << "\n";
    }
    EXPECT_EQ(golden.str(), ReadFileText(TestDataPath("corpus_flows.tsv")));
}

// The diagram of every corpus file with flows is a well-formed SVG with one node per IED
// that takes part; the other formats render too.
TEST(FlowDiagram, OneNodePerIEDThatTakesPart)
{
    SKIP_WITHOUT_CORPUS();
    size_t drawn = 0;
    for (const CorpusEntry& entry : CorpusTable()) {
        if (!entry.wellFormed) continue;
        SCOPED_TRACE(entry.file);
        std::unique_ptr<xmlDoc, void (*)(xmlDoc*)> tree(ParseSclText(ReadFileText(CorpusPath(entry.file))),
                                                         xmlFreeDoc);
        const FlowMap map = ReadMessageFlows(xmlDocGetRootElement(tree.get()));
        if (map.flows.empty()) continue;
        std::set<std::string> ieds;
        for (const MessageFlow& flow : map.flows) ieds.insert({flow.publisher, flow.subscriber});
        std::string error;
        const std::optional<std::string> svg = DrawFlows(map.flows, {}, DiagramFormat::Svg, error);
        ASSERT_TRUE(svg) << error;
        XmlDocPtr picture(ParseXmlMemory(*svg, "flows.svg", &error));
        ASSERT_TRUE(picture) << error;
        size_t nodes = 0;
        for (const xmlNode* group : ElementChildren(FindChildElement(xmlDocGetRootElement(picture.get()), "g")))
            nodes += std::string_view(GetAttribute(group, "class")) == "node";
        EXPECT_EQ(nodes, ieds.size());
        ++drawn;
    }
    EXPECT_GE(drawn, 8u);
    std::string error;
    const std::vector<MessageFlow> one = {{"P", "S", FlowService::Goose, "LD0", "GC1", 1, nullptr}};
    for (DiagramFormat format : {DiagramFormat::Png, DiagramFormat::Dot}) {
        const std::optional<std::string> drawnOne = DrawFlows(one, {{"P", "protection"}}, format, error);
        ASSERT_TRUE(drawnOne) << error;
        EXPECT_EQ(drawnOne->find(format == DiagramFormat::Png ? "PNG" : "protection") == std::string::npos, false);
    }
    EXPECT_EQ(DiagramFormatOf("x.SVG"), DiagramFormat::Svg);
    EXPECT_FALSE(DiagramFormatOf("x.pdf"));
}

// The positions of the layout, y downwards: the publisher left of its subscriber, every box
// inside the drawing, where Graphviz put it (its y upwards).
TEST(FlowDiagram, LayoutPositionsAreThoseOfGraphvizWithYDownwards)
{
    const std::vector<MessageFlow> flows = {{"P", "S", FlowService::Goose, "LD0", "GC1", 1, nullptr},
                                            {"P", "T", FlowService::Report, "LD0", "RC1", 1, nullptr}};
    std::string error;
    const std::optional<FlowLayout> layout = LayOutFlows(flows, {}, error);
    ASSERT_TRUE(layout) << error;
    const std::optional<std::string> dot = DrawFlows(flows, {}, DiagramFormat::Dot, error);
    ASSERT_TRUE(dot) << error;
    ASSERT_EQ(layout->boxes.size(), 3u);
    for (const FlowLayout::Box& box : layout->boxes) {
        SCOPED_TRACE(box.ied);
        const size_t at = dot->find("pos=\"", dot->find("\t" + box.ied + "\t"));
        ASSERT_NE(at, std::string::npos);
        double x = 0, y = 0;
        ASSERT_EQ(std::sscanf(dot->c_str() + at + 5, "%lf,%lf", &x, &y), 2);
        EXPECT_NEAR(box.x, x, 1);
        EXPECT_NEAR(box.y, layout->height - y, 1);
    }
    EXPECT_LT(layout->boxes[0].x, layout->boxes[1].x);  // P, then S and T to its right
    ASSERT_EQ(layout->arrows.size(), 2u);
    EXPECT_EQ(layout->arrows[1].label, "LD0/RC1");
}

}  // namespace
