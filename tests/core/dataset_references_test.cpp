#include "core/dataset_references.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

std::string Server(const std::string& ldevices)
{
    return "<IED name=\"P1\"><AccessPoint name=\"AP1\"><Server>" + ldevices +
           "</Server></AccessPoint></IED>";
}

std::vector<std::string> Findings(const std::string& body, bool* result = nullptr)
{
    xmlDoc* tree = ParseSclText(SclDocument(body));
    std::vector<std::string> log{"old line"};
    bool found = VerifyDatasetReferences(tree, log);
    if (result) *result = found;
    xmlFreeDoc(tree);
    return log;
}

TEST(DatasetReferences, MissingDatasetOfAGooseControlBlockIsReported)
{
    bool result = true;
    auto log = Findings(Server("<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" inst=\"\" lnType=\"T\">"
                               "<GSEControl name=\"gcb1\" datSet=\"DS1\"/></LN0></LDevice>"),
                        &result);
    EXPECT_FALSE(result);
    EXPECT_EQ(log, std::vector<std::string>{"Error: dataset DS1 referenced by: LD0/LLN0.gcb1 not found"});
}

TEST(DatasetReferences, ShortNamesResolveInTheControlBlocksOwnLogicalNode)
{
    auto log = Findings(Server(
        "<LDevice inst=\"LD1\">"
        "<LN prefix=\"Q0\" lnClass=\"XCBR\" inst=\"1\" lnType=\"T\"><DataSet name=\"DS\"/>"
        "<ReportControl name=\"rc1\" datSet=\"DS\"/></LN>"
        "<LN lnClass=\"XSWI\" inst=\"2\" lnType=\"T\"><ReportControl name=\"rc2\" datSet=\"DS\"/></LN>"
        "</LDevice>"));
    EXPECT_EQ(log, std::vector<std::string>{"Error: dataset DS referenced by: LD1/XSWI2.rc2 not found"});
}

TEST(DatasetReferences, FullReferencesMayNameAnotherLogicalDeviceOfTheSameServerOnly)
{
    auto log = Findings(
        Server("<LDevice inst=\"LD0\"><LN0 lnClass=\"LLN0\" lnType=\"T\">"
               "<GSEControl name=\"g1\" datSet=\"LD1/LLN0.DS2\"/>"
               "<GSEControl name=\"g2\" datSet=\"LD9/LLN0.DS2\"/>"
               "<ReportControl name=\"r0\" datSet=\"\"/><ReportControl name=\"r1\"/></LN0></LDevice>"
               "<LDevice inst=\"LD1\"><LN0 lnClass=\"LLN0\" lnType=\"T\"><DataSet name=\"DS2\"/></LN0></LDevice>") +
        "<IED name=\"P2\"><AccessPoint name=\"AP1\"><Server><LDevice inst=\"LD9\">"
        "<LN0 lnClass=\"LLN0\" lnType=\"T\"><DataSet name=\"DS2\"/></LN0></LDevice></Server></AccessPoint></IED>");
    EXPECT_EQ(log, std::vector<std::string>{"Error: dataset LD9/LLN0.DS2 referenced by: LD0/LLN0.g2 not found"});
}

TEST(DatasetReferences, EveryServerOfAnAccessPointIsChecked)
{
    auto log = Findings(
        "<IED name=\"P1\"><AccessPoint name=\"AP1\"><Server><LDevice inst=\"A\"/></Server>"
        "<Server><LDevice inst=\"B\"><LN0 lnClass=\"LLN0\" lnType=\"T\"><GSEControl name=\"g\" datSet=\"X\"/>"
        "</LN0></LDevice></Server></AccessPoint></IED>");
    EXPECT_EQ(log.size(), 1u);
}

}  // namespace
