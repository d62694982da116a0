#include "datasets/ied_description.h"

#include "core/varnholt_doc.h"
#include "support/test_support.h"
#include "tree/scl_lookups.h"
#include "tree/tree_item.h"
#include "tree/varnholt_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Two access points; a logical node without NamPlt, one with an empty NamPlt.d, one
// whose NamPlt.d holds two values; a DO without d; sub data objects and structures;
// values holding line breaks and tabs. Only an IED item has a description.
TEST(IEDDescription, DescriptionsAndDepths)
{
    CVarnholtDoc doc;
    CVarnholtView view{doc};
    LoadDocText(doc, ReadFileText(TestDataPath("description_example.scd")));
    view.OnInitialUpdate();
    const std::vector<std::string> expected = {
        "IED: E2",           "   LD: LD1",           "    LN: LLN0",        "     DO: Mod",
        "      DA: stVal",   "    LN: Q0XCBR2",       "     DO: NamPlt",      "      DA: vendor",
        "      DA: d",       "     DO: Pos(Open  or closed)", "      DA: stVal", "      DA: q",
        "      DA: d",       "   LD: LD2",           "    LN: GGIO1(Inputs A)", "     DO: NamPlt",
        "      DA: vendor",  "      DA: d",          "     DO: Ind1",        "      DA: stVal",
        "     DO: AnIn",     "      SDO: phsA",      "       DA: cVal",      "        BDA: mag",
    };
    EXPECT_EQ(IEDDescriptionLines(view, "E2"), expected);
    EXPECT_EQ(IEDDescriptionLines(view, FindIEDItem(view, "E2")), expected);
    EXPECT_EQ(IEDDescriptionText({"IED: E1", "   LD: CTRL"}), "IED: E1\r\n   LD: CTRL\r\n");

    EXPECT_TRUE(IEDDescriptionLines(view, "T1").empty()) << "time server";
    EXPECT_TRUE(IEDDescriptionLines(view, "E3").empty()) << "unknown name";
    EXPECT_TRUE(IEDDescriptionLines(view, nullptr).empty());
    EXPECT_TRUE(IEDDescriptionLines(view, FindIEDItem(view, "E1")->FirstChild()).empty()) << "not an IED item";
}

}  // namespace
