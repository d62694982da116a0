#pragma once
#include <string>
#include <vector>

class CVarnholtView;
class TreeItem;
class UserInterface;

// Checks the inputs of one access point of `ied`: the type of each input's source, then
// that every input is published on the MAC address of the inputs before it.
void VerifyAccessPointInputs(const CVarnholtView& view, const TreeItem* ied, const std::vector<TreeItem*>& inputs,
                             std::vector<std::string>& log);

// The findings over every access point with inputs of every IED.
std::vector<std::string> VerifyGooseInputs(const CVarnholtView& view);

// Verify, GOOSE Inputs: the findings in the verification log, or
// "GOOSE Inputs are correctly configured".
void OnVerifyGooseInputs(const CVarnholtView& view, UserInterface& ui);
