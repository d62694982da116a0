#include "document/type_index.h"

#include "document/xml_access.h"

void TypeIndex::Build(xmlNode* templates)
{
    Clear();
    templates_ = templates;
    for (xmlNode* child : ElementChildren(templates)) {
        TemplateKind kind;
        if (!KindOfElement(child, kind)) continue;
        SetAnchor(kind, child);
        const char* id = GetAttribute(child, "id");
        if (*id) Store(kind, id, child);
    }
}

void TypeIndex::Clear()
{
    for (Map& map : maps_) map.clear();
    anchors_.fill(nullptr);
    templates_ = nullptr;
}

xmlNode* TypeIndex::Find(TemplateKind kind, std::string_view id) const
{
    const Map& map = maps_[static_cast<int>(kind)];
    auto found = map.find(id);
    return found == map.end() ? nullptr : found->second;
}

void TypeIndex::Store(TemplateKind kind, const std::string& id, xmlNode* element)
{
    maps_[static_cast<int>(kind)].insert_or_assign(id, element);
}

void TypeIndex::Erase(TemplateKind kind, std::string_view id)
{
    Map& map = maps_[static_cast<int>(kind)];
    auto found = map.find(id);
    if (found != map.end()) map.erase(found);
}

bool TypeIndex::KindOfElement(const xmlNode* element, TemplateKind& kind)
{
    std::string_view name = ElementName(element);
    if (!IsElement(element)) return false;
    if (name == "LNodeType") kind = TemplateKind::LNodeType;
    else if (name == "DOType") kind = TemplateKind::DOType;
    else if (name == "DAType") kind = TemplateKind::DAType;
    else if (name == "EnumType") kind = TemplateKind::EnumType;
    else return false;
    return true;
}

bool TypeIdList::Add(std::string_view id)
{
    if (Contains(id)) return false;
    ids_.emplace_back(id);
    seen_.emplace(id);
    return true;
}
