#include "tree_fixture.h"

#include "core/xml_access.h"
#include "tree/lookup_index.h"

namespace {

// The name index behind FindIEDItem and the ConnectedAP lookups must give, after
// every change of the items, what a freshly built index gives (whose rules
// lookup_test checks). Each check leaves a built index for the next change.
class LookupIndexTest : public TreeTest {
protected:
    std::vector<const TreeItem*> Lookups() const
    {
        std::vector<const TreeItem*> found;
        for (const char* ied : {"R", "S", "X", "TS", "N", ""}) {
            found.push_back(FindIEDItem(view, ied));
            for (const char* ap : {"AP1", "AP2", ""}) {
                found.push_back(FindConnectedAPItem(view, ied, ap));
                found.push_back(FindSubNetworkOfConnectedAP(view, ied, ap));
            }
        }
        return found;
    }
    void ExpectCurrent(const char* step) const
    {
        std::vector<const TreeItem*> followed = Lookups();
        view.LookupIndex().Invalidate();
        EXPECT_EQ(followed, Lookups()) << step;
    }
};

TEST_F(LookupIndexTest, FollowsInsertsRemovalsReplacementsAndRebuilds)
{
    LoadFixture("lookup_project.scd");
    ExpectCurrent("loaded");
    TreeItem* front = view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="S"/>)"), 0);
    EXPECT_EQ(FindIEDItem(view, "S"), front);  // the first in tree order
    ExpectCurrent("second S in front");
    view.ReleaseItemRecords(front);
    ExpectCurrent("records released");
    view.DeleteItem(front);
    ExpectCurrent("deleted");
    xmlNode* empty = FindChildElement(FindChildElement(doc.Root(), "Communication"), "SubNetwork");
    TreeItem* ap = view.InsertConnectedAPItem(AppendXml(empty, R"(<ConnectedAP iedName="S" apName="AP1"/>)"), "Empty", 0);
    ExpectCurrent("S/AP1 in the first subnetwork");
    view.InsertSubNetworkItem(AppendXml(empty->parent, R"(<SubNetwork><ConnectedAP iedName="N" apName="AP2"/></SubNetwork>)"));
    ExpectCurrent("subnetwork added");
    view.ReplaceConnectedAPItem("Empty", AppendXml(empty, R"(<ConnectedAP iedName="X" apName="AP2"/>)"),
                                view.Record(ap)->node);
    ExpectCurrent("ConnectedAP replaced");
    view.ReplaceIEDItem(AppendXml(doc.Root(), R"(<IED name="N"/>)"), view.Record(FindIEDItem(view, "X"))->node);
    ExpectCurrent("IED replaced");
    RemoveConnectedAPsOfIED(view, "S");
    ExpectCurrent("ConnectedAPs of S removed");

    // Adding inputs between lookups, as connecting many inputs does, keeps the index.
    LoadFixture("lookup_project.scd");
    FindIEDItem(view, "S");
    size_t builds = view.LookupIndex().BuildCount();
    TreeItem* inputs = At(kRInputs);
    for (int i = 0; i < 3; ++i) {
        view.BuildChildItems(AppendXml(view.Record(inputs)->node, R"(<ExtRef iedName="S"/>)"), inputs);
        EXPECT_NE(FindConnectedAPItem(view, "S", "AP1"), nullptr);
    }
    EXPECT_EQ(view.LookupIndex().BuildCount(), builds);
}

}  // namespace
