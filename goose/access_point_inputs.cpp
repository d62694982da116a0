#include "goose/access_point_inputs.h"

#include "goose/source_control.h"
#include "project_tree/item_access.h"

namespace {

bool HoldsInputs(const CVarnholtView& view, const TreeItem* item, int32_t kind)
{
    const TreeItemRecord* record = view.Record(item);
    return record && record->kind == kind && (record->markers & kMarkerInputs);
}

}  // namespace

std::vector<TreeItem*> CollectAccessPointInputs(const CVarnholtView& view, const TreeItem* accessPoint)
{
    std::vector<TreeItem*> inputs;
    const TreeItem* server = accessPoint ? accessPoint->FirstChild() : nullptr;
    while (server && !IsElementNamed(ItemElement(view, server), "Server")) server = server->NextSibling();
    for (const TreeItem* ld = server ? server->FirstChild() : nullptr; ld; ld = ld->NextSibling()) {
        if (!HoldsInputs(view, ld, kKindLDevice)) continue;
        for (const TreeItem* ln = ld->FirstChild(); ln; ln = ln->NextSibling()) {
            if (!HoldsInputs(view, ln, kKindLN)) continue;
            const TreeItem* block = ln->FirstChild();
            while (block && !IsItemOfKind(view, block, kKindInputs)) block = block->NextSibling();
            for (TreeItem* item = block ? block->FirstChild() : nullptr; item; item = item->NextSibling())
                if (IsItemOfKind(view, item, kKindExtRef) && IsGooseInput(ItemElement(view, item)))
                    inputs.push_back(item);
        }
    }
    return inputs;
}

// ExtRef, Inputs, LN, LDevice.
std::string ExtRefLabel(const CVarnholtView& view, const TreeItem* extRef)
{
    const xmlNode* ln = ItemElement(view, AncestorOf(extRef, 2));
    return std::string(ItemAttribute(view, AncestorOf(extRef, 3), "inst")) + "." + GetAttribute(ln, "prefix") +
           GetAttribute(ln, "lnClass") + GetAttribute(ln, "inst") + " Input[" + std::to_string(extRef->Row()) +
           "] Int Addr: " + GetAttribute(ItemElement(view, extRef), "intAddr");
}
