#include "goose/inputs_dialog.h"

#include "goose/number_text.h"
#include "goose/signal_references.h"
#include "goose/signal_types.h"

#include <algorithm>

namespace {

template <typename T>
bool InRange(int index, const std::vector<T>& list)
{
    return index >= 0 && static_cast<size_t>(index) < list.size();
}

bool Contains(const std::vector<std::string>& list, const std::string& text)
{
    return std::find(list.begin(), list.end(), text) != list.end();
}

// The bit that a desc of the form "Bit%d" names.
bool ReadBit(const std::string& desc, int& bit)
{
    return desc.starts_with("Bit") && ScanDecimal(desc.substr(3), bit);
}

}  // namespace

std::string ExternalReferenceColumnText(const CGooseInput& input)
{
    std::string text = input.prefix + input.lnClass + input.lnInst;
    if (!text.empty()) text += ".";
    text += input.doName;
    if (!input.daName.empty()) text += "." + input.daName;
    return text;
}

CInputsDialog::CInputsDialog(std::string title, std::vector<std::unique_ptr<CGooseIed>> remoteIeds,
                             std::vector<std::unique_ptr<CGooseInput>> inputs)
    : title_(std::move(title)), remoteIeds_(std::move(remoteIeds)), inputs_(std::move(inputs))
{
    remoteIedChoices_.push_back(kNone);
    for (const auto& ied : remoteIeds_) remoteIedChoices_.push_back(ied->name);
    RefillDataReferences();
    if (!inputs_.empty()) SelectRow(0);
}

std::string CInputsDialog::InternalAddressText(int row) const
{
    return InRange(row, inputs_) ? inputs_[static_cast<size_t>(row)]->intAddr : std::string();
}

std::string CInputsDialog::ExternalReferenceText(int row) const
{
    return InRange(row, inputs_) ? ExternalReferenceColumnText(*inputs_[static_cast<size_t>(row)]) : std::string();
}

CGooseInput* CInputsDialog::Current() const
{
    return InRange(currentRow_, inputs_) ? inputs_[static_cast<size_t>(currentRow_)].get() : nullptr;
}

const CGooseIed* CInputsDialog::SelectedIed() const
{
    return remoteIedIndex_ > 0 ? remoteIeds_[static_cast<size_t>(remoteIedIndex_ - 1)].get() : nullptr;
}

const CGooseOutput* CInputsDialog::SelectedOutput() const
{
    return InRange(dataReferenceIndex_, dataReferenceOutputs_)
               ? dataReferenceOutputs_[static_cast<size_t>(dataReferenceIndex_)]
               : nullptr;
}

void CInputsDialog::SelectRow(int row)
{
    if (!InRange(row, inputs_)) return;
    currentRow_ = row;
    LoadRow();
}

void CInputsDialog::LoadRow()
{
    const CGooseInput& input = *Current();
    int index = 0;
    for (size_t i = 0; i < remoteIeds_.size() && index == 0; ++i)
        if (remoteIeds_[i]->name == input.iedName) index = static_cast<int>(i) + 1;
    if (index != remoteIedIndex_) {
        remoteIedIndex_ = index;
        RefillDataReferences();
    } else {
        SelectReferenceOfInput();
    }
    RefillBitIndexes();
    RefillControlBlocks();
    for (size_t i = 0; i < controlBlocks_.size() && input.sourceControl && SelectedIed(); ++i)
        if (controlBlocks_[i]->reference == *input.sourceControl) controlBlockIndex_ = static_cast<int>(i);
    ShowControlBlock();
    if (!input.desc.empty()) {
        int bit = 0;
        bitIndex_ = ReadBit(input.desc, bit) ? bit : -1;
    }
}

// The entry of the input's own data reference, or "<none>": a row whose reference
// the remote IED does not publish never shows the previous row's choice.
void CInputsDialog::SelectReferenceOfInput()
{
    const CGooseInput* input = Current();
    std::string text = input ? InputDataReference(*input) : std::string();
    auto found = std::find(dataReferenceChoices_.begin() + 1, dataReferenceChoices_.end(), text);
    dataReferenceIndex_ = found == dataReferenceChoices_.end()
                              ? 0
                              : static_cast<int>(found - dataReferenceChoices_.begin());
}

