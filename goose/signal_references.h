#pragma once
#include "goose/goose_model.h"

#include <string>

// ldInst "/" prefix lnClass lnInst "." doName ["." daName]; with the IED name, that
// name stands directly before ldInst.
std::string OutputReference(const CGooseOutput& output, bool withIedName);
// iedName ldInst "/" prefix lnClass lnInst "." doName ["." daName].
std::string InputReference(const CGooseInput& input);
// The same without the IED name: what OutputReference gives for the member it names.
std::string InputDataReference(const CGooseInput& input);

// The receiving signal's name: the internal address up to its first ":".
std::string InternalSignalName(const std::string& intAddr);

// Sets the input's internal address to its signal name alone, or, with an output,
// to the connected form "name:MAC:APPID:confRev:index:GOOSE ID" built from the first
// control block of the output's dataset. The connected form is stored in project
// files and read back when inputs are updated.
void MakeConnectedIntAddr(CGooseInput& input, const CGooseOutput* output);
