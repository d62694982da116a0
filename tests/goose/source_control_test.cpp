#include "goose/connect_inputs.h"
#include "goose/inputs_dialog.h"
#include "goose/mapping_command.h"
#include "goose/update_inputs.h"
#include "goose/verify_goose_inputs.h"
#include "goose_fixture.h"

#include <algorithm>
#include <sstream>

namespace {

// Connect: Connect Inputs wires the ExtRef to P1's LD0/GGIO1.Ind1.stVal through the
// second control block offered (gcbB); Unconnect chooses "<none>". Map drops it on P1's
// Ind1.stVal in the mapping window, Unmap returns it. Update runs Update Inputs on R.
// These show the ExtRef's attributes afterwards. Verify and Log show the lines of
// Verify GOOSE Inputs and Update Inputs that hold the probe, Place where the mapping
// window puts the input (the dataset of its output) or what it says of it, and Offer
// the control blocks Connect Inputs offers for it, "*" on the one selected.
enum class Action { Connect, Unconnect, Map, Unmap, Update, Verify, Log, Place, Offer };

struct Row {
    const char* fixture;
    SclEdition edition;
    const char* ied;  // whose LLN0 holds the ExtRef
    int row;          // among those inputs
    const char* attributes;
    Action action;
    std::string shown;
    const char* probe = "";
};

class SourceControl : public GooseTest {
protected:
    std::string Run(const Row& row, TreeItem* extRef)
    {
        std::string refusal, shown;
        std::unique_ptr<CMappingDialog> mapping;
        auto keep = [&](const std::vector<std::string>& lines) {
            for (const std::string& line : lines)
                if (line.find(row.probe) != std::string::npos) shown += (shown.empty() ? "" : "\n") + line;
        };
        view.Select(extRef);
        ui.onDialog = [&](DialogModel& model) {
            auto& dialog = dynamic_cast<CInputsDialog&>(model);
            dialog.SelectRow(row.row);
            for (size_t i = 0; row.action == Action::Offer && i < dialog.ControlBlockChoices().size(); ++i)
                shown += (i ? " " : "") + std::string(static_cast<int>(i) == dialog.ControlBlockIndex() ? "*" : "") +
                         dialog.ControlBlockChoices()[i];
            if (row.action == Action::Offer) return false;
            const auto& choices = dialog.DataReferenceChoices();
            const char* reference = row.action == Action::Connect ? "LD0/GGIO1.Ind1.stVal" : "<none>";
            dialog.SelectRemoteIed(1);
            dialog.SelectDataReference(static_cast<int>(std::find(choices.begin(), choices.end(), reference) -
                                                        choices.begin()));
            dialog.SelectControlBlock(1);
            return true;
        };
        switch (row.action) {
        case Action::Connect:
        case Action::Unconnect: OnConnectInputs(view, ui); break;
        case Action::Offer: OnConnectInputs(view, ui); return shown.empty() ? "not offered" : shown;
        case Action::Map:
        case Action::Unmap: {
            mapping = OpenMappingDialog(view, refusal);
            MappingNode* input = mapping->FindInput(row.ied, "LD0", Attr(extRef, "intAddr"));
            if (row.action == Action::Map)
                mapping->Drop(input, MappingTree::Mapping, mapping->FindOutput("P1LD0/GGIO1.Ind1.stVal"));
            else
                mapping->Drop(input, MappingTree::Inputs, nullptr);
            WriteMappingBack(view, *mapping);
            break;
        }
        case Action::Update: UpdateIedInputs(view, row.ied); break;
        case Action::Verify: keep(VerifyGooseInputs(view)); return shown;
        case Action::Log: keep(UpdateIedInputs(view, row.ied).log); return shown;
        case Action::Place: {
            mapping = OpenMappingDialog(view, refusal);
            MappingNode* input = mapping->FindInput(row.ied, "LD0", Attr(extRef, "intAddr"));
            if (!input) return "not listed";
            keep(mapping->UnplacedInputs());
            return input->parent->output ? input->parent->output->owner->name : shown;
        }
        }
        for (const xmlAttr* attr = Element(extRef)->properties; attr; attr = attr->next) {
            const char* name = reinterpret_cast<const char*>(attr->name);
            shown += (shown.empty() ? "" : " ") + std::string(name) + "=" + Attr(extRef, name);
        }
        return shown;
    }
};

// An ExtRef names the control block that publishes its source from edition 2007B on.
// The commands write it with the reference they write and remove it with the
// reference; in a 2003 project they leave it as it is. An ExtRef naming a control
// block takes its source from that one alone, and one of another service is not a
// GOOSE input.
TEST_F(SourceControl, WrittenFromEdition2007BOnAndReadWhereverGiven)
{
    const auto ed1 = SclEdition::Ed2003, ed2 = SclEdition::Ed2007B4;
    const std::string ind1 = "daName=stVal doName=Ind1 lnClass=GGIO lnInst=1 ldInst=LD0 iedName=P1 desc=Bit0";
    const std::string src = " serviceType=GOOSE srcLDInst=LD0 srcLNClass=LLN0 srcCBName=";
    const std::string connected = "intAddr=NI2:01-0C-CD-01-00-01:0001:3:0:P1gcbA";
    const std::string updated =
        connected + " iedName=P1 ldInst=LD0 prefix= lnClass=GGIO lnInst=1 doName=Ind1 daName=stVal";
    const std::string unconnected = "iedName=P1 ldInst= prefix= lnInst= intAddr=NI1";
    const char* const gcbA = "serviceType=GOOSE srcLDInst=LD0 srcLNClass=LLN0 srcCBName=gcbA";
    const char* const model = "goose_model.scd";
    const Row rows[] = {
        {model, ed1, "R", 1, "", Action::Connect, "intAddr=NI2 " + ind1},
        {model, ed2, "R", 1, "", Action::Connect, "intAddr=NI2 " + ind1 + src + "gcbB"},
        {model, ed1, "R", 1, "", Action::Map, connected + " " + ind1},
        {model, SclEdition::Ed2007B, "R", 1, "", Action::Map, connected + " " + ind1 + src + "gcbA"},
        {model, ed1, "R", 1, connected.c_str(), Action::Update, updated},
        {model, ed2, "R", 1, connected.c_str(), Action::Update, updated + src + "gcbA"},
        {model, ed1, "R", 0, gcbA, Action::Unmap, "intAddr=NI1" + src + "gcbA"},
        {model, ed2, "R", 0, gcbA, Action::Unmap, "intAddr=NI1"},
        {model, ed1, "R", 0, gcbA, Action::Unconnect, unconnected + src + "gcbA"},
        {model, ed2, "R", 0, gcbA, Action::Unconnect, unconnected},
        // V's NI3 is published by P3's gcbA and gcbB; NI2 before it sets gcbB's MAC
        {"goose_verify.scd", ed2, "V", 2, "srcCBName=gcbA", Action::Verify,
         "GOOSE producer of ExtRef: V.LD0.LLN0 Input[2] Int Addr: NI3 has other MAC address than previous ExtRefs",
         "NI3"},
        {"goose_verify.scd", ed2, "V", 5, "serviceType=SMV", Action::Verify, "", "NI6"},  // FLOAT32 on the other MAC
        // NI5 names data that P1 publishes, by gcb1; NI6 names data that does not exist
        {"goose_update.scd", ed2, "R", 4, "srcCBName=gcb2", Action::Log,
         "Error: External reference for input NI5 is invalid", "NI5"},
        {"goose_update.scd", ed2, "R", 4, "serviceType=GOOSE srcCBName=gcb1", Action::Log, "", "NI5"},
        {"goose_update.scd", ed2, "R", 5, "serviceType=Poll", Action::Log, "", "NI6"},
        // P1's GGIO1.Ind1.stVal is in DSA (gcbA, gcbB) and DSB (gcbD); NI6 names no data
        {model, ed2, "IN", 0, "srcCBName=gcbD", Action::Place, "DSB"},
        {model, ed2, "IN", 0, "srcCBName=gcbC", Action::Place,
         "IN/LD0/NI1 (P1LD0/GGIO1.Ind1.stVal, control block P1LD0/LLN0.gcbC)", "IN/"},
        {model, ed2, "R", 6, "serviceType=SMV", Action::Place, "not listed"},
        {model, ed2, "R", 0, "srcCBName=gcbB", Action::Offer, "gcbA *gcbB"},
        {model, ed2, "R", 0, "serviceType=SMV", Action::Offer, "not offered"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.fixture) + " " + row.ied + " " + std::to_string(row.row) + " " + row.attributes +
                     " " + EditionName(row.edition) + " action " + std::to_string(static_cast<int>(row.action)));
        LoadFixture(row.fixture);
        DeclareEdition(doc.Root(), row.edition);
        TreeItem* extRef = ExtRefAt(row.ied, row.row);
        std::istringstream words(row.attributes);
        for (std::string word; words >> word;) {
            const size_t equals = word.find('=');
            xmlSetProp(Element(extRef), Xml(word.substr(0, equals).c_str()), Xml(word.substr(equals + 1).c_str()));
        }
        EXPECT_EQ(Run(row, extRef), row.shown);
    }
}

}  // namespace
