// The name index must give what a walk over the items gives, through every change.
#include "lookup_fixture.h"

#include "core/xml_access.h"
#include "tree/lookup_index.h"

namespace {

class LookupIndexTest : public LookupTest {
protected:
    TreeItem* WalkIED(const std::string& name) const
    {
        for (TreeItem* item = view.FirstRootItem(); item; item = item->NextSibling()) {
            const TreeItemRecord* record = view.Record(item);
            if (record && record->kind == kKindIED && name == GetAttribute(record->node, "name")) return item;
        }
        return nullptr;
    }
    TreeItem* WalkConnectedAP(const std::string& ied, const std::string& ap) const
    {
        TreeItem* communication = view.FirstRootItem();
        while (communication && (!view.Record(communication) || view.Record(communication)->kind != kKindCommunication))
            communication = communication->NextSibling();
        for (TreeItem* n = communication ? communication->FirstChild() : nullptr; n; n = n->NextSibling()) {
            if (!view.Record(n) || view.Record(n)->kind != kKindSubNetwork) continue;
            for (TreeItem* c = n->FirstChild(); c; c = c->NextSibling()) {
                const TreeItemRecord* record = view.Record(c);
                if (record && record->kind == kKindConnectedAP && ied == GetAttribute(record->node, "iedName") &&
                    ap == GetAttribute(record->node, "apName"))
                    return c;
            }
        }
        return nullptr;
    }
    void ExpectSameAsWalk(const char* step) const
    {
        SCOPED_TRACE(step);
        for (const char* ied : {"R", "S", "X", "TS", "N", ""}) {
            EXPECT_EQ(FindIEDItem(view, ied), WalkIED(ied)) << ied;
            for (const char* ap : {"AP1", "AP2", "CLK", ""}) {
                TreeItem* walked = WalkConnectedAP(ied, ap);
                EXPECT_EQ(FindConnectedAPItem(view, ied, ap), walked) << ied << "/" << ap;
                EXPECT_EQ(FindSubNetworkOfConnectedAP(view, ied, ap), walked ? walked->Parent() : nullptr);
            }
        }
    }
    xmlNode* Communication() const { return FindChildElement(doc.Root(), "Communication"); }
};

TEST_F(LookupIndexTest, FollowsInsertsRemovalsReplacementsAndRebuilds)
{
    LoadLookupProject();
    ExpectSameAsWalk("loaded");

    // A second S, first behind and then in front of the first one.
    view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="S"><AccessPoint name="AP1"/></IED>)"), -1);
    ExpectSameAsWalk("duplicate IED behind");
    TreeItem* front = view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="S"/>)"), 0);
    EXPECT_EQ(FindIEDItem(view, "S"), front);
    ExpectSameAsWalk("duplicate IED in front");
    view.ReleaseItemRecords(front);  // a released item no longer answers
    ExpectSameAsWalk("records released");
    view.DeleteItem(front);
    ExpectSameAsWalk("deleted");

    xmlNode* empty = FindChildElement(Communication(), "SubNetwork");
    TreeItem* ap = view.InsertConnectedAPItem(AppendXml(empty, R"(<ConnectedAP iedName="S" apName="AP1"/>)"), "Empty", 0);
    EXPECT_EQ(FindSubNetworkOfConnectedAP(view, "S", "AP1"), ap->Parent());
    ExpectSameAsWalk("ConnectedAP in the first subnetwork");
    view.InsertConnectedAPItem(AppendXml(empty, R"(<ConnectedAP iedName="N" apName="AP1"/>)"), "nowhere", 0);
    ExpectSameAsWalk("ConnectedAP at the root level");
    view.InsertSubNetworkItem(AppendXml(Communication(),
                                        R"(<SubNetwork name="N3"><ConnectedAP iedName="N" apName="AP2"/></SubNetwork>)"));
    ExpectSameAsWalk("subnetwork added");

    xmlNode* newAP = AppendXml(empty, R"(<ConnectedAP iedName="X" apName="AP2"/>)");
    view.ReplaceConnectedAPItem("Empty", newAP, view.Record(ap)->node);
    ExpectSameAsWalk("ConnectedAP replaced");
    view.ReplaceIEDItem(AppendXml(doc.Root(), R"(<IED name="N"/>)"), view.Record(FindIEDItem(view, "X"))->node);
    ExpectSameAsWalk("IED replaced");
    RemoveConnectedAPsOfIED(view, "S");
    ExpectSameAsWalk("ConnectedAPs of S removed");
    view.BuildTree();
    ExpectSameAsWalk("rebuilt");
    LoadLookupProject();
    ExpectSameAsWalk("reloaded");
}

// Resolving many inputs while inputs are added must not rebuild the index each time.
TEST_F(LookupIndexTest, ChangesBelowIEDsKeepTheIndex)
{
    LoadLookupProject();
    FindIEDItem(view, "S");
    size_t builds = view.LookupIndex().BuildCount();
    TreeItem* inputs = At(kRInputs);
    for (int i = 0; i < 3; ++i) {
        view.BuildChildItems(AppendXml(view.Record(inputs)->node, R"(<ExtRef iedName="S"/>)"), inputs);
        EXPECT_NE(FindIEDItem(view, "S"), nullptr);
        EXPECT_NE(FindConnectedAPItem(view, "S", "AP1"), nullptr);
    }
    EXPECT_EQ(view.LookupIndex().BuildCount(), builds);
}

}  // namespace
