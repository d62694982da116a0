#include "core/xml_parse.h"
#include "goose/mapping_command.h"
#include "goose/signal_references.h"
#include "goose/signal_types.h"
#include "goose/update_inputs.h"
#include "goose_fixture.h"

#include <set>

namespace {

// Wires every unconnected input to the first output of another IED that its type
// accepts, writes the mapping back and runs Update Inputs for every receiving IED:
// each connection must be found again. Returns how many inputs were wired.
size_t WireAndUpdate(CVarnholtView& view)
{
    std::string refusal;
    auto dialog = OpenMappingDialog(view, refusal);
    if (!dialog) return 0;
    std::vector<const CGooseInput*> unconnected;
    for (const auto& iedNode : dialog->Roots(MappingTree::Inputs))
        for (const auto& inputNode : iedNode->children) unconnected.push_back(inputNode->input);
    size_t wired = 0;
    std::set<std::string> receivers;
    for (const CGooseInput* input : unconnected) {
        std::vector<std::string> candidates;
        for (const MappingIed& entry : dialog->Ieds())
            for (const auto& ldevice : entry.ied->logicalDevices)
                for (const auto& dataset : ldevice->datasets)
                    for (const auto& member : dataset->members)
                        if (AcceptsSourceType(input->intAddr, member->bType))
                            candidates.push_back(OutputReference(*member, true));
        const std::string ied = input->owner->owner->name, ld = input->owner->inst;
        const std::string signal = InternalSignalName(input->intAddr);
        for (const std::string& reference : candidates) {
            MappingNode* output = dialog->FindOutput(reference);
            if (dialog->TreeOf(output) == MappingTree::Outputs) {
                dialog->Drop(output, MappingTree::Mapping, nullptr);
                output = dialog->FindOutput(reference);
            }
            if (!dialog->Drop(dialog->FindInput(ied, ld, signal), MappingTree::Mapping, output).empty()) continue;
            ++wired;
            receivers.insert(ied);
            break;
        }
    }
    EXPECT_EQ(WriteMappingBack(view, *dialog).size(), wired);
    for (const std::string& receiver : receivers) {
        for (const std::string& line : UpdateIedInputs(view, receiver).log)
            EXPECT_EQ(line.find("no match found"), std::string::npos) << receiver << ": " << line;
    }
    return wired;
}

TEST_F(GooseTest, MappedInputsAreFoundAgainByUpdateInputs)
{
    Load("goose_model.scd");
    EXPECT_EQ(WireAndUpdate(view), 5u);
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
        std::string error;
        xmlDoc* tree = ParseXmlFile(CorpusPath(file), &error);
        ASSERT_TRUE(tree) << error;
        doc.AdoptTree(tree, false);
        view.BuildTree();
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
