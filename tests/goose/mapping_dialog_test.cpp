#include "goose/mapping_command.h"
#include "goose_fixture.h"

// g++ 12 warns of a maybe-uninitialized std::function inside <regex> when optimising
// with the sanitizers; the warning is about the library's own code, not these tests.
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#include <regex>

namespace {

const char* const kNotReached = "Cannot connect an input with an output whose GOOSE message is not sent on a "
                                "subnetwork of the input's access point.";

class MappingTest : public GooseTest {
protected:
    std::unique_ptr<CMappingDialog> Open()
    {
        std::string refusal;
        auto dialog = OpenMappingDialog(view, refusal);
        EXPECT_TRUE(dialog) << refusal;
        return dialog;
    }
    static MappingNode* Output(CMappingDialog& dialog, const std::string& reference)
    {
        MappingNode* node = dialog.FindOutput(reference);
        EXPECT_TRUE(node) << reference;
        return node;
    }
};

TEST_F(MappingTest, StartupTreesOfTheProject)
{
    LoadFixture("goose_model.scd");
    auto dialog = Open();
    // P1's Ind1.stVal, in two GOOSE datasets, is listed once and wired; P4 publishes
    // nothing with an address; IN only receives; R's NI6 names unpublished data.
    EXPECT_EQ(MappingOutline(*dialog), ReadFileText(TestDataPath("goose_model_mapping.outline")));
    EXPECT_EQ(dialog->StartupMessage(),
              "These inputs name data that no GOOSE message of the project publishes; they are shown as not "
              "connected and stay as they are unless you connect them:\nR/LD0/NI6 (P1LD0/GGIO9.Ind1.stVal)\n"
              "Please run Inputs Check.");

    // OK without a gesture changes nothing.
    const std::string before = XmlText(doc.XmlTree(), false);
    EXPECT_TRUE(WriteMappingBack(view, *dialog).empty());
    EXPECT_EQ(XmlText(doc.XmlTree(), false), before);
    EXPECT_FALSE(doc.IsModified());
}

// An input is placed on the member its address names; an input is refused with an
// output of its own IED or of one that shares no subnetwork with it. A dropped input
// takes Bit0 when its output has bits to choose from; Delete on an output returns it
// and its inputs, unconnected; OK writes only the moved inputs.
TEST_F(MappingTest, DropsConnectRefuseAndReturn)
{
    LoadFixture("goose_model.scd");
    // IN's input names the message of gcbD, which publishes DSB: its output is DSB's.
    xmlSetProp(Element(ExtRefAt("IN", 0)), Xml("intAddr"), Xml("NI1:01-0C-CD-01-00-03:0003:1:0:P1gcbD"));
    auto dialog = Open();
    EXPECT_EQ(Output(*dialog, "P1LD0/GGIO1.Ind1.stVal")->output->owner->name, "DSB");
    auto input = [&](const char* signal) { return dialog->FindInput("R", "LD0", signal); };
    // Puts the output in the Mapping tree and drops the input on it.
    auto connect = [&](const char* signal, const char* reference) {
        dialog->Drop(Output(*dialog, reference), MappingTree::Mapping, nullptr);
        MappingNode* output = Output(*dialog, reference);
        EXPECT_EQ(dialog->DropTarget(input(signal), MappingTree::Mapping, output), output);
        return dialog->Drop(input(signal), MappingTree::Mapping, output);
    };
    EXPECT_EQ(connect("NI2", "RLD0/GGIO1.Ind1.stVal"), "Cannot connect an input with the output of the same IED.");
    EXPECT_EQ(connect("NI2", "P3LD0/GGIO1.Ind1.stVal"), kNotReached);
    EXPECT_TRUE(dialog->ChangedInputs().empty());

    EXPECT_EQ(connect("NI2", "P1LD0/GGIO1.Cnt.stVal"), "");  // INT32
    EXPECT_EQ(dialog->Selected(MappingTree::Mapping), input("NI2"));
    EXPECT_EQ(input("NI2")->input->intAddr + " " + input("NI2")->input->desc, "NI2:01-0C-CD-01-00-01:0001:3:2:P1gcbA Bit0");
    EXPECT_EQ(dialog->BitIndexChoices().size(), 32u);
    dialog->SelectBitIndex(5);
    EXPECT_EQ(input("NI2")->text, "RLD0/NI2                            Bit5");
    EXPECT_EQ(connect("ANI3", "P1LD0/MMXU1.TotW.mag"), "");  // FLOAT32: no bit
    EXPECT_EQ(input("ANI3")->input->desc, "");
    EXPECT_FALSE(dialog->IsBitIndexEnabled());

    dialog->Select(MappingTree::Mapping, Output(*dialog, "P1LD0/GGIO1.Cnt.stVal"));
    dialog->DeleteSelectedMapping();
    EXPECT_EQ(dialog->TreeOf(input("NI2")), MappingTree::Inputs);
    EXPECT_EQ(input("NI2")->input->intAddr + input("NI2")->input->iedName + input("NI2")->input->desc, "NI2");
    EXPECT_EQ(dialog->TreeOf(Output(*dialog, "P1LD0/GGIO1.Cnt.stVal")), MappingTree::Outputs);

    EXPECT_EQ(WriteMappingBack(view, *dialog), (std::vector<std::string>{"R/LD0/ANI3: P1LD0/MMXU1.TotW.mag"}));
    EXPECT_EQ(Reference(ExtRefAt("R", 2)), "P1|LD0|-|MMXU|1|TotW|mag");
    EXPECT_EQ(Attr(ExtRefAt("R", 2), "intAddr"), "ANI3:01-0C-CD-01-00-01:0001:3:3:P1gcbA");
    EXPECT_TRUE(doc.IsModified());
}

// Without the mouse: the input selected in a tree goes to the output selected last,
// which joins the Mapping tree; the Inputs tree then selects the next input, which can
// follow to the same output. A refusal leaves the output where it was.
TEST_F(MappingTest, TheSelectedInputConnectsToTheSelectedOutput)
{
    LoadFixture("goose_model.scd");
    auto dialog = Open();
    auto input = [&](const char* signal) { return dialog->FindInput("R", "LD0", signal); };
    auto connect = [&](MappingTree tree, const char* output) {
        dialog->Select(MappingTree::Outputs, Output(*dialog, output));
        return dialog->ConnectSelected(tree);
    };
    dialog->Select(MappingTree::Inputs, input("NI2"));
    EXPECT_FALSE(dialog->CanConnectSelected(MappingTree::Inputs));
    EXPECT_EQ(connect(MappingTree::Inputs, "RLD0/GGIO1.Ind1.stVal"),
              "Cannot connect an input with the output of the same IED.");
    EXPECT_EQ(dialog->TreeOf(Output(*dialog, "RLD0/GGIO1.Ind1.stVal")), MappingTree::Outputs);

    EXPECT_EQ(connect(MappingTree::Inputs, "P1LD0/GGIO1.Cnt.stVal"), "");
    MappingNode* cnt = Output(*dialog, "P1LD0/GGIO1.Cnt.stVal");
    EXPECT_EQ(dialog->TreeOf(cnt), MappingTree::Mapping);
    EXPECT_EQ(input("NI2")->parent, cnt);
    EXPECT_EQ(input("NI2")->input->desc, "Bit0");
    EXPECT_EQ(dialog->Selected(MappingTree::Inputs), input("NI6"));
    EXPECT_EQ(dialog->SelectedOutput(), cnt);
    EXPECT_EQ(dialog->ConnectSelected(MappingTree::Inputs), "");
    EXPECT_EQ(input("NI6")->parent, cnt);

    dialog->Select(MappingTree::Mapping, input("NI6"));
    EXPECT_FALSE(dialog->CanConnectSelected(MappingTree::Mapping));  // already there
    EXPECT_EQ(connect(MappingTree::Mapping, "P1LD0/GGIO2.Ind1.stVal"), "");
    EXPECT_EQ(input("NI6")->parent, Output(*dialog, "P1LD0/GGIO2.Ind1.stVal"));
    EXPECT_EQ(dialog->TreeOf(input("NI6")), MappingTree::Mapping);
}

// tests/data/goose_whole_reference.scd: whole references are compared, so Ind1 and
// Ind10 are two outputs. Shorter signal names come first, binary before analog.
TEST_F(MappingTest, InputsFindTheirOutputByTheWholeReference)
{
    LoadFixture("goose_whole_reference.scd");
    auto dialog = Open();
    EXPECT_EQ(MappingOutline(*dialog), "Outputs:\nInputs:\n  S\n    L/NI2\n    L/NI12\n    L/ANI1\n"
                                       "Mapping:\n  PL/GGIO1.Ind1\n    SL/NI1\n"
                                       "  PL/GGIO1.Ind10\n    SL/NI10\n");
}

// tests/data/goose_across_ld.scd: a dataset of QB2 publishes data of QB1, on the one
// subnetwork of P that carries its GSE. An input wired to it is placed, also after
// the window wrote it; R, on P's other subnetwork only, is refused; a disconnected
// input keeps no reference attribute.
TEST_F(MappingTest, PublisherInAnotherLogicalDeviceOnTheSubnetworkOfItsGse)
{
    LoadFixture("goose_across_ld.scd");
    auto dialog = Open();
    EXPECT_EQ(MappingOutline(*dialog), "Outputs:\n  P\n    QB2/LLN0.Mod.stVal\nInputs:\n  R\n    LD0/NI3\n  S\n    LD0/NI2\n"
                                       "Mapping:\n  PQB1/CSWI1.Pos.stVal\n    SLD0/NI1\n");
    EXPECT_EQ(dialog->StartupMessage(), "");
    MappingNode* output = Output(*dialog, "PQB1/CSWI1.Pos.stVal");
    EXPECT_EQ(dialog->Drop(dialog->FindInput("R", "LD0", "NI3"), MappingTree::Mapping, output), kNotReached);
    EXPECT_EQ(dialog->Drop(dialog->FindInput("S", "LD0", "NI2"), MappingTree::Mapping, output), "");
    dialog->Drop(dialog->FindInput("S", "LD0", "NI1"), MappingTree::Inputs, nullptr);
    EXPECT_EQ(WriteMappingBack(view, *dialog),
              (std::vector<std::string>{"S/LD0/NI1: disconnected", "S/LD0/NI2: PQB1/CSWI1.Pos.stVal"}));
    EXPECT_EQ(Reference(ExtRefAt("S", 0)) + " " + Attr(ExtRefAt("S", 0), "intAddr"), "-|-|-|-|-|-|- NI1");
    EXPECT_EQ(Attr(ExtRefAt("S", 1), "intAddr"), "NI2:01-0C-CD-01-00-09:0009:1:0:Pgcb");

    dialog = Open();
    EXPECT_EQ(MappingOutline(*dialog), "Outputs:\n  P\n    QB2/LLN0.Mod.stVal\nInputs:\n  R\n    LD0/NI3\n  S\n    LD0/NI1\n"
                                       "Mapping:\n  PQB1/CSWI1.Pos.stVal\n    SLD0/NI2                            Bit0\n");
    // QB2 publishes a CSWI1 too, and NI2 names it: NI2 goes under QB2's member. R, now
    // also on N2, is reached there.
    std::string text = ReadFileText(TestDataPath("goose_across_ld.scd"));
    text = std::regex_replace(text, std::regex(R"((<FCDA ldInst=")QB1(" lnClass="CSWI"[^>]*>))"), "$&$1QB2$2");
    text = std::regex_replace(text, std::regex(R"((<ExtRef )(intAddr="NI2"/>))"),
                              R"($1iedName="P" ldInst="QB2" lnClass="CSWI" lnInst="1" doName="Pos" daName="stVal" $2)");
    text = std::regex_replace(text, std::regex(R"(<ConnectedAP iedName="S" apName="AP1"/>)"),
                              R"($&<ConnectedAP iedName="R" apName="AP1"/>)");
    LoadText(text);
    dialog = Open();
    EXPECT_EQ(MappingOutline(*dialog), "Outputs:\n  P\n    QB2/LLN0.Mod.stVal\nInputs:\n  R\n    LD0/NI3\nMapping:\n"
                                       "  PQB1/CSWI1.Pos.stVal\n    SLD0/NI1\n  PQB2/CSWI1.Pos.stVal\n    SLD0/NI2\n");
    EXPECT_EQ(dialog->Drop(dialog->FindInput("R", "LD0", "NI3"), MappingTree::Mapping,
                           Output(*dialog, "PQB1/CSWI1.Pos.stVal")), "");

    // A second control block of DS sent on N1 does not reach R: the connected address
    // names the dataset's first, gcb, sent on N2 only.
    text = ReadFileText(TestDataPath("goose_across_ld.scd"));
    text = std::regex_replace(text, std::regex(R"(<GSEControl name="gcb"[^>]*>)"),
                              R"($&<GSEControl name="gcb2" datSet="DS" appID="Pgcb2" confRev="1"/>)");
    text = std::regex_replace(text, std::regex(R"(<ConnectedAP iedName="P" apName="AP1"/>)"),
                              R"(<ConnectedAP iedName="P" apName="AP1"><GSE ldInst="QB2" cbName="gcb2"><Address>)"
                              R"(<P type="MAC-Address">01-0C-CD-01-00-0A</P><P type="APPID">000A</P></Address></GSE>)"
                              R"(</ConnectedAP>)");
    LoadText(text);
    dialog = Open();
    EXPECT_EQ(dialog->Drop(dialog->FindInput("R", "LD0", "NI3"), MappingTree::Mapping,
                           Output(*dialog, "PQB1/CSWI1.Pos.stVal")), kNotReached);
}

// With no wired input to show, the window is refused with the part that is missing; an
// access point's inputs reach the GOOSE of each of its subnetworks.
TEST_F(GooseTest, MappingRefusalNamesTheMissingPart)
{
    const std::string prefix = "There are no GOOSE producers or no inputs in the configuration: ";
    const std::string noInputs = prefix + "no input has an internal address";
    const std::string noProducers = prefix + "no other IED publishes GOOSE on a subnetwork that an access point with "
                                             "inputs is connected to";
    const char* const onlyS = R"(<ExtRef iedName[^>]*>|<ExtRef intAddr="NI2"/>)";
    const char* const sOnN2 = R"(<ConnectedAP iedName="S" apName="AP1"/>)";
    const struct {
        const char* fixture;
        std::vector<std::pair<const char*, const char*>> edits;  // a pattern of the fixture's text, its replacement
        std::string refusal;  // "" when the window opens
    } rows[] = {
        {"goose_model.scd", {{R"(<Inputs>[^]*?</Inputs>)", ""}}, noInputs},                 // outputs only
        {"goose_model.scd", {{R"(<ExtRef [^>]*>)", ""}}, noInputs},                         // empty Inputs
        {"goose_model.scd", {{R"((intAddr|iedName)="[^"]*"(?=[^<>]*/>))", ""}}, noInputs},  // none addressed or wired
        {"goose_model.scd", {{R"(<GSE [^]*?</GSE>)", ""}}, noProducers},                    // inputs only
        // R, the only IED with inputs, publishes only to itself
        {"goose_model.scd", {{R"(<GSE (?!ldInst="LD0" cbName="gcbR")[^]*?</GSE>|<Inputs><ExtRef.*)", ""}}, noProducers},
        {"goose_across_ld.scd", {{onlyS, ""}}, noProducers},  // R on N1 only
        // P's GSE on the first of its two subnetworks
        {"goose_across_ld.scd",
         {{R"((<SubNetwork name="N1">[^]*?</SubNetwork>)(\s*)(<SubNetwork name="N2">[^]*?</SubNetwork>))", "$3$2$1"}},
         ""},
        {"goose_across_ld.scd", {{onlyS, ""}, {sOnN2, "$&<ConnectedAP iedName=\"R\" apName=\"AP1\"/>"}}, ""},
    };
    for (const auto& row : rows) {
        std::string text = ReadFileText(TestDataPath(row.fixture));
        std::string trace = row.fixture;
        for (const auto& [pattern, replacement] : row.edits) {
            text = std::regex_replace(text, std::regex(pattern), replacement);
            trace += std::string(" ") + pattern + " -> " + replacement;
        }
        SCOPED_TRACE(trace);
        LoadText(text);
        std::string refusal;
        EXPECT_EQ(OpenMappingDialog(view, refusal) == nullptr, !row.refusal.empty());
        EXPECT_EQ(refusal, row.refusal);
    }
}

// The corpus inputs are wired by later binding, without internal addresses: the window
// shows them where they are connected, and OK without a gesture changes nothing.
TEST_F(GooseTest, MappingOfTheCorpusLeavesItAsItIs)
{
    SKIP_WITHOUT_CORPUS();
    size_t placed = 0;
    for (const char* file : {"openscd-MessageBindingGOOSE2007B4.scd", "danyill-GOOSE-2007B4-LGOS.scd",
                             "rte-france-SCD_Test.scl", "openscd-valid2007B4.scd", "danyill-SV_and_GOOSE.scd"}) {
        SCOPED_TRACE(file);
        ASSERT_TRUE(LoadCorpusFile(file));
        const std::string before = XmlText(doc.XmlTree(), false);
        std::string refusal;
        auto dialog = OpenMappingDialog(view, refusal);
        if (!dialog) continue;
        for (const auto& root : dialog->Roots(MappingTree::Mapping)) placed += root->children.size();
        EXPECT_TRUE(WriteMappingBack(view, *dialog).empty());
        EXPECT_EQ(XmlText(doc.XmlTree(), false), before);
    }
    EXPECT_GE(placed, 10u);
}

}  // namespace
