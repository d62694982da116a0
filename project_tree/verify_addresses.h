#pragma once
#include <string>
#include <vector>

class CVarnholtView;
class UserInterface;

// One line per connected access point whose IP address repeats an earlier one of the
// same subnetwork; addresses are compared as trimmed text.
std::vector<std::string> VerifyAddresses(const CVarnholtView& view);

// Verify, Addresses: the lines in the verification log, or "Addresses are correct".
void OnVerifyAddresses(const CVarnholtView& view, UserInterface& ui);
