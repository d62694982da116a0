#pragma once
#include "datasets/dyn_dataset_dialog.h"

#include <optional>
#include <string>
#include <vector>

class CVarnholtView;
class TreeItem;
class UserInterface;

// The dialog for a new dataset of the logical node item `ln`.
CDynDatasetDialog NewDatasetDialog(const CVarnholtView& view, const TreeItem* ln);
// The dialog for the members of the DataSet item `dataset`, listed from its FCDA items.
CDynDatasetDialog ExistingDatasetDialog(const CVarnholtView& view, const TreeItem* dataset);

// Writes the accepted dataset into the logical node, after its leading Text, Private
// and DataSet elements, and shows it with " [D]" on the node. Returns its item.
TreeItem* CreateDataset(CVarnholtView& view, TreeItem* ln, const CDynDatasetDialog& accepted);
// Renames and rewrites the dataset as accepted. The FCDA of a member that stays is
// kept as it is; the control blocks of the logical node follow a new name. Returns
// a warning for each input of another IED that subscribes to a GOOSE message of the
// dataset when its members changed: their connected addresses name member positions.
std::vector<std::string> ModifyDataset(CVarnholtView& view, TreeItem* dataset, const CDynDatasetDialog& accepted);

// Create dataset on the selected logical node; true when a dataset was created.
bool OnCreateDataset(CVarnholtView& view, UserInterface& ui);
// Modify existing dataset on the selected dataset; the warnings are shown in the
// verification log. Nothing when the dialog was cancelled or refused.
std::optional<std::vector<std::string>> OnModifyDataset(CVarnholtView& view, UserInterface& ui);
