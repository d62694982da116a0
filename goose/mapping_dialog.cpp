#include "goose/mapping_dialog.h"

#include "goose/connected_address.h"
#include "goose/number_text.h"
#include "goose/signal_references.h"
#include "goose/signal_types.h"

#include <algorithm>
#include <optional>
#include <tuple>

namespace {

const CGooseIed* IedOf(const CGooseInput& input)
{
    return input.owner ? input.owner->owner : nullptr;
}

const CGooseIed* IedOf(const CGooseOutput& output)
{
    return output.owner && output.owner->owner ? output.owner->owner->owner : nullptr;
}

std::string IedName(const CGooseInput& input)
{
    return IedOf(input) ? IedOf(input)->name : std::string();
}

std::string LdInst(const CGooseInput& input)
{
    return input.owner ? input.owner->inst : std::string();
}

// IED name, LD inst, then "NI" before "AN", shorter signal names first, then the address.
bool InputBefore(const CGooseInput& a, const CGooseInput& b)
{
    auto key = [](const CGooseInput& input) {
        char first = input.intAddr.empty() ? '\0' : input.intAddr.front();
        return std::make_tuple(IedName(input), LdInst(input), -static_cast<int>(static_cast<unsigned char>(first)),
                               InternalSignalName(input.intAddr).size(), input.intAddr);
    };
    return key(a) < key(b);
}

bool NodeBefore(const std::unique_ptr<MappingNode>& a, const std::unique_ptr<MappingNode>& b)
{
    if (a->kind != b->kind) return a->kind < b->kind;
    switch (a->kind) {
    case MappingNode::kInput:
        return InputBefore(*a->input, *b->input);
    default:
        // Output siblings belong to one IED or are all Mapping roots: their texts
        // order them as their references with the IED name do.
        return a->text < b->text;
    }
}

std::unique_ptr<MappingNode> NewNode(MappingNode::Kind kind, std::string text)
{
    auto node = std::make_unique<MappingNode>();
    node->kind = kind;
    node->text = std::move(text);
    return node;
}

// The member's dataset is published in the message the connected address names.
bool PublishedAt(const CGooseOutput& output, const ConnectedAddress& address)
{
    if (!output.owner || output.index != address.index) return false;
    for (const auto& control : output.owner->controls)
        if (ParseMacAddress(control->macAddress) == address.mac && ParseHex(control->appId, -1) == address.appId)
            return true;
    return false;
}

// The member's dataset is published by the control block the input names.
bool PublishedBy(const CGooseOutput& output, const ControlBlockReference& control)
{
    if (!output.owner) return false;
    const auto& controls = output.owner->controls;
    return std::any_of(controls.begin(), controls.end(), [&](const auto& c) { return c->reference == control; });
}

bool SameData(const CGooseOutput& output, const CGooseInput& input)
{
    return output.ldInst == input.ldInst && output.prefix == input.prefix && output.lnClass == input.lnClass &&
           output.lnInst == input.lnInst && output.doName == input.doName && output.daName == input.daName;
}

// ", control block IEDLD/LN.NAME" for an input that names the control block of its
// source; "" for one that does not.
std::string SourceControlText(const CGooseInput& input)
{
    if (!input.sourceControl) return "";
    const ControlBlockReference& control = *input.sourceControl;
    return ", control block " + input.iedName + control.ldInst + "/" + control.prefix + control.lnClass +
           control.lnInst + "." + control.name;
}

const char* const kOwnIed = "Cannot connect an input with the output of the same IED.";
const char* const kNoSharedSubNetwork =
    "Cannot connect an input with an output whose GOOSE message is not sent on a subnetwork of the input's access "
    "point.";

}  // namespace

