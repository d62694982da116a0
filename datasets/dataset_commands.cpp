#include "datasets/dataset_commands.h"

#include "document/command_ids.h"
#include "document/log_dialogs.h"
#include "document/tree_edit.h"
#include "document/user_interface.h"
#include "document/varnholt_doc.h"
#include "document/xml_access.h"
#include "document/xml_copy.h"
#include "goose/subscriber_inputs.h"
#include "project_tree/item_access.h"
#include "project_tree/item_labels.h"
#include "project_tree/scl_lookups.h"
#include "project_tree/varnholt_view.h"

namespace {

// The IED item is the root item above.
const TreeItem* RootOf(const TreeItem* item)
{
    while (item && item->Parent()) item = item->Parent();
    return item;
}

std::vector<TreeItem*> FCDAItems(const CVarnholtView& view, const TreeItem* dataset)
{
    std::vector<TreeItem*> items;
    for (TreeItem* child = dataset->FirstChild(); child; child = child->NextSibling())
        if (IsItemOfKind(view, child, kKindFCDA)) items.push_back(child);
    return items;
}

bool MembersChanged(const CDynDatasetDialog& accepted, size_t initialCount)
{
    const std::vector<int>& origins = accepted.Origins();
    if (origins.size() != initialCount) return true;
    for (size_t i = 0; i < origins.size(); ++i)
        if (origins[i] != static_cast<int>(i)) return true;
    return false;
}

}  // namespace

CDynDatasetDialog NewDatasetDialog(const CVarnholtView& view, const TreeItem* ln)
{
    CDynDatasetDialog dialog(view, RootOf(ln), LogicalNodeName(ItemElement(view, ln)), "", {});
    dialog.SelectDataElement(ItemElement(view, ln));
    return dialog;
}

CDynDatasetDialog ExistingDatasetDialog(const CVarnholtView& view, const TreeItem* dataset)
{
    std::vector<DatasetElement> elements;
    for (const TreeItem* fcda : FCDAItems(view, dataset)) elements.push_back(ReadFCDA(ItemElement(view, fcda)));
    const TreeItem* ln = dataset ? dataset->Parent() : nullptr;
    CDynDatasetDialog dialog(view, RootOf(dataset), LogicalNodeName(ItemElement(view, ln)),
                             std::string(ItemName(view, dataset)), std::move(elements));
    dialog.SelectDataElement(ItemElement(view, ln));
    return dialog;
}

TreeItem* CreateDataset(CVarnholtView& view, TreeItem* ln, const CDynDatasetDialog& accepted)
{
    TreeItemRecord* record = view.Record(ln);
    if (!record || record->kind != kKindLN) return nullptr;
    xmlNode* lnElement = record->node;
    xmlNode* dataset = NewElement(lnElement, "DataSet", {{"name", accepted.name}});
    if (!dataset) return nullptr;
    for (const DatasetElement& element : accepted.Elements())
        if (xmlNode* fcda = MakeFCDA(dataset, element)) xmlAddChild(dataset, fcda);
    ChangeChannel& changes = view.Document().Changes();
    ChangeStep step(changes, "Create Dataset " + accepted.name);
    InsertAfterLeading(lnElement, dataset, {"Text", "Private", "DataSet"});
    TreeItem* item = view.InsertElementItem(ln, dataset);
    view.Document().SetModifiedFlag(true);
    return item;
}

std::vector<std::string> ModifyDataset(CVarnholtView& view, TreeItem* dataset, const CDynDatasetDialog& accepted)
{
    TreeItemRecord* record = view.Record(dataset);
    TreeItem* ln = dataset ? dataset->Parent() : nullptr;
    if (!record || record->kind != kKindDataSet || !ln) return {};
    xmlNode* element = record->node;
    std::vector<TreeItem*> fcdaItems = FCDAItems(view, dataset);
    std::vector<std::string> warnings;
    if (MembersChanged(accepted, fcdaItems.size()))
        warnings = DatasetSubscriberWarnings(view, dataset, "modified", ": check its connected address");

    ChangeChannel& changes = view.Document().Changes();
    const std::string oldName = GetAttribute(element, "name");
    ChangeStep step(changes, "Modify Dataset " + oldName);
    if (accepted.name != oldName) {
        changes.SetAttribute(element, "name", accepted.name);
        RenameDataSetReferences(view, ln, oldName, accepted.name);
        view.SetLabel(dataset, MakeMarkedItemLabel(*record));
    }

    // The members leave and come back in the new order; those dropped stay with the step.
    std::vector<xmlNode*> kept;
    for (TreeItem* item : fcdaItems) {
        xmlNode* fcda = view.Record(item)->node;
        view.ReleaseItemRecords(item);
        view.DeleteItem(item);
        changes.Remove(fcda);
        kept.push_back(fcda);
    }
    xmlNode* firstMember = nullptr;
    for (size_t i = 0; i < accepted.Elements().size(); ++i) {
        int origin = accepted.Origins()[i];
        xmlNode* fcda = nullptr;
        if (origin >= 0 && static_cast<size_t>(origin) < kept.size() && kept[static_cast<size_t>(origin)]) {
            fcda = kept[static_cast<size_t>(origin)];
            kept[static_cast<size_t>(origin)] = nullptr;
        } else {
            fcda = MakeFCDA(element, accepted.Elements()[i]);
        }
        if (!fcda) continue;
        changes.Insert(element, nullptr, fcda);
        if (!firstMember) firstMember = fcda;
    }
    if (firstMember) view.BuildChildItems(firstMember, dataset);
    view.Document().SetModifiedFlag(true);
    return warnings;
}

bool OnCreateDataset(CVarnholtView& view, UserInterface& ui)
{
    TreeItem* ln = view.Selected();
    if (!IsItemOfKind(view, ln, kKindLN)) return false;
    CDynDatasetDialog dialog = NewDatasetDialog(view, ln);
    if (!ui.RunDialog(dialog)) return false;
    if (std::string refusal = dialog.Accept(); !refusal.empty()) {
        ui.ShowMessage(CDynDatasetDialog::Title(), refusal, MessageIcon::Warning, MessageButtons::Ok);
        return false;
    }
    return CreateDataset(view, ln, dialog) != nullptr;
}

std::optional<std::vector<std::string>> OnModifyDataset(CVarnholtView& view, UserInterface& ui)
{
    TreeItem* dataset = view.Selected();
    if (!view.IsCommandEnabled(kCmdModifyDataset) || !IsItemOfKind(view, dataset->Parent(), kKindLN))
        return std::nullopt;
    CDynDatasetDialog dialog = ExistingDatasetDialog(view, dataset);
    if (!ui.RunDialog(dialog)) return std::nullopt;
    if (std::string refusal = dialog.Accept(); !refusal.empty()) {
        ui.ShowMessage(CDynDatasetDialog::Title(), refusal, MessageIcon::Warning, MessageButtons::Ok);
        return std::nullopt;
    }
    std::vector<std::string> warnings = ModifyDataset(view, dataset, dialog);
    if (!warnings.empty()) {
        CVerifyDialog log(warnings);
        ui.RunDialog(log);
    }
    return warnings;
}