void CInputsDialog::RefillDataReferences()
{
    dataReferenceChoices_.assign(1, kNone);
    dataReferenceOutputs_.assign(1, nullptr);
    if (const CGooseIed* ied = SelectedIed()) {
        for (const auto& ldevice : ied->logicalDevices)
            for (const auto& dataset : ldevice->datasets)
                for (const auto& member : dataset->members) {
                    std::string text = OutputReference(*member, false);
                    if (Contains(dataReferenceChoices_, text)) continue;
                    dataReferenceChoices_.push_back(std::move(text));
                    dataReferenceOutputs_.push_back(member.get());
                }
    }
    SelectReferenceOfInput();
}

void CInputsDialog::RefillBitIndexes()
{
    bitIndexChoices_.clear();
    bitIndex_ = -1;
    const CGooseInput* input = Current();
    const CGooseOutput* output = SelectedOutput();
    int width = input && output && IsBinaryInputAddress(input->intAddr) ? SignalBitWidth(output->bType) : 0;
    if (width <= 0) return;
    for (int bit = 0; bit < width; ++bit) bitIndexChoices_.push_back(std::to_string(bit));
    int bit = 0;
    bitIndex_ = ReadBit(input->desc, bit) && bit < width ? bit : 0;
}

void CInputsDialog::RefillControlBlocks()
{
    controlBlockChoices_.clear();
    controlBlocks_.clear();
    const CGooseIed* ied = SelectedIed();
    if (ied && SelectedOutput()) {
        const std::string& text = dataReferenceChoices_[static_cast<size_t>(dataReferenceIndex_)];
        for (const auto& ldevice : ied->logicalDevices)
            for (const auto& dataset : ldevice->datasets) {
                bool holds = std::any_of(dataset->members.begin(), dataset->members.end(),
                                         [&](const auto& member) { return OutputReference(*member, false) == text; });
                if (!holds) continue;
                for (const auto& control : dataset->controls) {
                    if (Contains(controlBlockChoices_, control->name)) continue;
                    controlBlockChoices_.push_back(control->name);
                    controlBlocks_.push_back(control.get());
                }
            }
    }
    controlBlockIndex_ = controlBlocks_.empty() ? -1 : 0;
    ShowControlBlock();
}

void CInputsDialog::ShowControlBlock()
{
    if (!InRange(controlBlockIndex_, controlBlocks_)) {
        addressFields_.assign(6, std::string());
        return;
    }
    const CGooseControl& control = *controlBlocks_[static_cast<size_t>(controlBlockIndex_)];
    addressFields_ = {control.macAddress, control.vlanId, control.vlanPriority,
                      control.appId,      control.gooseId, control.confRev};
}

void CInputsDialog::Apply()
{
    CGooseInput& input = *Current();
    const CGooseIed* ied = SelectedIed();
    input.iedName = ied ? ied->name : std::string();
    if (const CGooseOutput* output = SelectedOutput()) {
        input.prefix = output->prefix;
        input.lnInst = output->lnInst;
        input.lnClass = output->lnClass;
        input.doName = output->doName;
        input.daName = output->daName;
        input.ldInst = output->ldInst;
        input.desc = bitIndex_ >= 0 ? "Bit" + std::to_string(bitIndex_) : std::string();
        input.sourceControl.reset();
        if (InRange(controlBlockIndex_, controlBlocks_))
            input.sourceControl = controlBlocks_[static_cast<size_t>(controlBlockIndex_)]->reference;
    } else {
        input.ldInst.clear();
        input.prefix.clear();
        input.lnClass.clear();
        input.lnInst.clear();
        input.doName.clear();
        input.daName.clear();
        input.desc.clear();
        input.sourceControl.reset();
    }
}

void CInputsDialog::SelectRemoteIed(int index)
{
    if (!Current() || !InRange(index, remoteIedChoices_)) return;
    if (index != remoteIedIndex_) {
        remoteIedIndex_ = index;
        RefillDataReferences();
        RefillBitIndexes();
        RefillControlBlocks();
    }
    Apply();
}

void CInputsDialog::SelectDataReference(int index)
{
    if (!Current() || !InRange(index, dataReferenceChoices_)) return;
    dataReferenceIndex_ = index;
    RefillBitIndexes();
    RefillControlBlocks();
    Apply();
}

void CInputsDialog::SelectBitIndex(int index)
{
    if (!Current() || !InRange(index, bitIndexChoices_)) return;
    bitIndex_ = index;
    Apply();
}

void CInputsDialog::SelectControlBlock(int index)
{
    if (!InRange(index, controlBlocks_)) return;
    controlBlockIndex_ = index;
    ShowControlBlock();
    CGooseInput* input = Current();
    if (input && SelectedOutput()) input->sourceControl = controlBlocks_[static_cast<size_t>(index)]->reference;
}
