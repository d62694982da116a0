// Every edit of the change channel can be taken back and made again, in any order of
// steps, undos and redos, and the tree serialises byte for byte as it was at each point
// of the history.
#include "core_fixture.h"
#include "document/change_channel.h"
#include "document/tree_edit.h"
#include "document/xml_parse.h"

#include <random>

namespace {

std::string Serialised(xmlDoc* tree)
{
    xmlChar* text = nullptr;
    int size = 0;
    xmlDocDumpMemory(tree, &text, &size);
    std::string result(reinterpret_cast<const char*>(text), static_cast<size_t>(size));
    xmlFree(text);
    return result;
}

const char* const kProject = R"(<SCL xmlns="urn:x" xmlns:e="urn:e" a="1" b="2" e:c="3">
  <Header id="h"/>
  <IED name="P1"><AccessPoint name="AP1">text &amp; more<!-- note --></AccessPoint></IED>
  <IED name="P2" desc="second"/>
  <DataTypeTemplates><LNodeType id="T" lnClass="GGIO"/></DataTypeTemplates>
</SCL>)";

// Every node below the root (elements, text, comments), in document order.
void CollectNodes(xmlNode* node, std::vector<xmlNode*>& nodes)
{
    for (xmlNode* child = node->children; child; child = child->next) {
        nodes.push_back(child);
        CollectNodes(child, nodes);
    }
}

// The root and every node below it, and the elements among them.
struct TreeNodes {
    std::vector<xmlNode*> nodes, elements;
    explicit TreeNodes(xmlNode* root) : nodes{root}
    {
        CollectNodes(root, nodes);
        for (xmlNode* node : nodes)
            if (node->type == XML_ELEMENT_NODE) elements.push_back(node);
    }
};

bool IsInside(const xmlNode* node, const xmlNode* ancestor)
{
    for (; node; node = node->parent)
        if (node == ancestor) return true;
    return false;
}

// One random edit of the tree through the channel.
void RandomEdit(ChangeChannel& channel, xmlDoc* tree, std::mt19937& random)
{
    xmlNode* root = xmlDocGetRootElement(tree);
    auto [nodes, elements] = TreeNodes(root);
    const auto pick = [&random](const auto& from) { return from[random() % std::size(from)]; };
    const char* const names[] = {"a", "b", "name", "desc", "z"};
    xmlNode* element = pick(elements);
    switch (random() % 7) {
    case 0:
    case 1:
        channel.SetAttribute(element, pick(names), "v&<" + std::to_string(random() % 3));
        break;
    case 2:
        channel.RemoveAttribute(element, pick(names));
        if (element == root) channel.RemoveAttribute(element, "c", root->nsDef->next);
        break;
    case 3: {
        xmlNode* made = xmlNewDocNode(tree, root->ns, Xml("New"), nullptr);
        xmlNewProp(made, Xml("n"), Xml(std::to_string(random() % 100).c_str()));
        xmlNode* before = element->children && random() % 2 ? element->children->next : nullptr;
        channel.Insert(element, before, made);
        break;
    }
    case 4:
        if (nodes.size() > 1) channel.Remove(nodes[1 + random() % (nodes.size() - 1)]);
        break;
    case 5: {
        if (nodes.size() < 2) break;
        xmlNode* node = nodes[1 + random() % (nodes.size() - 1)];
        if (IsInside(element, node)) break;
        xmlNode* before = random() % 2 ? element->children : nullptr;
        if (before == node) break;
        channel.Remove(node);
        channel.Insert(element, before, node);
        break;
    }
    case 6:
        if (xmlNode* text = element->children; text && text->type == XML_TEXT_NODE)
            channel.SetNodeText(text, "t" + std::to_string(random() % 9));
        else
            channel.Insert(element, element->children, xmlNewDocText(tree, Xml("t")));
        break;
    }
}