CMappingDialog::CMappingDialog(std::vector<MappingIed> ieds) : ieds_(std::move(ieds))
{
    // All inputs first, so that the outputs they are wired to leave the Outputs tree.
    for (const MappingIed& entry : ieds_) {
        for (const auto& ldevice : entry.ied->logicalDevices) {
            for (const auto& input : ldevice->inputs) {
                if (input->iedName.empty()) {
                    AddUnconnectedInput(input.get());
                } else if (!PlaceConnectedInput(input.get())) {
                    unplaced_.push_back(entry.ied->name + "/" + ldevice->inst + "/" +
                                        InternalSignalName(input->intAddr) + " (" + InputReference(*input) +
                                        SourceControlText(*input) + ")");
                    AddUnconnectedInput(input.get());
                }
            }
        }
    }
    for (const MappingIed& entry : ieds_) {
        for (const auto& ldevice : entry.ied->logicalDevices) {
            for (const auto& dataset : ldevice->datasets) {
                for (const auto& member : dataset->members) {
                    if (FindMappingRoot(OutputReference(*member, true))) continue;
                    MappingNode* iedNode = FindIedNode(MappingTree::Outputs, entry.ied->name);
                    if (!iedNode) iedNode = AddIedNode(outputs_, entry.ied.get());
                    const std::string text = OutputReference(*member, false);
                    bool listed = std::any_of(iedNode->children.begin(), iedNode->children.end(),
                                              [&](const auto& child) { return child->text == text; });
                    if (listed) continue;
                    auto node = NewNode(MappingNode::kOutput, text);
                    node->output = member.get();
                    AddNode(iedNode->children, iedNode, std::move(node));
                }
            }
        }
    }
}

const std::vector<std::unique_ptr<MappingNode>>& CMappingDialog::Roots(MappingTree tree) const
{
    return tree == MappingTree::Outputs ? outputs_ : tree == MappingTree::Inputs ? inputs_ : mapping_;
}

MappingTree CMappingDialog::TreeOf(const MappingNode* node) const
{
    while (node && node->parent) node = node->parent;
    for (MappingTree tree : {MappingTree::Outputs, MappingTree::Inputs}) {
        const auto& roots = Roots(tree);
        if (std::any_of(roots.begin(), roots.end(), [&](const auto& root) { return root.get() == node; }))
            return tree;
    }
    return MappingTree::Mapping;
}

std::string CMappingDialog::StartupMessage() const
{
    if (unplaced_.empty()) return "";
    std::string text = "These inputs name data that no GOOSE message of the project publishes; they are shown as "
                       "not connected and stay as they are unless you connect them:";
    for (const std::string& input : unplaced_) text += "\n" + input;
    return text + "\nPlease run Inputs Check.";
}

// Inserted at its sorted place, after its equals, so that the siblings stay in order.
MappingNode* CMappingDialog::AddNode(std::vector<std::unique_ptr<MappingNode>>& siblings, MappingNode* parent,
                                     std::unique_ptr<MappingNode> node)
{
    node->parent = parent;
    MappingNode* added = node.get();
    auto place = std::upper_bound(siblings.begin(), siblings.end(), node, NodeBefore);
    size_t from = static_cast<size_t>(place - siblings.begin());
    siblings.insert(place, std::move(node));
    for (size_t row = from; row < siblings.size(); ++row) siblings[row]->row = static_cast<int>(row);
    if (&siblings == &mapping_) mappingRoots_[added->text] = added;
    return added;
}

MappingNode* CMappingDialog::AddIedNode(std::vector<std::unique_ptr<MappingNode>>& roots, const CGooseIed* ied)
{
    auto node = NewNode(MappingNode::kIed, ied ? ied->name : "");
    node->ied = const_cast<CGooseIed*>(ied);
    return AddNode(roots, nullptr, std::move(node));
}

std::vector<std::unique_ptr<MappingNode>>& CMappingDialog::SiblingsOf(MappingNode* node)
{
    if (node->parent) return node->parent->children;
    switch (TreeOf(node)) {
    case MappingTree::Outputs: return outputs_;
    case MappingTree::Inputs: return inputs_;
    default: return mapping_;
    }
}

std::unique_ptr<MappingNode> CMappingDialog::TakeNode(MappingNode* node)
{
    for (auto& [tree, selected] : selected_) {
        for (const MappingNode* up = selected; up; up = up->parent) {
            if (up != node) continue;
            selected = nullptr;
            if (tree == MappingTree::Mapping) {
                bitChoices_.clear();
                bitIndex_ = -1;
            }
            break;
        }
    }
    auto& siblings = SiblingsOf(node);
    auto found = siblings.begin() + node->row;
    std::unique_ptr<MappingNode> taken = std::move(*found);
    siblings.erase(found);
    for (size_t row = static_cast<size_t>(node->row); row < siblings.size(); ++row)
        siblings[row]->row = static_cast<int>(row);
    if (&siblings == &mapping_) mappingRoots_.erase(node->text);
    taken->parent = nullptr;
    return taken;
}

