#include "datasets/dyn_dataset_dialog.h"

#include "datasets/fc_select_dialog.h"
#include "document/xml_access.h"
#include "document/xml_text.h"
#include "project_tree/item_access.h"
#include "project_tree/item_labels.h"
#include "project_tree/varnholt_view.h"

#include <algorithm>
#include <utility>

namespace {

bool IsDataKind(int32_t kind)
{
    return kind == kKindDO || kind == kKindSDO || kind == kKindDA || kind == kKindBDA;
}

bool IsMemberFC(std::string_view fc)
{
    return fc == "ST" || fc == "MX";
}

// "a" then "a.b": a name in front of a dotted path.
void Prepend(std::string& path, std::string_view name)
{
    path = path.empty() ? std::string(name) : std::string(name) + "." + path;
}

const char* const kOnlySTOrMX = "Only data with fuctional constraint ST or MX can be added to datasets!";

}  // namespace

std::string LogicalNodeName(const xmlNode* ln)
{
    return std::string(GetAttribute(ln, "prefix")) + GetAttribute(ln, "lnClass") + GetAttribute(ln, "inst");
}

CDynDatasetDialog::CDynDatasetDialog(const CVarnholtView& view, const TreeItem* ied, std::string lnName,
                                     std::string datasetName, std::vector<DatasetElement> elements)
    : name(datasetName), lnName_(std::move(lnName)), elements_(std::move(elements))
{
    if (ied) CopyItems(view, ied, -1, datasetName);
    for (size_t i = 0; i < elements_.size(); ++i) origins_.push_back(static_cast<int>(i));
    SelectDataNode(roots_.empty() ? -1 : roots_.front());
    canDelete_ = !elements_.empty();
    if (elements_.size() >= kMaxElements) canAdd_ = false;
}

// Logical devices, their logical nodes and the data are copied; datasets give the used
// names; control blocks and values are left out with all below them; the items of
// any other kind are passed through, so that logical devices come to the top level.
void CDynDatasetDialog::CopyItems(const CVarnholtView& view, const TreeItem* item, int parent,
                                  const std::string& datasetName)
{
    for (const TreeItem* child = item->FirstChild(); child; child = child->NextSibling()) {
        const TreeItemRecord* record = view.Record(child);
        if (!record) continue;
        switch (record->kind) {
        case kKindLN:
            // A logical node outside a logical device (of an access point) has no
            // object reference a dataset member could name.
            if (parent < 0) break;
            [[fallthrough]];
        case kKindLDevice:
        case kKindDO:
        case kKindSDO:
        case kKindDA:
        case kKindBDA:
            CopyItems(view, child, AddNode(record->kind, record->node, parent), datasetName);
            break;
        case kKindDataSet: {
            std::string used = GetAttribute(record->node, "name");
            if (LogicalNodeName(ItemElement(view, child->Parent())) == lnName_ && used != datasetName &&
                std::find(usedNames_.begin(), usedNames_.end(), used) == usedNames_.end())
                usedNames_.push_back(used);
            break;
        }
        case kKindReportControl:
        case kKindGSEControl:
        case kKindVal:
            break;
        default:
            CopyItems(view, child, parent, datasetName);
            break;
        }
    }
}

int CDynDatasetDialog::AddNode(int32_t kind, const xmlNode* element, int parent)
{
    int index = static_cast<int>(nodes_.size());
    nodes_.push_back({kind, LabelOfKind(kind, element), element, parent, {}});
    (parent < 0 ? roots_ : nodes_[static_cast<size_t>(parent)].children).push_back(index);
    return index;
}

void CDynDatasetDialog::SelectDataNode(int index)
{
    selectedNode_ = index >= 0 && index < static_cast<int>(nodes_.size()) ? index : -1;
    canAdd_ = selectedNode_ >= 0 && IsDataKind(nodes_[static_cast<size_t>(selectedNode_)].kind);
}

void CDynDatasetDialog::SelectDataElement(const xmlNode* element)
{
    auto found = std::find_if(nodes_.begin(), nodes_.end(), [element](const DataNode& node) {
        return node.element == element;
    });
    SelectDataNode(found == nodes_.end() ? -1 : static_cast<int>(found - nodes_.begin()));
}

std::vector<std::string> CDynDatasetDialog::ElementTexts() const
{
    std::vector<std::string> texts;
    texts.reserve(elements_.size());
    for (const DatasetElement& element : elements_) texts.push_back(ElementText(element));
    return texts;
}

void CDynDatasetDialog::SelectElement(int index)
{
    selectedElement_ = index >= 0 && index < static_cast<int>(elements_.size()) ? index : -1;
}

// The ST and MX constraints of the DAs below a data object, through its SDOs, each
// once in the order a walk in tree order meets them.
std::vector<std::string> CDynDatasetDialog::CandidateFCs(int node) const
{
    std::vector<std::string> found;
    CollectFCs(node, found);
    return found;
}

void CDynDatasetDialog::CollectFCs(int node, std::vector<std::string>& found) const
{
    for (int child : nodes_[static_cast<size_t>(node)].children) {
        const DataNode& data = nodes_[static_cast<size_t>(child)];
        if (data.kind == kKindDO || data.kind == kKindSDO) {
            CollectFCs(child, found);
        } else if (data.kind == kKindDA) {
            std::string fc = GetAttribute(data.element, "fc");
            if (IsMemberFC(fc) && std::find(found.begin(), found.end(), fc) == found.end()) found.push_back(fc);
        }
    }
}

