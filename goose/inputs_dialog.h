#pragma once
#include "document/user_interface.h"
#include "goose/goose_model.h"

#include <memory>
#include <string>
#include <vector>

// "Edit inputs for ...": wires the inputs of one logical node, row by row, to the
// members of the datasets that the remote IEDs publish. The window binds one widget to
// each list below, calls the Select operation of a widget when the person changes it,
// and then redraws every widget from the model. Nothing reaches the document before
// the command writes the records back on OK.
class CInputsDialog : public DialogModel {
public:
    static constexpr const char* kNone = "<none>";

    // Labels of the window, in its order.
    static constexpr const char* kInputListLabel = "Input list";
    static constexpr const char* kInternalAddressColumn = "Internal address";  // half the list's width
    static constexpr const char* kExternalReferenceColumn = "External reference";
    static constexpr const char* kRemoteIedLabel = "Remote IED";
    static constexpr const char* kDataReferenceLabel = "Data Reference";
    static constexpr const char* kBitIndexLabel = "Bit index";
    static constexpr const char* kAddressGroupLabel = "GOOSE address";
    static constexpr const char* kControlBlockLabel = "GCB Name";
    static constexpr const char* kAddressFieldLabels[6] = {"MAC Address",    "VLAN ID",  "VLAN Priority",
                                                           "Application ID", "GOOSE ID", "Config Revision"};

    // Takes the records and loads row 0.
    CInputsDialog(std::string title, std::vector<std::unique_ptr<CGooseIed>> remoteIeds,
                  std::vector<std::unique_ptr<CGooseInput>> inputs);

    const std::string& Title() const { return title_; }

    // --- "Input list": one row per input, full-row selection ---
    int RowCount() const { return static_cast<int>(inputs_.size()); }
    // The two columns of a row; "" for a row that does not exist.
    std::string InternalAddressText(int row) const;
    std::string ExternalReferenceText(int row) const;
    // -1 only when there is no input.
    int CurrentRow() const { return currentRow_; }
    void SelectRow(int row);

    // --- "Remote IED": "<none>", then the remote IEDs ---
    const std::vector<std::string>& RemoteIedChoices() const { return remoteIedChoices_; }
    int RemoteIedIndex() const { return remoteIedIndex_; }
    void SelectRemoteIed(int index);

    // --- "Data Reference": "<none>", then the members of the remote IED ---
    const std::vector<std::string>& DataReferenceChoices() const { return dataReferenceChoices_; }
    int DataReferenceIndex() const { return dataReferenceIndex_; }
    void SelectDataReference(int index);

    // --- "Bit index": "0" to width-1 for a binary input fed from a multi-bit member ---
    const std::vector<std::string>& BitIndexChoices() const { return bitIndexChoices_; }
    // -1 when nothing is selected; may lie outside the choices when the input's desc
    // names a bit the member does not have (the window then shows no selection).
    int BitIndex() const { return bitIndex_; }
    bool IsBitIndexEnabled() const { return bitIndexChoices_.size() > 1; }
    void SelectBitIndex(int index);

    // --- "GCB Name" and the six read-only fields of the "GOOSE address" group ---
    // A row loads with the control block its input names selected when that is
    // listed, else the first; the one selected becomes the input's source control
    // block when the row is changed.
    const std::vector<std::string>& ControlBlockChoices() const { return controlBlockChoices_; }
    int ControlBlockIndex() const { return controlBlockIndex_; }
    bool IsControlBlockEnabled() const { return !controlBlockChoices_.empty(); }
    void SelectControlBlock(int index);
    // MAC-Address, VLAN-ID, VLAN-PRIORITY, APPID, GOOSE ID and confRev, in the order of
    // kAddressFieldLabels; empty without a control block.
    const std::vector<std::string>& AddressFields() const { return addressFields_; }

    // The checks of OK: the dialog refuses nothing.
    std::string Accept() { return {}; }

    const std::vector<std::unique_ptr<CGooseInput>>& Inputs() const { return inputs_; }
    const std::vector<std::unique_ptr<CGooseIed>>& RemoteIeds() const { return remoteIeds_; }

private:
    CGooseInput* Current() const;
    const CGooseIed* SelectedIed() const;
    const CGooseOutput* SelectedOutput() const;
    void LoadRow();
    void SelectReferenceOfInput();
    void RefillDataReferences();
    void RefillBitIndexes();
    void RefillControlBlocks();
    void ShowControlBlock();
    void Apply();

    std::string title_;
    std::vector<std::unique_ptr<CGooseIed>> remoteIeds_;
    std::vector<std::unique_ptr<CGooseInput>> inputs_;
    int currentRow_ = -1;

    std::vector<std::string> remoteIedChoices_;
    int remoteIedIndex_ = 0;
    std::vector<std::string> dataReferenceChoices_;
    std::vector<const CGooseOutput*> dataReferenceOutputs_;  // null for "<none>"
    int dataReferenceIndex_ = 0;
    std::vector<std::string> bitIndexChoices_;
    int bitIndex_ = -1;
    std::vector<std::string> controlBlockChoices_;
    std::vector<const CGooseControl*> controlBlocks_;
    int controlBlockIndex_ = -1;
    std::vector<std::string> addressFields_ = std::vector<std::string>(6);
};

// "prefix lnClass lnInst.doName[.daName]", as the "External reference" column shows
// an input.
std::string ExternalReferenceColumnText(const CGooseInput& input);