MappingNode* CMappingDialog::FindIedNode(MappingTree tree, const std::string& name) const
{
    for (const auto& root : Roots(tree))
        if (root->kind == MappingNode::kIed && root->text == name) return root.get();
    return nullptr;
}

MappingNode* CMappingDialog::FindMappingRoot(const std::string& reference) const
{
    auto found = mappingRoots_.find(reference);
    return found == mappingRoots_.end() ? nullptr : found->second;
}

MappingNode* CMappingDialog::AddMappingRoot(CGooseOutput* output)
{
    auto node = NewNode(MappingNode::kOutput, OutputReference(*output, true));
    node->output = output;
    return AddNode(mapping_, nullptr, std::move(node));
}

std::string CMappingDialog::InputText(const CGooseInput& input, MappingTree tree, const CGooseOutput* output) const
{
    const std::string signal = LdInst(input) + "/" + InternalSignalName(input.intAddr);
    if (tree != MappingTree::Mapping) return signal;
    std::string text = IedName(input) + signal;
    if (!input.desc.empty() && output && SignalBitWidth(output->bType) > 1) {
        if (text.size() < 35) text.resize(35, ' ');
        text += " " + input.desc;
    }
    return text;
}

void CMappingDialog::AddUnconnectedInput(CGooseInput* input)
{
    MappingNode* iedNode = FindIedNode(MappingTree::Inputs, IedName(*input));
    if (!iedNode) iedNode = AddIedNode(inputs_, IedOf(*input));
    auto node = NewNode(MappingNode::kInput, InputText(*input, MappingTree::Inputs, nullptr));
    node->input = input;
    AddNode(iedNode->children, iedNode, std::move(node));
}

// The member the input names in the IEDs of the window, in a GOOSE dataset of any
// logical device of its IED, published by the control block the input names when it
// names one; of several, the one published in the message its connected address
// names. The address is kept as it is.
bool CMappingDialog::PlaceConnectedInput(CGooseInput* input)
{
    std::optional<ConnectedAddress> address = ParseConnectedAddress(input->intAddr);
    CGooseOutput* first = nullptr;
    CGooseOutput* addressed = nullptr;
    for (const MappingIed& entry : ieds_) {
        if (entry.ied->name != input->iedName) continue;
        for (const auto& ldevice : entry.ied->logicalDevices) {
            for (const auto& dataset : ldevice->datasets) {
                for (const auto& member : dataset->members) {
                    if (!SameData(*member, *input)) continue;
                    if (input->sourceControl && !PublishedBy(*member, *input->sourceControl)) continue;
                    if (!first) first = member.get();
                    if (!addressed && address && PublishedAt(*member, *address)) addressed = member.get();
                }
            }
        }
    }
    CGooseOutput* output = addressed ? addressed : first;
    if (!output) return false;
    MappingNode* root = FindMappingRoot(OutputReference(*output, true));
    if (!root) root = AddMappingRoot(output);
    auto node = NewNode(MappingNode::kInput, InputText(*input, MappingTree::Mapping, root->output));
    node->input = input;
    AddNode(root->children, root, std::move(node));
    root->expanded = true;
    return true;
}

bool CMappingDialog::CanDrag(const MappingNode* node) const
{
    if (!node) return false;
    switch (TreeOf(node)) {
    case MappingTree::Outputs: return node->kind == MappingNode::kOutput;
    case MappingTree::Inputs: return node->kind == MappingNode::kInput;
    default: return node->kind == MappingNode::kOutput || node->kind == MappingNode::kInput;
    }
}

MappingNode* CMappingDialog::DropTarget(const MappingNode* dragged, MappingTree tree, const MappingNode* under) const
{
    if (!dragged || dragged->kind != MappingNode::kInput || tree != MappingTree::Mapping) return nullptr;
    for (const MappingNode* node = under; node; node = node->parent)
        if (node->kind == MappingNode::kOutput) return const_cast<MappingNode*>(node);
    return nullptr;
}

const MappingIed* CMappingDialog::EntryOf(const CGooseIed* ied) const
{
    for (const MappingIed& entry : ieds_)
        if (entry.ied.get() == ied) return &entry;
    return nullptr;
}

// The output reaches the input when the subnetwork carrying the GOOSE address of the
// control block its connected address names (the dataset's first) is one of the
// input's access point.
bool CMappingDialog::ShareSubNetwork(const CGooseInput& input, const CGooseOutput& output) const
{
    const MappingIed* receiver = EntryOf(IedOf(input));
    if (!receiver || !output.owner || output.owner->controls.empty()) return false;
    return receiver->subNetworks.count(output.owner->controls.front()->subNetwork) > 0;
}

