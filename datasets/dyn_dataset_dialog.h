#pragma once
#include "datasets/dataset_element.h"
#include "document/user_interface.h"

#include <libxml/tree.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class CVarnholtView;
class TreeItem;

// A node of the dialog's data tree: a copy of a project tree item that shows a
// logical device, logical node or data (DO, SDO, DA, BDA), with its kind and label.
struct DataNode {
    int32_t kind;
    std::string label;
    const xmlNode* element;
    int parent;  // -1 at the top level
    std::vector<int> children;
};

// "Create dynamic dataset": the name and members of a dataset of one logical node,
// chosen from the data of its IED. The window forwards each gesture to the operation
// of the same name and redraws from the state.
class CDynDatasetDialog : public DialogModel {
public:
    static constexpr size_t kMaxElements = 100;

    // The data of the IED item `ied`, and the names of the datasets of every logical
    // node of the IED whose LN name is `lnName`, `datasetName` excepted.
    CDynDatasetDialog(const CVarnholtView& view, const TreeItem* ied, std::string lnName, std::string datasetName,
                      std::vector<DatasetElement> elements);

    static const char* Title() { return "Create dynamic dataset"; }

    std::string name;  // the "Dataset name" field
    // "Full name": the LN name, ".", the name.
    std::string FullName() const { return lnName_ + "." + name; }
    const std::string& LNName() const { return lnName_; }
    const std::vector<std::string>& UsedNames() const { return usedNames_; }

    const std::vector<DataNode>& DataNodes() const { return nodes_; }
    const std::vector<int>& DataRoots() const { return roots_; }
    int SelectedDataNode() const { return selectedNode_; }
    void SelectDataNode(int index);
    // Selects the node copied from `element` (none when no node is); the window opens
    // with the selected node expanded and in view.
    void SelectDataElement(const xmlNode* element);

    const std::vector<DatasetElement>& Elements() const { return elements_; }
    // For each element, the position it had in the list the dialog was opened with;
    // -1 for an element added since.
    const std::vector<int>& Origins() const { return origins_; }
    std::vector<std::string> ElementTexts() const;
    int SelectedElement() const { return selectedElement_; }
    void SelectElement(int index);

    bool CanAdd() const { return canAdd_; }
    bool CanMoveUp() const { return selectedElement_ > 0; }
    bool CanMoveDown() const { return selectedElement_ >= 0 && selectedElement_ + 1 < static_cast<int>(elements_.size()); }
    bool CanDelete() const { return canDelete_; }

    // "Add element to dataset": the selected data becomes a member. Asks for the
    // functional constraint when a data object has several, and shows a warning when
    // the data cannot be added. True when an element was added.
    bool AddSelected(UserInterface& ui);
    void MoveUp();
    void MoveDown();
    void DeleteSelected();

    // The checks of OK, in order: "" or the message to show while the dialog stays open.
    std::string Accept() const;

    static const char* AddTooltip() { return "Add element to dataset"; }
    static const char* MoveUpTooltip() { return "Move element up"; }
    static const char* MoveDownTooltip() { return "Move emement down"; }
    static const char* DeleteTooltip() { return "Delete element from dataset"; }

private:
    void CopyItems(const CVarnholtView& view, const TreeItem* item, int parent, const std::string& datasetName);
    int AddNode(int32_t kind, const xmlNode* element, int parent);
    std::vector<std::string> CandidateFCs(int node) const;
    void CollectFCs(int node, std::vector<std::string>& found) const;
    void Warn(UserInterface& ui, const std::string& text) const;
    void Swap(int a, int b);

    std::string lnName_;
    std::vector<std::string> usedNames_;
    std::vector<DataNode> nodes_;
    std::vector<int> roots_;
    std::vector<DatasetElement> elements_;
    std::vector<int> origins_;
    int selectedNode_ = -1;
    int selectedElement_ = -1;
    bool canAdd_ = false;
    bool canDelete_ = false;
};

// The LN name of a logical node element: prefix, lnClass and inst together.
std::string LogicalNodeName(const xmlNode* ln);
