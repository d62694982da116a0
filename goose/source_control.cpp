#include "goose/source_control.h"

#include "document/tree_edit.h"
#include "document/xml_access.h"
#include "document/xml_text.h"
#include "project_tree/item_access.h"

#include <algorithm>

namespace {

const char* const kSourceAttributes[] = {"serviceType", "srcLDInst", "srcPrefix", "srcLNClass", "srcLNInst",
                                         "srcCBName"};

bool HasAttribute(const xmlNode* element, const char* name)
{
    return xmlHasNsProp(element, Xml(name), nullptr) != nullptr;
}

// An empty `value` removes the attribute.
bool Update(xmlNode* element, const char* name, const std::string& value)
{
    if (value.empty()) {
        if (!HasAttribute(element, name)) return false;
        EditRemoveAttribute(element, name);
        return true;
    }
    if (HasAttribute(element, name) && value == GetAttribute(element, name)) return false;
    EditSetAttribute(element, name, value);
    return true;
}

}  // namespace

bool IsGooseInput(const xmlNode* extRef)
{
    std::string_view service = GetAttribute(extRef, "serviceType");
    return service.empty() || service == "GOOSE";
}

std::optional<ControlBlockReference> ReadSourceControl(const xmlNode* extRef)
{
    if (!HasAttribute(extRef, "srcCBName")) return std::nullopt;
    ControlBlockReference control;
    control.ldInst = GetAttribute(extRef, HasAttribute(extRef, "srcLDInst") ? "srcLDInst" : "ldInst");
    control.prefix = GetAttribute(extRef, "srcPrefix");
    control.lnClass = HasAttribute(extRef, "srcLNClass") ? GetAttribute(extRef, "srcLNClass") : "LLN0";
    control.lnInst = GetAttribute(extRef, "srcLNInst");
    control.name = GetAttribute(extRef, "srcCBName");
    return control;
}

bool WriteSourceControl(xmlNode* extRef, const std::optional<ControlBlockReference>& control)
{
    if (ReadSourceControl(extRef) == control) return false;
    bool changed = false;
    if (!control) {
        for (const char* name : kSourceAttributes) changed = Update(extRef, name, "") || changed;
        return changed;
    }
    const std::string* values[] = {&control->ldInst, &control->prefix, &control->lnClass, &control->lnInst,
                                   &control->name};
    if (!std::all_of(std::begin(values), std::end(values), [](const std::string* v) { return IsXmlText(*v); }))
        return false;
    changed = Update(extRef, "serviceType", "GOOSE");
    for (size_t i = 0; i < std::size(values); ++i)
        changed = Update(extRef, kSourceAttributes[i + 1], *values[i]) || changed;
    return changed;
}

ControlBlockReference ControlBlockReferenceOf(const CVarnholtView& view, const TreeItem* control)
{
    const xmlNode* ln = ItemElement(view, control ? control->Parent() : nullptr);
    return {std::string(ItemAttribute(view, AncestorOf(control, 2), "inst")), GetAttribute(ln, "prefix"),
            GetAttribute(ln, "lnClass"), GetAttribute(ln, "inst"), std::string(ItemName(view, control))};
}

std::vector<ExtRefPublisher> FindInputPublishers(const CVarnholtView& view, const TreeItem* extRef)
{
    std::vector<ExtRefPublisher> publishers = FindExtRefPublishers(view, extRef);
    if (std::optional<ControlBlockReference> named = ReadSourceControl(ItemElement(view, extRef)))
        std::erase_if(publishers, [&](const ExtRefPublisher& publisher) {
            return ControlBlockReferenceOf(view, publisher.control) != *named;
        });
    return publishers;
}
