#pragma once
#include "goose/mapping_dialog.h"

#include <memory>
#include <string>
#include <vector>

class CVarnholtView;
class UserInterface;

// The dialog over the project: one IED per access point connected to a subnetwork,
// with its published GOOSE datasets and its inputs. Null, with the message to show
// in `refusal` naming the missing part, when no input is wired to a published member
// and either no input has an internal address or no other IED publishes GOOSE on a
// subnetwork of an access point with such inputs.
std::unique_ptr<CMappingDialog> OpenMappingDialog(const CVarnholtView& view, std::string& refusal);

// Writes the inputs the dialog changed into their ExtRefs, relabels their items and
// marks the document modified when any changed. One line per ExtRef changed:
// "IED/LD/SIGNAL: REFERENCE" or "IED/LD/SIGNAL: disconnected".
std::vector<std::string> WriteMappingBack(CVarnholtView& view, const CMappingDialog& dialog);

// GOOSE Mapping: the window over the project; on OK the changes are written back.
void OnGooseMapping(CVarnholtView& view, UserInterface& ui);

// The three trees as text: "Outputs:", "Inputs:" and "Mapping:", each followed by
// its nodes, two blanks a level, one node a line.
std::string MappingOutline(const CMappingDialog& dialog);
