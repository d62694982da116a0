#include "goose/extref_writer.h"

#include "document/tree_edit.h"
#include "document/xml_access.h"
#include "goose/source_control.h"

#include <cstring>

namespace {

const char* const kReferenceAttributes[] = {"iedName", "ldInst", "prefix", "lnClass", "lnInst", "doName", "daName"};

bool HasAttribute(const xmlNode* element, const char* name)
{
    for (const xmlAttr* attr = element->properties; attr; attr = attr->next)
        if (!attr->ns && std::strcmp(reinterpret_cast<const char*>(attr->name), name) == 0) return true;
    return false;
}

bool SetAttribute(xmlNode* element, const char* name, const std::string& value)
{
    if (HasAttribute(element, name) && value == GetAttribute(element, name)) return false;
    EditSetAttribute(element, name, value);
    return true;
}

bool RemoveAttribute(xmlNode* element, const char* name)
{
    if (!HasAttribute(element, name)) return false;
    EditRemoveAttribute(element, name);
    return true;
}

// The WriteExtRef rule for one attribute: nothing when equal (absent reads as "").
bool Update(xmlNode* element, const char* name, const std::string& value, bool removeWhenEmpty)
{
    if (value == GetAttribute(element, name)) return false;
    if (value.empty() && removeWhenEmpty) return RemoveAttribute(element, name);
    EditSetAttribute(element, name, value);
    return true;
}

}  // namespace

bool WriteExternalReference(xmlNode* extRef, const ExternalReference& reference)
{
    const std::string* values[] = {&reference.iedName, &reference.ldInst, &reference.prefix, &reference.lnClass,
                                   &reference.lnInst,  &reference.doName, &reference.daName};
    bool changed = false;
    for (size_t i = 0; i < std::size(kReferenceAttributes); ++i)
        changed = SetAttribute(extRef, kReferenceAttributes[i], *values[i]) || changed;
    return changed;
}

bool RemoveExternalReference(xmlNode* extRef)
{
    bool changed = false;
    for (const char* name : kReferenceAttributes) changed = RemoveAttribute(extRef, name) || changed;
    return changed;
}

bool HasExternalReference(const xmlNode* extRef)
{
    for (const char* name : kReferenceAttributes)
        if (*GetAttribute(extRef, name)) return true;
    return false;
}

bool WriteExtRef(const CGooseInput& input, xmlNode* extRef, SclEdition edition)
{
    bool changed = false;
    changed = Update(extRef, "daName", input.daName, true) || changed;
    changed = Update(extRef, "doName", input.doName, true) || changed;
    changed = Update(extRef, "prefix", input.prefix, false) || changed;
    changed = Update(extRef, "lnClass", input.lnClass, true) || changed;
    changed = Update(extRef, "lnInst", input.lnInst, false) || changed;
    changed = Update(extRef, "ldInst", input.ldInst, false) || changed;
    changed = Update(extRef, "iedName", input.iedName, true) || changed;
    changed = Update(extRef, "desc", input.desc, true) || changed;
    changed = Update(extRef, "intAddr", input.intAddr, false) || changed;
    if (edition != SclEdition::Ed2003) changed = WriteSourceControl(extRef, input.sourceControl) || changed;
    return changed;
}
