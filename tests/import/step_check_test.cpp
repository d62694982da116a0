// After a step, the valid flag comes from checking what the step touched; it must be the
// verdict of a check of the whole project, whichever way the step went.
#include "document/tree_edit.h"
#include "document/xml_parse.h"
#include "import_fixture.h"

#include <functional>

namespace {

// one_ied.scd as edition 1, or as edition 2 with the report ID that edition needs.
std::string Project(bool edition2)
{
    std::string text = ReadFileText(TestDataPath("one_ied.scd"));
    if (!edition2) return text;
    text.replace(text.find("rptID=\"\""), 8, "rptID=\"R1\"");
    return text.replace(text.find("<SCL ") + 5, 0, "version=\"2007\" revision=\"B\" ");
}

xmlNode* Child(xmlNode* parent, const char* name)
{
    return FindChildElement(parent, name);
}

class StepCheck : public ImportTest {
public:
    xmlNode* Root() { return doc.Root(); }
    xmlNode* Ied() { return Child(Root(), "IED"); }
    xmlNode* LN() { return Child(Child(Child(Child(Ied(), "AccessPoint"), "Server"), "LDevice"), "LN"); }
    xmlNode* Templates() { return Child(Root(), "DataTypeTemplates"); }
    xmlNode* SubNetwork() { return Child(Child(Root(), "Communication"), "SubNetwork"); }
};

TEST_F(StepCheck, TheFlagAfterAStepIsTheVerdictOfTheWholeProject)
{
    const struct {
        const char* what;
        bool edition2;
        std::function<void(StepCheck&)> edits;
        bool valid;
    } rows[] = {
        {"an attribute of a logical node", false, [](StepCheck& t) { EditSetAttribute(t.LN(), "inst", "2"); }, true},
        {"a logical node instance that is no number", false,
         [](StepCheck& t) { EditSetAttribute(t.LN(), "inst", "x"); }, false},
        {"a logical node of a type that does not exist", false,
         [](StepCheck& t) { EditSetAttribute(t.LN(), "lnType", "NONE"); }, false},
        {"a logical node of a type of another class", false,
         [](StepCheck& t) { EditSetAttribute(t.LN(), "lnType", "LLN0_T"); }, false},
        {"a type renamed under its logical node", false,
         [](StepCheck& t) { EditSetAttribute(Child(t.Templates(), "LNodeType")->next->next, "id", "G2"); }, false},
        {"a second IED of the same name", false,
         [](StepCheck& t) { EditInsert(t.Root(), t.Templates(), xmlCopyNode(t.Ied(), 1)); }, false},
        {"an IED of its own", false,
         [](StepCheck& t) {
             xmlNode* copy = xmlCopyNode(t.Ied(), 1);
             xmlSetProp(copy, Xml("name"), Xml("P2"));
             EditInsert(t.Root(), t.Templates(), copy);
         },
         true},
        {"the header taken out", false, [](StepCheck& t) { EditRemove(Child(t.Root(), "Header")); }, false},
        {"a second template section", false,
         [](StepCheck& t) { EditInsert(t.Root(), nullptr, NewElement(t.Root(), "DataTypeTemplates")); }, false},
        {"a Private among the IEDs", false,
         [](StepCheck& t) { EditInsert(t.Root(), t.Ied(), NewElement(t.Root(), "Private")); }, false},
        {"the root's revision", false, [](StepCheck& t) { EditSetAttribute(t.Root(), "revision", "b"); }, false},
        {"a bay renamed", false,
         [](StepCheck& t) { EditSetAttribute(Child(Child(Child(t.Root(), "Substation"), "VoltageLevel"), "Bay"),
                                             "name", "B2"); },
         true},
        {"a ConnectedAP of no IED, edition 1", false,
         [](StepCheck& t) { EditInsert(t.SubNetwork(), nullptr, NewElement(t.SubNetwork(), "ConnectedAP",
                                                                       {{"iedName", "Q"}, {"apName", "A"}})); },
         true},
        {"a ConnectedAP of no IED, edition 2", true,
         [](StepCheck& t) { EditInsert(t.SubNetwork(), nullptr, NewElement(t.SubNetwork(), "ConnectedAP",
                                                                       {{"iedName", "Q"}, {"apName", "A"}})); },
         false},
        {"the IED taken out with its ConnectedAP, edition 2", true,
         [](StepCheck& t) {
             EditRemove(Child(t.SubNetwork(), "ConnectedAP"));
             EditRemove(t.Ied());
         },
         true},
        {"the IED taken out, its ConnectedAP left, edition 2", true, [](StepCheck& t) { EditRemove(t.Ied()); },
         false},
        {"a GOOSE control block of a dataset that does not exist", false,
         [](StepCheck& t) {
             xmlNode* ln0 = Child(Child(Child(Child(t.Ied(), "AccessPoint"), "Server"), "LDevice"), "LN0");
             EditSetAttribute(Child(ln0, "GSEControl"), "datSet", "NONE");
         },
         false},
        {"a dataset renamed under its report", false,
         [](StepCheck& t) {
             xmlNode* ln0 = Child(Child(Child(Child(t.Ied(), "AccessPoint"), "Server"), "LDevice"), "LN0");
             EditSetAttribute(Child(ln0, "DataSet"), "name", "DS2");
         },
         false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        LoadProject(Project(row.edition2));
        doc.SetValidFlag(true);
        {
            ChangeStep step(doc.Changes(), row.what);
            row.edits(*this);
        }
        const bool flag = doc.IsValid();
        std::vector<std::string> lines;
        EXPECT_EQ(doc.VerifySyntax(lines), flag) << (lines.empty() ? "" : lines[0]);
        EXPECT_EQ(flag, row.valid);
    }

    // A step from a project that is already wrong elsewhere leaves it wrong.
    LoadProject(Project(false));
    doc.SetValidFlag(true);
    {
        ChangeStep step(doc.Changes(), "wrong");
        EditSetAttribute(LN(), "inst", "x");
    }
    ASSERT_FALSE(doc.IsValid());
    {
        ChangeStep step(doc.Changes(), "elsewhere");
        EditSetAttribute(SubNetwork(), "desc", "station bus");
    }
    EXPECT_FALSE(doc.IsValid());
}

}  // namespace