std::string CMappingDialog::Drop(MappingNode* dragged, MappingTree tree, MappingNode* under)
{
    if (!CanDrag(dragged)) return "";
    const MappingTree from = TreeOf(dragged);
    if (tree != MappingTree::Mapping) {
        if (from == MappingTree::Mapping) RemoveMapping(dragged);
        return "";
    }
    if (dragged->kind == MappingNode::kOutput) {
        if (from == MappingTree::Outputs && !FindMappingRoot(OutputReference(*dragged->output, true))) {
            AddMappingRoot(dragged->output);
            TakeNode(dragged);
        }
        return "";
    }
    MappingNode* target = DropTarget(dragged, tree, under);
    if (!target || dragged->parent == target) return "";
    CGooseInput* input = dragged->input;
    if (std::string refusal = ConnectRefusal(*input, *target->output); !refusal.empty()) return refusal;
    TakeNode(dragged);
    Select(MappingTree::Mapping, ConnectInput(input, target));
    return "";
}

std::string CMappingDialog::ConnectRefusal(const CGooseInput& input, const CGooseOutput& output) const
{
    if (IedOf(input) && IedOf(output) && IedOf(input)->name == IedOf(output)->name) return kOwnIed;
    if (!ShareSubNetwork(input, output)) return kNoSharedSubNetwork;
    return "";
}

MappingNode* CMappingDialog::SelectedOutput() const
{
    for (MappingNode* node = Selected(outputTree_); node; node = node->parent)
        if (node->kind == MappingNode::kOutput) return node;
    return nullptr;
}

bool CMappingDialog::CanConnectSelected(MappingTree tree) const
{
    const MappingNode* input = Selected(tree);
    const MappingNode* output = SelectedOutput();
    return tree != MappingTree::Outputs && input && input->kind == MappingNode::kInput && output &&
           input->parent != output;
}

std::string CMappingDialog::ConnectSelected(MappingTree tree)
{
    if (!CanConnectSelected(tree)) return "";
    MappingNode* input = Selected(tree);
    MappingNode* output = SelectedOutput();
    if (std::string refusal = ConnectRefusal(*input->input, *output->output); !refusal.empty()) return refusal;
    if (TreeOf(output) == MappingTree::Outputs) {
        MappingNode* root = FindMappingRoot(OutputReference(*output->output, true));
        if (!root) {
            root = AddMappingRoot(output->output);
            TakeNode(output);
        }
        output = root;
    }
    MappingNode* inputsParent = tree == MappingTree::Inputs ? input->parent : nullptr;
    const size_t row = static_cast<size_t>(input->row);
    std::string refusal = Drop(input, MappingTree::Mapping, output);
    if (inputsParent && !inputsParent->children.empty())
        Select(MappingTree::Inputs, inputsParent->children[std::min(row, inputsParent->children.size() - 1)].get());
    return refusal;
}

MappingNode* CMappingDialog::ConnectInput(CGooseInput* input, MappingNode* outputNode)
{
    const CGooseOutput& output = *outputNode->output;
    input->desc = SignalBitWidth(output.bType) >= 1 ? "Bit0" : "";
    input->iedName = IedOf(output) ? IedOf(output)->name : "";
    input->ldInst = output.ldInst;
    input->prefix = output.prefix;
    input->lnClass = output.lnClass;
    input->lnInst = output.lnInst;
    input->doName = output.doName;
    input->daName = output.daName;
    MakeConnectedIntAddr(*input, &output);
    // The connected address names the message of the dataset's first control block.
    input->sourceControl.reset();
    if (output.owner && !output.owner->controls.empty())
        input->sourceControl = output.owner->controls.front()->reference;
    changed_.insert(input);
    auto node = NewNode(MappingNode::kInput, InputText(*input, MappingTree::Mapping, &output));
    node->input = input;
    outputNode->expanded = true;
    return AddNode(outputNode->children, outputNode, std::move(node));
}

void CMappingDialog::ReturnInput(MappingNode* inputNode)
{
    CGooseInput* input = inputNode->input;
    for (std::string* field : {&input->iedName, &input->ldInst, &input->prefix, &input->lnClass, &input->lnInst,
                               &input->doName, &input->daName, &input->desc})
        field->clear();
    input->sourceControl.reset();
    MakeConnectedIntAddr(*input, nullptr);
    changed_.insert(input);
    TakeNode(inputNode);
    AddUnconnectedInput(input);
    FindIedNode(MappingTree::Inputs, IedName(*input))->expanded = true;
}

