#include "core_fixture.h"
#include "document/dataset_references.h"

namespace {

TEST(DatasetReferences, EachControlBlockFindsItsDatasetWhereItsReferencePoints)
{
    const std::string otherServer =
        "<IED name=\"P2\"><AccessPoint name=\"AP1\"><Server><LDevice inst=\"LD9\">"
        "<LN0 lnClass=\"LLN0\" lnType=\"T\"><DataSet name=\"DS2\"/></LN0></LDevice></Server></AccessPoint></IED>";
    const struct {
        const char* what;
        std::string body;
        std::vector<std::string> findings;  // none: the check passes
    } cases[] = {
        {"missing dataset of a GOOSE control block", ServerOf(Lln0Of("<GSEControl name=\"gcb1\" datSet=\"DS1\"/>")),
         {"Error: dataset DS1 referenced by: LD0/LLN0.gcb1 not found"}},
        {"short names resolve in the control block's own LN",
         ServerOf("<LDevice inst=\"LD1\"><LN prefix=\"Q0\" lnClass=\"XCBR\" inst=\"1\" lnType=\"T\"><DataSet name=\"DS\"/>"
                  "<ReportControl name=\"rc1\" datSet=\"DS\"/></LN>"
                  "<LN lnClass=\"XSWI\" inst=\"2\" lnType=\"T\"><ReportControl name=\"rc2\" datSet=\"DS\"/></LN>"
                  "</LDevice>"),
         {"Error: dataset DS referenced by: LD1/XSWI2.rc2 not found"}},
        {"full references reach other LDs of the same server only; no datSet is no reference",
         ServerOf(Lln0Of("<GSEControl name=\"g1\" datSet=\"LD1/LLN0.DS2\"/><GSEControl name=\"g2\" datSet=\"LD9/LLN0.DS2\"/>"
                         "<ReportControl name=\"r0\" datSet=\"\"/><ReportControl name=\"r1\"/>") +
                  "<LDevice inst=\"LD1\"><LN0 lnClass=\"LLN0\" lnType=\"T\"><DataSet name=\"DS2\"/></LN0></LDevice>") +
             otherServer,
         {"Error: dataset LD9/LLN0.DS2 referenced by: LD0/LLN0.g2 not found"}},
        {"every server of an access point is checked",
         "<IED name=\"P1\"><AccessPoint name=\"AP1\"><Server>" + Lln0Of("<GSEControl name=\"f\" datSet=\"Y\"/>") +
             "</Server><Server>" + Lln0Of("<GSEControl name=\"g\" datSet=\"X\"/>") + "</Server></AccessPoint></IED>",
         {"Error: dataset Y referenced by: LD0/LLN0.f not found", "Error: dataset X referenced by: LD0/LLN0.g not found"}},
        {"resolved references", ServerOf(Lln0Of("<DataSet name=\"DS1\"/><GSEControl name=\"g\" datSet=\"DS1\"/>")), {}},
    };
    for (const auto& c : cases) {
        TreePtr tree = ParsedTree(SclDocument(c.body));
        std::vector<std::string> log{"old line"};
        EXPECT_EQ(VerifyDatasetReferences(tree.get(), log), c.findings.empty()) << c.what;
        EXPECT_EQ(log, c.findings) << c.what;
    }
}

}  // namespace
