#pragma once
#include "document/user_interface.h"
#include "goose/goose_model.h"

#include <map>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

// The three trees of the GOOSE mapping window.
enum class MappingTree { Outputs, Inputs, Mapping };

// A node of one of the trees: an IED, an output (a published dataset member) or an
// input. Nodes are owned by their parent (roots by the dialog); the records they point
// to are owned by the dialog's IED list.
struct MappingNode {
    enum Kind { kIed = 6, kOutput = 11, kInput = 16 };

    Kind kind;
    CGooseIed* ied = nullptr;        // kIed
    CGooseOutput* output = nullptr;  // kOutput
    CGooseInput* input = nullptr;    // kInput
    std::string text;
    MappingNode* parent = nullptr;
    std::vector<std::unique_ptr<MappingNode>> children;
    bool expanded = false;
    int row = 0;  // among its siblings (the roots of its tree for a root)

    int Row() const { return row; }
};

// One IED of the window: its publisher and input model, seen from one access point,
// with the names of the subnetworks that access point is connected to.
struct MappingIed {
    std::unique_ptr<CGooseIed> ied;
    std::set<std::string> subNetworks;
};

// "Connecting GOOSE signals": every GOOSE output and input of the project, wired by
// moving nodes between the trees. The window turns each gesture into one of the
// operations below and redraws from the trees; nothing reaches the document before
// the caller writes the changed inputs back after OK.
class CMappingDialog : public DialogModel {
public:
    explicit CMappingDialog(std::vector<MappingIed> ieds);

    static const char* Title() { return "Connecting GOOSE signals"; }
    static const char* MessageTitle() { return "GOOSE Mapping"; }

    const std::vector<std::unique_ptr<MappingNode>>& Roots(MappingTree tree) const;
    MappingTree TreeOf(const MappingNode* node) const;

    // The connected inputs whose source is published by no IED of the window, or not
    // by the control block they name, as "IED/LD/SIGNAL (reference)" or "IED/LD/SIGNAL
    // (reference, control block IEDLD/LN.NAME)"; they are shown as unconnected and
    // left untouched unless moved. StartupMessage() is the one message that lists them ("" if none).
    const std::vector<std::string>& UnplacedInputs() const { return unplaced_; }
    std::string StartupMessage() const;

    // --- gestures ---
    // Outputs of the Outputs tree, inputs of the Inputs tree and both of the Mapping
    // tree can be dragged.
    bool CanDrag(const MappingNode* node) const;
    // The node a drop of `dragged` on `under` (null: empty space) of `tree` would
    // land on, to be highlighted: for an input the output at or above `under` in
    // the Mapping tree, otherwise none.
    MappingNode* DropTarget(const MappingNode* dragged, MappingTree tree, const MappingNode* under) const;
    // Drops `dragged` on `under` of `tree`. Returns "" when done or nothing happened,
    // else the refusal to show (nothing changed). `dragged` may be gone afterwards.
    std::string Drop(MappingNode* dragged, MappingTree tree, MappingNode* under);
    // The Delete key on the Mapping tree: the selected node's mapping is removed.
    void DeleteSelectedMapping();
    // Connecting without dragging. The output is the one selected last in the Outputs
    // tree, or in the Mapping tree (there the output at or above the selection); the
    // input is the one selected in `tree` (Inputs or Mapping). Connect behaves as the
    // drop of the input on that output, which first joins the Mapping tree when it
    // comes from the Outputs tree; an input taken from the Inputs tree hands the
    // selection to the input that follows it there.
    MappingNode* SelectedOutput() const;
    bool CanConnectSelected(MappingTree tree) const;
    std::string ConnectSelected(MappingTree tree);

    MappingNode* Selected(MappingTree tree) const;
    // Selects the node in its tree; in the Mapping tree this fills the Bit index list.
    void Select(MappingTree tree, MappingNode* node);
    // The "Bit index" list: "0" to width-1 for a binary input of an output wider
    // than one bit; enabled with at least two entries.
    const std::vector<std::string>& BitIndexChoices() const { return bitChoices_; }
    int BitIndex() const { return bitIndex_; }
    bool IsBitIndexEnabled() const { return bitChoices_.size() >= 2; }
    void SelectBitIndex(int index);

    // The inputs connected, disconnected or given another bit since the start, in
    // the order of the IED list.
    std::vector<CGooseInput*> ChangedInputs() const;
    const std::vector<MappingIed>& Ieds() const { return ieds_; }

    // Node lookups by the texts the trees show; null when there is none.
    // IED/LD/SIGNAL: an input node in the Inputs or Mapping tree.
    MappingNode* FindInput(const std::string& iedName, const std::string& ldInst, const std::string& signal) const;
    // The output node of the Mapping tree, else of the Outputs tree, whose reference
    // with the IED name is `reference`.
    MappingNode* FindOutput(const std::string& reference) const;

private:
    MappingNode* AddNode(std::vector<std::unique_ptr<MappingNode>>& siblings, MappingNode* parent,
                         std::unique_ptr<MappingNode> node);
    std::unique_ptr<MappingNode> TakeNode(MappingNode* node);
    MappingNode* AddIedNode(std::vector<std::unique_ptr<MappingNode>>& roots, const CGooseIed* ied);
    std::vector<std::unique_ptr<MappingNode>>& SiblingsOf(MappingNode* node);
    MappingNode* FindIedNode(MappingTree tree, const std::string& name) const;
    MappingNode* FindMappingRoot(const std::string& reference) const;
    MappingNode* AddMappingRoot(CGooseOutput* output);
    bool PlaceConnectedInput(CGooseInput* input);
    void AddUnconnectedInput(CGooseInput* input);
    MappingNode* ConnectInput(CGooseInput* input, MappingNode* outputNode);
    void ReturnInput(MappingNode* inputNode);
    void ReturnOutput(MappingNode* outputNode);
    void RemoveMapping(MappingNode* node);
    std::string InputText(const CGooseInput& input, MappingTree tree, const CGooseOutput* output) const;
    const MappingIed* EntryOf(const CGooseIed* ied) const;
    bool ShareSubNetwork(const CGooseInput& input, const CGooseOutput& output) const;
    // Why `input` cannot be connected to `output`; "" when it can.
    std::string ConnectRefusal(const CGooseInput& input, const CGooseOutput& output) const;

    std::vector<MappingIed> ieds_;
    std::vector<std::unique_ptr<MappingNode>> outputs_, inputs_, mapping_;
    std::unordered_map<std::string, MappingNode*> mappingRoots_;  // by text
    std::map<MappingTree, MappingNode*> selected_;
    MappingTree outputTree_ = MappingTree::Outputs;  // where the output was selected last
    std::set<const CGooseInput*> changed_;
    std::vector<std::string> unplaced_;
    std::vector<std::string> bitChoices_;
    int bitIndex_ = -1;
};