// A seeded run of steps, undos and redos: at each position of the history the tree is
// what it was when that position was first reached, and new steps after undos drop the
// undone ones (freeing what only they held, which the sanitizers check).
TEST(ChangeChannel, RandomStepsUndosAndRedosReturnEachStateByteForByte)
{
    for (unsigned seed = 1; seed <= 8; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 random(seed);
        TreePtr tree(ParseXmlMemory(kProject, nullptr, nullptr), xmlFreeDoc);
        ASSERT_TRUE(tree);
        ChangeChannel channel;
        std::vector<std::string> states{Serialised(tree.get())};  // states[i]: after i done steps
        size_t done = 0;
        for (int turn = 0; turn < 300; ++turn) {
            const unsigned action = random() % 10;
            if (action < 2 && channel.CanUndo()) {
                ASSERT_TRUE(channel.Undo());
                --done;
            } else if (action < 3 && channel.CanRedo()) {
                ASSERT_TRUE(channel.Redo());
                ++done;
            } else {
                const size_t position = channel.Position();
                channel.BeginStep("Step " + std::to_string(turn));
                for (unsigned edits = 1 + random() % 4; edits > 0; --edits) RandomEdit(channel, tree.get(), random);
                channel.EndStep();
                if (channel.Position() != position) {
                    states.resize(++done);
                    states.push_back(Serialised(tree.get()));
                    EXPECT_EQ(channel.UndoName(), "Step " + std::to_string(turn));
                    EXPECT_FALSE(channel.CanRedo());
                }
            }
            ASSERT_EQ(Serialised(tree.get()), states[done]) << "turn " << turn;
            ASSERT_EQ(channel.CanUndo(), done > 0);
            ASSERT_EQ(channel.CanRedo(), done + 1 < states.size());
        }
        while (channel.Undo()) --done;
        EXPECT_EQ(done, 0u);
        EXPECT_EQ(Serialised(tree.get()), states[0]);
        channel.Clear();  // before the tree: the nodes it frees belong to the tree's document
    }
}

// Steps inside a step join it; a step without edits is no step; a refused command's edits
// are taken back; the position tells a saved state from a changed one.
TEST(ChangeChannel, NestedAbandonedAndEmptySteps)
{
    TreePtr tree(ParseXmlMemory(kProject, nullptr, nullptr), xmlFreeDoc);
    xmlNode* root = xmlDocGetRootElement(tree.get());
    xmlNode* header = FindChildElement(root, "Header");
    const std::string original = Serialised(tree.get());
    ChangeChannel channel;
    const size_t saved = channel.Position();

    { ChangeStep nothing(channel, "Nothing"); }
    channel.SetAttribute(header, "id", "h");  // the value it has: no edit
    EXPECT_FALSE(channel.CanUndo());

    {
        ChangeStep outer(channel, "Delete IED P2");
        channel.SetAttribute(header, "version", "2");
        {
            ChangeStep inner(channel, "inner");
            channel.Remove(FindNamedChildElement(root, "IED", "P2"));
        }
        ChangeStep refused(channel, "refused");
        channel.SetAttribute(header, "id", "x");
        channel.Insert(root, nullptr, xmlNewDocNode(tree.get(), root->ns, Xml("Gone"), nullptr));
        refused.Abandon();
    }
    EXPECT_EQ(channel.StepCount(), 1u);
    EXPECT_EQ(channel.UndoName(), "Delete IED P2");
    EXPECT_NE(channel.Position(), saved);
    EXPECT_EQ(Serialised(tree.get()).find("Gone"), std::string::npos);
    EXPECT_STREQ(GetAttribute(header, "id"), "h");
    const std::string changed = Serialised(tree.get());

    ASSERT_TRUE(channel.Undo());
    EXPECT_EQ(Serialised(tree.get()), original);
    EXPECT_EQ(channel.Position(), saved);
    EXPECT_EQ(channel.RedoName(), "Delete IED P2");
    EXPECT_FALSE(channel.Undo());
    ASSERT_TRUE(channel.Redo());
    EXPECT_EQ(Serialised(tree.get()), changed);

    // An edit outside a step is a step of its own; undo is refused while a step is open.
    channel.Insert(header, nullptr, xmlNewDocText(tree.get(), Xml("free")));
    EXPECT_EQ(channel.UndoName(), "Edit");
    channel.BeginStep("open");
    EXPECT_FALSE(channel.Undo());
    channel.EndStep();
    channel.Clear();
    EXPECT_FALSE(channel.CanUndo());
    EXPECT_FALSE(channel.CanRedo());
}

}  // namespace

namespace {

// An attribute a step took out comes back alone, even when the same name came in
// meanwhile outside the channel (a default validation wrote): no element holds an
// attribute twice.
TEST(ChangeChannel, AnAttributePutBackDisplacesOneWrittenMeanwhile)
{
    TreePtr tree(ParseXmlMemory(kProject, nullptr, nullptr), xmlFreeDoc);
    xmlNode* root = xmlDocGetRootElement(tree.get());
    const std::string original = Serialised(tree.get());
    ChangeChannel channel;
    channel.RemoveAttribute(root, "a");
    xmlSetProp(root, Xml("a"), Xml("default"));
    ASSERT_TRUE(channel.Undo());
    EXPECT_EQ(Serialised(tree.get()), original);
    ASSERT_TRUE(channel.Redo());
    EXPECT_EQ(xmlHasProp(root, Xml("a")), nullptr);
    channel.Clear();
}

}  // namespace

