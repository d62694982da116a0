// The name index behind FindIEDItem and the ConnectedAP lookups must give what a walk
// over the items gives, through every change of the items.
#include "tree_fixture.h"

#include "core/xml_access.h"
#include "tree/lookup_index.h"

namespace {

class LookupIndexTest : public LookupTest {
protected:
    bool Is(const TreeItem* item, int32_t kind) const { return view.Record(item) && view.Record(item)->kind == kind; }
    const char* Attr(const TreeItem* item, const char* name) const { return GetAttribute(view.Record(item)->node, name); }

    TreeItem* WalkConnectedAP(const std::string& ied, const std::string& ap) const
    {
        TreeItem* communication = view.FirstRootItem();
        while (communication && !Is(communication, kKindCommunication)) communication = communication->NextSibling();
        for (TreeItem* n = communication ? communication->FirstChild() : nullptr; n; n = n->NextSibling())
            for (TreeItem* c = n->FirstChild(); c && Is(n, kKindSubNetwork); c = c->NextSibling())
                if (Is(c, kKindConnectedAP) && ied == Attr(c, "iedName") && ap == Attr(c, "apName")) return c;
        return nullptr;
    }
    void ExpectSameAsWalk(const char* step) const
    {
        SCOPED_TRACE(step);
        for (const char* ied : {"R", "S", "X", "TS", "N", ""}) {
            TreeItem* walked = view.FirstRootItem();
            while (walked && !(Is(walked, kKindIED) && ied == std::string(Attr(walked, "name"))))
                walked = walked->NextSibling();
            EXPECT_EQ(FindIEDItem(view, ied), walked) << ied;
            for (const char* ap : {"AP1", "AP2", ""}) {
                walked = WalkConnectedAP(ied, ap);
                EXPECT_EQ(FindConnectedAPItem(view, ied, ap), walked) << ied << "/" << ap;
                EXPECT_EQ(FindSubNetworkOfConnectedAP(view, ied, ap), walked ? walked->Parent() : nullptr);
            }
        }
    }
};

TEST_F(LookupIndexTest, FollowsInsertsRemovalsReplacementsAndRebuilds)
{
    LoadLookupProject();
    ExpectSameAsWalk("loaded");
    view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="S"><AccessPoint name="AP1"/></IED>)"), -1);
    ExpectSameAsWalk("second S behind");
    TreeItem* front = view.InsertIEDItem(AppendXml(doc.Root(), R"(<IED name="S"/>)"), 0);
    ExpectSameAsWalk("second S in front");
    view.ReleaseItemRecords(front);
    ExpectSameAsWalk("records released");
    view.DeleteItem(front);
    ExpectSameAsWalk("deleted");

    xmlNode* empty = FindChildElement(FindChildElement(doc.Root(), "Communication"), "SubNetwork");
    TreeItem* ap = view.InsertConnectedAPItem(AppendXml(empty, R"(<ConnectedAP iedName="S" apName="AP1"/>)"), "Empty", 0);
    ExpectSameAsWalk("S/AP1 in the first subnetwork");
    view.InsertConnectedAPItem(AppendXml(empty, R"(<ConnectedAP iedName="N" apName="AP1"/>)"), "nowhere", 0);
    view.InsertSubNetworkItem(AppendXml(empty->parent, R"(<SubNetwork><ConnectedAP iedName="N" apName="AP2"/></SubNetwork>)"));
    ExpectSameAsWalk("ConnectedAP at the root level, subnetwork added");
    view.ReplaceConnectedAPItem("Empty", AppendXml(empty, R"(<ConnectedAP iedName="X" apName="AP2"/>)"),
                                view.Record(ap)->node);
    view.ReplaceIEDItem(AppendXml(doc.Root(), R"(<IED name="N"/>)"), view.Record(FindIEDItem(view, "X"))->node);
    ExpectSameAsWalk("replaced");
    RemoveConnectedAPsOfIED(view, "S");
    ExpectSameAsWalk("ConnectedAPs of S removed");
    LoadLookupProject();
    ExpectSameAsWalk("reloaded");
}

// Adding inputs between lookups, as connecting many inputs does, keeps the index.
TEST_F(LookupIndexTest, ChangesBelowTheIEDsKeepTheIndex)
{
    LoadLookupProject();
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