bool CDynDatasetDialog::AddSelected(UserInterface& ui)
{
    if (elements_.size() >= kMaxElements) {
        Warn(ui, "Dynamic dataset can have up to " + std::to_string(kMaxElements) + " elements!");
        return false;
    }
    if (selectedNode_ < 0) return false;
    const DataNode& selected = nodes_[static_cast<size_t>(selectedNode_)];
    DatasetElement element;
    const char* name = GetAttribute(selected.element, "name");
    if (selected.kind == kKindDO || selected.kind == kKindSDO) {
        element.doName = name;
        std::vector<std::string> candidates = CandidateFCs(selectedNode_);
        if (candidates.empty()) {
            Warn(ui, kOnlySTOrMX);
            return false;
        }
        if (candidates.size() > 1) {
            CFCSelDialog choice(candidates);
            if (!ui.RunDialog(choice) || choice.selection < 0 || choice.selection >= static_cast<int>(candidates.size()))
                return false;
            element.fc = candidates[static_cast<size_t>(choice.selection)];
        } else {
            element.fc = candidates.front();
        }
    } else if (selected.kind == kKindDA) {
        element.daName = name;
        element.fc = GetAttribute(selected.element, "fc");
    } else if (selected.kind == kKindBDA) {
        element.daName = name;
    }
    for (int up = selected.parent; up >= 0; up = nodes_[static_cast<size_t>(up)].parent) {
        const DataNode& node = nodes_[static_cast<size_t>(up)];
        const char* nodeName = GetAttribute(node.element, "name");
        switch (node.kind) {
        case kKindLDevice:
            element.ldInst = GetAttribute(node.element, "inst");
            break;
        case kKindLN:
            element.prefix = GetAttribute(node.element, "prefix");
            element.lnClass = GetAttribute(node.element, "lnClass");
            element.lnInst = GetAttribute(node.element, "inst");
            break;
        case kKindDO:
        case kKindSDO:
            Prepend(element.doName, nodeName);
            break;
        case kKindDA:
            Prepend(element.daName, nodeName);
            element.fc = GetAttribute(node.element, "fc");
            break;
        case kKindBDA:
            Prepend(element.daName, nodeName);
            break;
        default:
            break;
        }
    }
    if (!IsMemberFC(element.fc)) {
        Warn(ui, kOnlySTOrMX);
        return false;
    }
    const std::string text = ElementText(element);
    for (const DatasetElement& listed : elements_) {
        if (SameElementText(ElementText(listed), text)) {
            Warn(ui, "Element is already present in dataset");
            return false;
        }
    }
    elements_.push_back(std::move(element));
    origins_.push_back(-1);
    selectedElement_ = static_cast<int>(elements_.size()) - 1;
    canDelete_ = true;
    if (elements_.size() >= kMaxElements) canAdd_ = false;
    return true;
}

void CDynDatasetDialog::Swap(int a, int b)
{
    std::swap(elements_[static_cast<size_t>(a)], elements_[static_cast<size_t>(b)]);
    std::swap(origins_[static_cast<size_t>(a)], origins_[static_cast<size_t>(b)]);
    selectedElement_ = b;
}

void CDynDatasetDialog::MoveUp()
{
    if (CanMoveUp()) Swap(selectedElement_, selectedElement_ - 1);
}

void CDynDatasetDialog::MoveDown()
{
    if (CanMoveDown()) Swap(selectedElement_, selectedElement_ + 1);
}

void CDynDatasetDialog::DeleteSelected()
{
    if (selectedElement_ < 0) return;
    elements_.erase(elements_.begin() + selectedElement_);
    origins_.erase(origins_.begin() + selectedElement_);
    --selectedElement_;
    canDelete_ = !elements_.empty();
    if (elements_.size() < kMaxElements) canAdd_ = true;
}

std::string CDynDatasetDialog::Accept() const
{
    if (!elements_.empty() && name.empty()) return "Dataset name cannot be empty!";
    if (elements_.empty()) return "Dataset cannot be empty!";
    if (!IsNameText(name)) return "Dataset name cannot hold control characters or bytes that are not UTF-8!";
    // Object references and MMS names use these as separators.
    if (name.find_first_of(".$/ \t\r\n\f\v") != std::string::npos)
        return "Dataset name: " + name + " cannot hold \".\", \"$\", \"/\" or blanks!";
    const char* const reserved[] = {"DS1", "DS2", "DS3", "DSG1", "DSG2"};
    if (lnName_ == "LLN0" && std::find(std::begin(reserved), std::end(reserved), name) != std::end(reserved))
        return "Dataset name: LLN0." + name + " is reserved for built in dataset!";
    if (std::find(usedNames_.begin(), usedNames_.end(), name) != usedNames_.end())
        return "Dataset name: " + name + " is already used!";
    return "";
}

void CDynDatasetDialog::Warn(UserInterface& ui, const std::string& text) const
{
    ui.ShowMessage(Title(), text, MessageIcon::Warning, MessageButtons::Ok);
}