void CMappingDialog::ReturnOutput(MappingNode* outputNode)
{
    CGooseOutput* output = outputNode->output;
    const std::string iedName = IedOf(*output) ? IedOf(*output)->name : "";
    MappingNode* iedNode = FindIedNode(MappingTree::Outputs, iedName);
    if (!iedNode) iedNode = AddIedNode(outputs_, IedOf(*output));
    auto node = NewNode(MappingNode::kOutput, OutputReference(*output, false));
    node->output = output;
    AddNode(iedNode->children, iedNode, std::move(node));
    iedNode->expanded = true;
    TakeNode(outputNode);
}

void CMappingDialog::RemoveMapping(MappingNode* node)
{
    if (node->kind == MappingNode::kOutput) {
        while (!node->children.empty()) ReturnInput(node->children.front().get());
        ReturnOutput(node);
    } else if (node->kind == MappingNode::kInput) {
        ReturnInput(node);
    }
}

void CMappingDialog::DeleteSelectedMapping()
{
    if (MappingNode* node = Selected(MappingTree::Mapping)) RemoveMapping(node);
}

MappingNode* CMappingDialog::Selected(MappingTree tree) const
{
    auto found = selected_.find(tree);
    return found == selected_.end() ? nullptr : found->second;
}

void CMappingDialog::Select(MappingTree tree, MappingNode* node)
{
    selected_[tree] = node;
    if (tree != MappingTree::Inputs) outputTree_ = tree;
    if (tree != MappingTree::Mapping) return;
    bitChoices_.clear();
    bitIndex_ = -1;
    if (!node || node->kind != MappingNode::kInput || !node->parent || !node->parent->output) return;
    if (node->input->intAddr.rfind("NI", 0) != 0) return;
    const int width = SignalBitWidth(node->parent->output->bType);
    for (int bit = 0; bit < width; ++bit) bitChoices_.push_back(std::to_string(bit));
    if (bitChoices_.empty()) return;
    bitIndex_ = 0;
    const std::string& desc = node->input->desc;
    if (desc.rfind("Bit", 0) == 0 && desc.size() > 3 && desc.size() < 6 &&
        std::all_of(desc.begin() + 3, desc.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        int bit = std::stoi(desc.substr(3));
        if (bit < width) bitIndex_ = bit;
    }
}

void CMappingDialog::SelectBitIndex(int index)
{
    MappingNode* node = Selected(MappingTree::Mapping);
    if (!node || node->kind != MappingNode::kInput) return;
    bitIndex_ = index >= 0 && index < static_cast<int>(bitChoices_.size()) ? index : -1;
    std::string desc = bitIndex_ >= 0 ? "Bit" + std::to_string(bitIndex_) : "";
    if (desc == node->input->desc) return;
    node->input->desc = desc;
    changed_.insert(node->input);
    node->text = InputText(*node->input, MappingTree::Mapping, node->parent ? node->parent->output : nullptr);
}

std::vector<CGooseInput*> CMappingDialog::ChangedInputs() const
{
    std::vector<CGooseInput*> changed;
    for (const MappingIed& entry : ieds_)
        for (const auto& ldevice : entry.ied->logicalDevices)
            for (const auto& input : ldevice->inputs)
                if (changed_.count(input.get())) changed.push_back(input.get());
    return changed;
}

MappingNode* CMappingDialog::FindInput(const std::string& iedName, const std::string& ldInst,
                                       const std::string& signal) const
{
    auto matches = [&](const MappingNode& node) {
        return node.kind == MappingNode::kInput && IedName(*node.input) == iedName && LdInst(*node.input) == ldInst &&
               InternalSignalName(node.input->intAddr) == signal;
    };
    for (const auto* roots : {&inputs_, &mapping_})
        for (const auto& root : *roots)
            for (const auto& child : root->children)
                if (matches(*child)) return child.get();
    return nullptr;
}

MappingNode* CMappingDialog::FindOutput(const std::string& reference) const
{
    if (MappingNode* root = FindMappingRoot(reference)) return root;
    for (const auto& iedNode : outputs_)
        for (const auto& child : iedNode->children)
            if (OutputReference(*child->output, true) == reference) return child.get();
    return nullptr;
}
