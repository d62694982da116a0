#include "goose/mapping_command.h"
#include "goose/signal_references.h"
#include "goose/signal_types.h"
#include "goose/update_inputs.h"
#include "goose_fixture.h"

#include <set>

namespace {

// Wires every unconnected input to the first output of another IED that its type
// accepts, writes the mapping back and runs Update Inputs for every receiving IED:
// each connection must be found again.
TEST_F(GooseTest, MappedInputsAreFoundAgainByUpdateInputs)
{
    LoadFixture("goose_model.scd");
    std::string refusal;
    auto dialog = OpenMappingDialog(view, refusal);
    ASSERT_TRUE(dialog) << refusal;
    std::vector<const CGooseInput*> unconnected;
    for (const auto& iedNode : dialog->Roots(MappingTree::Inputs))
        for (const auto& inputNode : iedNode->children) unconnected.push_back(inputNode->input);
    std::set<std::string> receivers;
    for (const CGooseInput* input : unconnected) {
        const std::string ied = input->owner->owner->name;
        bool wired = false;
        for (const MappingIed& entry : dialog->Ieds())
            for (const auto& ldevice : entry.ied->logicalDevices)
                for (const auto& dataset : ldevice->datasets)
                    for (const auto& member : dataset->members) {
                        if (wired || !AcceptsSourceType(input->intAddr, member->bType)) continue;
                        const std::string reference = OutputReference(*member, true);
                        dialog->Drop(dialog->FindOutput(reference), MappingTree::Mapping, nullptr);
                        wired = dialog->Drop(dialog->FindInput(ied, input->owner->inst, InternalSignalName(input->intAddr)),
                                             MappingTree::Mapping, dialog->FindOutput(reference)).empty();
                    }
        if (wired) receivers.insert(ied);
    }
    EXPECT_EQ(WriteMappingBack(view, *dialog).size(), 5u);
    for (const std::string& receiver : receivers)
        for (const std::string& line : UpdateIedInputs(view, receiver).log)
            EXPECT_EQ(line.find("no match found"), std::string::npos) << receiver << ": " << line;
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