namespace {

// One random edit through the edit functions every command uses.
void RandomApiEdit(xmlDoc* tree, std::mt19937& random)
{
    xmlNode* root = xmlDocGetRootElement(tree);
    auto [nodes, elements] = TreeNodes(root);
    xmlNode* element = elements[random() % elements.size()];
    xmlNode* node = nodes[random() % nodes.size()];
    const std::string value = std::to_string(random() % 3);
    switch (random() % 4) {
    case 0: EditSetAttribute(element, random() % 2 ? "name" : "z", value); break;
    case 1: EditRemoveAttribute(element, random() % 2 ? "name" : "desc"); break;
    case 2:
        EditInsert(element, random() % 2 ? element->children : nullptr, NewElement(root, "New", {{"n", value}}));
        break;
    case 3:
        if (node != root) EditRemove(node);
        break;
    }
}

// A document that has no channel (a maker's file being prepared, an export being made)
// takes the same edits in place: it ends as the one whose channel records them, and the
// channel takes that one back to the start.
TEST(ChangeChannel, TheEditFunctionsChangeADocumentWithoutAChannelAlike)
{
    for (unsigned seed = 1; seed <= 4; ++seed) {
        SCOPED_TRACE(seed);
        TreePtr recorded(ParseXmlMemory(kProject, nullptr, nullptr), xmlFreeDoc);
        TreePtr plain(ParseXmlMemory(kProject, nullptr, nullptr), xmlFreeDoc);
        ChangeChannel channel;
        RegisterChannel(recorded.get(), &channel);
        std::mt19937 recordedRandom(seed), plainRandom(seed);
        for (int edit = 0; edit < 60; ++edit) {
            RandomApiEdit(recorded.get(), recordedRandom);
            RandomApiEdit(plain.get(), plainRandom);
            ASSERT_EQ(Serialised(recorded.get()), Serialised(plain.get())) << "edit " << edit;
        }
        while (channel.Undo()) {}
        TreePtr original(ParseXmlMemory(kProject, nullptr, nullptr), xmlFreeDoc);
        EXPECT_EQ(Serialised(recorded.get()), Serialised(original.get()));
        channel.Clear();
    }
}

// Undo and Redo report what they touched, the nodes they put in and took out, until the
// views have followed; dropping played steps before that leaves "anything may have changed".
TEST(ChangeChannel, PlayedStepsAreReportedUntilForgotten)
{
    TreePtr tree(ParseXmlMemory(kProject, nullptr, nullptr), xmlFreeDoc);
    xmlNode* root = xmlDocGetRootElement(tree.get());
    xmlNode* header = FindChildElement(root, "Header");
    ChangeChannel channel;
    xmlNode* added = xmlNewDocNode(tree.get(), root->ns, Xml("New"), nullptr);
    {
        ChangeStep step(channel, "add");
        channel.Insert(root, nullptr, added);
        channel.SetAttribute(header, "id", "x");
    }
    using Nodes = std::vector<xmlNode*>;
    ASSERT_TRUE(channel.Undo());
    EXPECT_EQ(channel.PlayedTouched().removed, Nodes{added});
    EXPECT_EQ(channel.PlayedTouched().inserted, Nodes{});
    EXPECT_EQ(channel.PlayedTouched().attributesOf, Nodes{header});
    ASSERT_TRUE(channel.Redo());
    EXPECT_EQ(channel.PlayedTouched().inserted, Nodes{added});
    EXPECT_EQ(channel.PlayedTouched().removed, Nodes{added}) << "what both plays touched";
    EXPECT_EQ(channel.PlayedTouched().childrenOf, (Nodes{root, root}));
    channel.ForgetPlayed();
    EXPECT_TRUE(channel.PlayedTouched().childrenOf.empty());

    ASSERT_TRUE(channel.Undo());
    channel.SetAttribute(header, "id", "y");  // a new step drops the undone one, and its nodes
    EXPECT_TRUE(channel.PlayedTouched().unknown);
    EXPECT_TRUE(channel.PlayedTouched().removed.empty());
    channel.ForgetPlayed();
    channel.SetAttribute(header, "id", "z");
    EXPECT_FALSE(channel.PlayedTouched().unknown);
    channel.Clear();
}

}  // namespace
